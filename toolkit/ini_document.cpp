#include "toolkit/ini_document.h"

#include <utility>

#include "toolkit/gbk_text.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Narrows [begin, end) of `text` to what a name or value holds: up to a zero
// byte, without blanks at either end.
void NarrowSpan(std::string_view text, std::size_t& begin, std::size_t& end) {
    std::size_t zero = text.substr(begin, end - begin).find('\0');
    if (zero != std::string_view::npos) {
        end = begin + zero;
    }
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
}

}  // namespace

IniDocument::IniDocument() {
    Parse();
}

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
    Parse();
}

void IniDocument::Parse() {
    lines_.clear();
    sections_.assign(1, Section{});
    bodyBegin_ = std::string_view(text_).starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
    std::size_t pos = bodyBegin_;
    while (pos < text_.size()) {
        std::size_t contentEnd = text_.find_first_of("\r\n", pos);
        std::size_t end = text_.size();
        if (contentEnd == std::string::npos) {
            contentEnd = end;
        } else {
            end = contentEnd + 1;
            if (text_[contentEnd] == '\r' && end < text_.size() && text_[end] == '\n') {
                ++end;
            }
        }
        Line line = ParseLine(pos, contentEnd, end);
        if (line.kind == LineKind::kHeader) {
            sections_.back().endLine = lines_.size();
            Section section;
            section.header = lines_.size();
            section.firstLine = lines_.size() + 1;
            sections_.push_back(section);
        }
        lines_.push_back(line);
        pos = end;
    }
    sections_.back().endLine = lines_.size();
}

IniDocument::Line IniDocument::ParseLine(std::size_t begin, std::size_t contentEnd, std::size_t end) const {
    Line line;
    line.begin = begin;
    line.contentEnd = contentEnd;
    line.end = end;
    std::string_view text(text_);
    std::size_t first = begin;
    std::size_t last = contentEnd;
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    if (first == last) {
        return line;  // blank
    }
    std::string_view content = text.substr(first, last - first);
    if (content.front() == ';') {
        line.kind = LineKind::kComment;
        return line;
    }
    if (content.front() == '[') {
        std::size_t close = FindLastCharacter(content.substr(1), ']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::kHeader;
            line.nameBegin = first + 1;
            line.nameEnd = first + 1 + close;
            NarrowSpan(text, line.nameBegin, line.nameEnd);
            return line;
        }
    }
    line.kind = LineKind::kEntry;
    line.nameBegin = first;
    std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        line.nameEnd = last;
    } else {
        line.nameEnd = first + equals;
        line.hasValue = true;
        line.valueBegin = first + equals + 1;
        while (line.valueBegin < last && IsBlank(text[line.valueBegin])) {
            ++line.valueBegin;
        }
        std::size_t valueBegin = line.valueBegin;
        line.valueEnd = last;
        NarrowSpan(text, valueBegin, line.valueEnd);
    }
    NarrowSpan(text, line.nameBegin, line.nameEnd);
    return line;
}

