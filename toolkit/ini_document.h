#pragma once

// The text of one INI file, read the way the Windows profile functions
// (GetPrivateProfileString and its kin) read it, and edited so that only the
// lines an edit concerns change: every other byte of the file - comments,
// blank lines, spacing, order, line ends - stays as it was.
//
// Reading:
// - A line ends at CR LF, CR or LF. Blanks (see IsBlank) at either end of a
//   line are ignored, and a line of blanks only is skipped.
// - A line that starts with '[' and holds a ']' is a section header: the name
//   is the text between the '[' and the last ']', blanks around it removed;
//   whatever follows that ']' is ignored. A '[' line without ']' is an
//   ordinary line.
// - A line that starts with ';' is a comment and is never read.
// - Any other line is an entry of the section above it. Its name is the text
//   before the first '=', its value the text after it, each without the
//   blanks around it. A line without '=' is an entry without a value: it
//   reads as absent, yet it is the entry that an edit of that name changes.
// - Lines above the first header belong to a section whose name is empty;
//   a later header with an empty name ("[]") can never be reached.
// - Names match without regard to the case of ASCII letters (GBK characters
//   are compared exactly, see EqualsIgnoringAsciiCase); a requested name is
//   taken without the blanks around it.
// - When a section name occurs more than once, the first section of that name
//   is the one read and written (later ones are still listed among the
//   names); the same holds for two entries of one name in a section.
// - A name or value ends at a zero byte, as the platform's strings do.
// - A UTF-8 byte order mark at the start is skipped.
// Names and lines may be of any length: the document never cuts text. The
// cuts of the public interface (CLynIni) are made there.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry of a section, as the section listing reports it: `value` is the
// stored text without surrounding blanks, quotes kept; none for a line
// without '='.
struct IniEntry {
    std::string name;
    std::optional<std::string> value;
};

class IniDocument {
public:
    IniDocument();
    explicit IniDocument(std::string text);

    const std::string& Text() const { return text_; }

    // The value of the first entry `key` in the first section `section`,
    // without surrounding blanks and with one pair of enclosing quotes (' or
    // ") removed; none when there is no such entry or it has no value.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The names of all section headers in file order, duplicates included,
    // empty names left out.
    std::vector<std::string> SectionNames() const;

    // The entries of the first section `section` in file order (empty when
    // there is no such section).
    std::vector<IniEntry> Entries(std::string_view section) const;

    // Edits; each returns true when the text changed. The caller passes
    // names and values that can be stored (no line breaks or zero bytes, and
    // a key without '=' that starts with neither '[' nor ';').
    //
    // Sets `key` in `section` to `value` (taken without surrounding blanks).
    // An existing entry keeps its line, with everything up to the value as it
    // was; a new entry goes after the section's last entry (or its header), a
    // new section at the end of the file. New lines use the file's line end.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first section `section`: its header and every line up to
    // the next header.
    bool RemoveSection(std::string_view section);
    // Removes the first entry `key` found in the sections named `section`,
    // looking through them in file order.
    bool RemoveKey(std::string_view section, std::string_view key);
    // Removes every section that has a name (the lines above the first header
    // and sections named "[]" stay).
    bool RemoveNamedSections();

private:
    enum class LineKind { kBlank, kComment, kHeader, kEntry };

    // One line as offsets into text_: [begin, contentEnd) is its text,
    // [contentEnd, end) its line end (empty on a last line without one).
    struct Line {
        std::size_t begin = 0;
        std::size_t contentEnd = 0;
        std::size_t end = 0;
        LineKind kind = LineKind::kBlank;
        std::size_t nameBegin = 0;
        std::size_t nameEnd = 0;
        bool hasValue = false;
        std::size_t valueBegin = 0;  // after '=' and the blanks that follow it
        std::size_t valueEnd = 0;
    };

    // A section: its header (none for the unnamed one at the top) and its
    // lines [firstLine, endLine) in lines_.
    struct Section {
        std::optional<std::size_t> header;
        std::size_t firstLine = 0;
        std::size_t endLine = 0;
    };

    void Parse();
    Line ParseLine(std::size_t begin, std::size_t contentEnd, std::size_t end) const;
    std::string_view NameOf(const Line& line) const;
    std::string_view SectionName(const Section& section) const;
    std::optional<std::size_t> FindSection(std::string_view name) const;
    std::optional<std::size_t> FindEntry(const Section& section, std::string_view key) const;
    std::size_t SectionBegin(const Section& section) const;
    std::size_t SectionEnd(const Section& section) const;
    std::string_view LineEnd() const;
    bool Replace(std::size_t begin, std::size_t end, std::string_view with);

    std::string text_;
    std::size_t bodyBegin_ = 0;  // after a byte order mark
    std::vector<Line> lines_;
    std::vector<Section> sections_;  // sections_[0] is the unnamed one
};
