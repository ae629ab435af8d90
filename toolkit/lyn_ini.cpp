#include "toolkit/lyn_ini.h"

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>

#include "common/file_io.h"
#include "toolkit/file_access.h"
#include "toolkit/gbk_text.h"
#include "toolkit/ini_document.h"

namespace {

// Line breaks at either end are blanks and go; one inside would split the line.
bool HasLineBreakOrZero(std::string_view text) {
    return TrimBlanks(text).find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A key that reads back as itself when written as "key=value".
bool IsStorableKey(std::string_view key) {
    key = TrimBlanks(key);
    return !HasLineBreakOrZero(key) && key.find('=') == std::string_view::npos &&
           (key.empty() || (key.front() != '[' && key.front() != ';'));
}

// The file as a document; missing or unreadable files read as empty.
IniDocument ReadDocument(const std::string& path) {
    std::string text;
    bool present = false;
    ReadFileIfPresent(path, text, present);
    return IniDocument(std::move(text));
}

// Reads the file, applies `edit` and writes the result when it changed. A file
// that is there but cannot be read is not touched: writing a document built
// from nothing in its place would lose it.
template <typename Edit>
int EditFile(const std::string& path, Edit edit) {
    try {
        std::string text;
        bool present = false;
        if (int error = ReadFileIfPresent(path, text, present); error != 0) {
            return error;
        }
        IniDocument document(std::move(text));
        if (!edit(document)) {
            return 0;
        }
        return ReplaceFileAtomically(path, document.Text());
    } catch (const std::exception&) {
        return OutOfMemoryError();  // the only thing that can throw here is allocation
    }
}

// Whether one more piece of `bytes` (without its closing zero) still fits a
// list of which `used` bytes are taken, the list's own closing zero included.
bool TakeListRoom(std::size_t& used, std::size_t bytes, std::size_t room) {
    if (bytes + 1 > room - used) {
        return false;
    }
    used += bytes + 1;
    return true;
}

}  // namespace

CLynIni::CLynIni() = default;
CLynIni::CLynIni(const CLynIni& other) = default;
CLynIni& CLynIni::operator=(const CLynIni& other) = default;
CLynIni::~CLynIni() = default;

int CLynIni::SetFileName(const std::string& path) {
    try {
        if (!CreateFileIfMissing(path)) {
            return 0;
        }
        path_ = path;
        return 1;
    } catch (const std::exception&) {
        return 0;  // out of memory
    }
}

const std::string& CLynIni::GetFileName() const {
    return path_;
}

std::string CLynIni::GetValue(const std::string& section, const std::string& key) const {
    try {
        std::optional<std::string> value = ReadDocument(path_).Value(section, key);
        if (value) {
            return std::string(CutToCharacters(*value, kLynIniMaxValueBytes));
        }
    } catch (const std::exception&) {
        // Out of memory: reads as absent.
    }
    return std::string();
}

int CLynIni::SetValue(const std::string& section, const std::string& key, const std::string& value, bool create) {
    if (HasLineBreakOrZero(section) || !IsStorableKey(key) || HasLineBreakOrZero(value)) {
        return InvalidParameterError();
    }
    bool absent = false;
    int error = EditFile(path_, [&](IniDocument& document) {
        if (!create && !document.Value(section, key)) {
            absent = true;
            return false;
        }
        return document.SetValue(section, key, value);
    });
    return error == 0 && absent ? kLynIniNotWritten : error;
}

int CLynIni::DelSection(const std::string& section) {
    return EditFile(path_, [&](IniDocument& document) { return document.RemoveSection(section); });
}

int CLynIni::DelKey(const std::string& section, const std::string& key) {
    return EditFile(path_, [&](IniDocument& document) { return document.RemoveKey(section, key); });
}

int CLynIni::DelAllSections() {
    return EditFile(path_, [](IniDocument& document) { return document.RemoveNamedSections(); });
}

int CLynIni::GetSections(std::vector<std::string>& names) const {
    names.clear();
    try {
        std::size_t used = 1;
        for (std::string& name : ReadDocument(path_).SectionNames()) {
            if (!TakeListRoom(used, name.size(), kLynIniSectionListBytes)) {
                break;
            }
            names.push_back(std::move(name));
        }
        if (names.empty()) {
            names.emplace_back();
        }
    } catch (const std::exception&) {
        names.clear();  // out of memory: no names at all
    }
    return static_cast<int>(names.size());
}

int CLynIni::GetKeyValues(std::vector<std::string>& keys,
                          std::vector<std::string>& values,
                          const std::string& section) const {
    keys.clear();
    values.clear();
    try {
        std::size_t used = 1;
        for (IniEntry& entry : ReadDocument(path_).Entries(section)) {
            std::size_t bytes = entry.name.size() + (entry.value ? entry.value->size() + 1 : 0);
            if (!TakeListRoom(used, bytes, kLynIniKeyValueListBytes)) {
                break;
            }
            if (entry.value) {
                keys.push_back(std::move(entry.name));
                values.push_back(std::move(*entry.value));
            } else {
                keys.emplace_back();
                values.push_back(std::move(entry.name));
            }
        }
        if (keys.empty()) {
            keys.emplace_back();
            values.emplace_back();
        }
    } catch (const std::exception&) {
        keys.clear();  // out of memory: no pairs at all
        values.clear();
    }
    return static_cast<int>(std::min(keys.size(), values.size()));
}
