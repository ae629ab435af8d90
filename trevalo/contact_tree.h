#pragma once

// The history mode's contact tree, found in the user's documents folder:
// folders whose names end in nine digits are accounts (top-level nodes), and
// the entries met under an account whose titles end in nine digits are its
// logs (children). The walk is platform-free; the tree it fills and the
// folder listing are given to it.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kContactTreePlaceholder[] = "正在初始化联系人列表...";

// True when `name` is longer than 9 characters and its last 9 are decimal
// digits.
bool IsContactName(std::string_view name);

// `fileName` without its extension (the part from the last dot on).
std::string TitleOf(std::string_view fileName);

struct DirectoryEntry {
    std::string name;  // no dot entries
    bool folder = false;
};

class DirectoryReader {
public:
    virtual ~DirectoryReader() = default;
    // The entries of `folder` in `entries`; false when it cannot be listed.
    virtual bool List(const std::string& folder, std::vector<DirectoryEntry>& entries) const = 0;
};

// The platform's folders (FindFirstFileA on Windows, readdir natively).
std::unique_ptr<DirectoryReader> MakeSystemDirectoryReader();

// Where the walk puts what it finds. Node values are the tree's own item
// handles, opaque to the walk; 0 is no node.
class ContactTreeSink {
public:
    virtual ~ContactTreeSink() = default;
    // A top-level account node; the first one also clears the placeholder
    // and everything else in the tree. 0 when it could not be inserted.
    virtual std::uintptr_t AddAccount(const std::string& text) = 0;
    // A log node under `account` for the file or folder at `path`; `text`
    // is the entry's title: its whole name with the digits, without the
    // extension ("alice123456789" for alice123456789.xml).
    virtual void AddLog(std::uintptr_t account, const std::string& text, const std::string& path) = 0;
};

// Walks `documentsFolder` recursively and fills `sink`. A folder that cannot
// be listed ends the walk quietly; what was found stays.
void BuildContactTree(const DirectoryReader& reader, const std::string& documentsFolder, ContactTreeSink& sink);
