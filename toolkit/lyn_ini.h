#pragma once

// CLynIni: reads and writes one INI file of the programs (Data\module.ini,
// the navigation page's category files). Text is GBK. The object holds only
// the path: every call reads the file afresh, and every change replaces the
// file whole (ReplaceFileAtomically), so two objects may work on one file and
// a failed write leaves the old file as it was. How the file is read, and
// what a change keeps, is described in ini_document.h; it is the reading of
// the Windows profile functions, done by our own code in both builds so that
// the loader and the widget see Data\module.ini alike.
//
// Write operations return 0 on success, else the system error code of the
// failed read or write (GetLastError on Windows, errno natively).

#include <cstddef>
#include <string>
#include <vector>

#include "toolkit/lynkernel32_api.h"

// Longest value GetValue returns, in bytes; longer values are cut, never
// inside a double-byte character.
inline constexpr std::size_t kLynIniMaxValueBytes = 259;
// Room of the lists GetSections and GetKeyValues fill, counted as the
// platform counts it: every name (or "key=value" line) with a closing zero
// byte, and one zero byte to close the list.
inline constexpr std::size_t kLynIniSectionListBytes = 2047;
inline constexpr std::size_t kLynIniKeyValueListBytes = 6000;
// SetValue's result when it wrote nothing because the key is absent and
// creating it was not asked for.
inline constexpr int kLynIniNotWritten = 1;

class LYNKERNEL32_API CLynIni {
public:
    CLynIni();
    CLynIni(const CLynIni& other);
    CLynIni& operator=(const CLynIni& other);
    virtual ~CLynIni();

    // Remembers `path`, first making an empty file there when there is none.
    // 1 when a file exists at `path` afterwards, else 0 (the path is then not
    // taken).
    int SetFileName(const std::string& path);
    const std::string& GetFileName() const;

    // The value of `key` in `section` (see kLynIniMaxValueBytes); empty when absent.
    std::string GetValue(const std::string& section, const std::string& key) const;

    // Writes `key` = `value` into `section`, making both when needed. With
    // `create` false only a key that already has a value is written; an
    // absent one gives kLynIniNotWritten and leaves the file alone. Texts that
    // cannot be stored as one line of their kind are refused with the
    // "invalid parameter" error: a line break or zero byte inside a text (at
    // either end a line break is a blank and goes), or a key that holds '=' or
    // starts with '[' or ';' (it would read back as another key, a section or
    // a comment).
    int SetValue(const std::string& section, const std::string& key, const std::string& value, bool create);

    // Removes the section with all its lines; removing what is not there
    // succeeds.
    int DelSection(const std::string& section);
    // Removes one key line.
    int DelKey(const std::string& section, const std::string& key);
    // Removes every named section in one write, however many there are.
    int DelAllSections();

    // Fills `names` with the section names in file order, as many whole names
    // as kLynIniSectionListBytes holds. A file without sections gives one empty
    // name. Returns the number of names.
    int GetSections(std::vector<std::string>& names) const;

    // Fills `keys` and `values` with the lines of `section` in file order, as
    // many whole lines as kLynIniKeyValueListBytes holds: for "key=value" the text
    // before and after the first '=' (the value as stored, quotes kept), for a
    // line without '=' an empty key and the line as value. A missing or empty
    // section gives one pair of empty texts. Returns the number of pairs.
    int GetKeyValues(std::vector<std::string>& keys,
                     std::vector<std::string>& values,
                     const std::string& section) const;

private:
    std::string path_;
};