std::string_view IniDocument::NameOf(const Line& line) const {
    return std::string_view(text_).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view IniDocument::SectionName(const Section& section) const {
    return section.header ? NameOf(lines_[*section.header]) : std::string_view();
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view name) const {
    name = TrimBlanks(name);
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (EqualsIgnoringAsciiCase(SectionName(sections_[i]), name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindEntry(const Section& section, std::string_view key) const {
    key = TrimBlanks(key);
    for (std::size_t i = section.firstLine; i < section.endLine; ++i) {
        if (lines_[i].kind == LineKind::kEntry && EqualsIgnoringAsciiCase(NameOf(lines_[i]), key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniDocument::SectionBegin(const Section& section) const {
    return section.header ? lines_[*section.header].begin : bodyBegin_;
}

std::size_t IniDocument::SectionEnd(const Section& section) const {
    return section.endLine < lines_.size() ? lines_[section.endLine].begin : text_.size();
}

// The line end new lines get: the file's first one, CR LF for a file without.
std::string_view IniDocument::LineEnd() const {
    for (const Line& line : lines_) {
        if (line.end > line.contentEnd) {
            return std::string_view(text_).substr(line.contentEnd, line.end - line.contentEnd);
        }
    }
    return "\r\n";
}

bool IniDocument::Replace(std::size_t begin, std::size_t end, std::string_view with) {
    if (text_.compare(begin, end - begin, with) == 0) {
        return false;
    }
    text_.replace(begin, end - begin, with);
    Parse();
    return true;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> found = FindSection(section);
    if (!found) {
        return std::nullopt;
    }
    std::optional<std::size_t> entry = FindEntry(sections_[*found], key);
    if (!entry || !lines_[*entry].hasValue) {
        return std::nullopt;
    }
    const Line& line = lines_[*entry];
    std::string_view value = std::string_view(text_).substr(line.valueBegin, line.valueEnd - line.valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        std::string_view name = SectionName(sections_[i]);
        if (!name.empty()) {
            names.emplace_back(name);
        }
    }
    return names;
}

std::vector<IniEntry> IniDocument::Entries(std::string_view section) const {
    std::vector<IniEntry> entries;
    std::optional<std::size_t> found = FindSection(section);
    if (!found) {
        return entries;
    }
    for (std::size_t i = sections_[*found].firstLine; i < sections_[*found].endLine; ++i) {
        const Line& line = lines_[i];
        if (line.kind != LineKind::kEntry) {
            continue;
        }
        IniEntry entry{std::string(NameOf(line)), std::nullopt};
        if (line.hasValue) {
            entry.value = text_.substr(line.valueBegin, line.valueEnd - line.valueBegin);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    value = TrimBlanks(value);
    const std::string lineEnd(LineEnd());
    std::optional<std::size_t> found = FindSection(section);
    if (!found) {
        std::string added;
        if (text_.size() > bodyBegin_ && text_.back() != '\n' && text_.back() != '\r') {
            added += lineEnd;
        }
        added.append("[").append(section).append("]").append(lineEnd);
        added.append(key).append("=").append(value).append(lineEnd);
        return Replace(text_.size(), text_.size(), added);
    }
    const Section& target = sections_[*found];
    if (std::optional<std::size_t> entry = FindEntry(target, key)) {
        // Everything before the value stays: the key's spelling and spacing.
        const Line& line = lines_[*entry];
        std::string with = line.hasValue ? std::string() : std::string("=");
        with.append(value);
        return Replace(line.hasValue ? line.valueBegin : line.nameEnd, line.contentEnd, with);
    }
    std::string entryText = std::string(key).append("=").append(value);
    std::optional<std::size_t> after = target.header;
    for (std::size_t i = target.firstLine; i < target.endLine; ++i) {
        if (lines_[i].kind == LineKind::kEntry) {
            after = i;
        }
    }
    if (!after) {
        return Replace(bodyBegin_, bodyBegin_, entryText + lineEnd);
    }
    const Line& previous = lines_[*after];
    if (previous.end > previous.contentEnd) {
        // The line end of the line above: a CR of ours can then never join an
        // LF that follows into one line end.
        std::string_view previousEnd =
            std::string_view(text_).substr(previous.contentEnd, previous.end - previous.contentEnd);
        return Replace(previous.end, previous.end, entryText.append(previousEnd));
    }
    // The last line of a file without a final line end: the file keeps
    // ending the way it did.
    return Replace(previous.end, previous.end, lineEnd + entryText);
}

bool IniDocument::RemoveSection(std::string_view section) {
    std::optional<std::size_t> found = FindSection(section);
    if (!found) {
        return false;
    }
    return Replace(SectionBegin(sections_[*found]), SectionEnd(sections_[*found]), "");
}

bool IniDocument::RemoveKey(std::string_view section, std::string_view key) {
    section = TrimBlanks(section);
    for (const Section& candidate : sections_) {
        if (!EqualsIgnoringAsciiCase(SectionName(candidate), section)) {
            continue;
        }
        if (std::optional<std::size_t> entry = FindEntry(candidate, key)) {
            return Replace(lines_[*entry].begin, lines_[*entry].end, "");
        }
    }
    return false;
}

bool IniDocument::RemoveNamedSections() {
    std::string kept;
    std::size_t copied = 0;
    for (const Section& section : sections_) {
        if (SectionName(section).empty()) {
            continue;
        }
        kept.append(text_, copied, SectionBegin(section) - copied);
        copied = SectionEnd(section);
    }
    if (copied == 0) {
        return false;
    }
    kept.append(text_, copied, std::string::npos);
    text_ = std::move(kept);
    Parse();
    return true;
}
