#include "trevalo/contact_tree.h"

#include <algorithm>

#include "common/path_util.h"

namespace {

// The messenger names account folders and logs after the account's or the
// contact's sign-in name followed by a nine-digit number.
constexpr std::size_t kContactDigits = 9;

// Walks `folder` with `parent` as the node new logs go under (0: none yet).
// False when something failed; the whole walk then ends.
bool Walk(const DirectoryReader& reader, const std::string& folder, std::uintptr_t parent, ContactTreeSink& sink) {
    std::vector<DirectoryEntry> entries;
    if (!reader.List(folder, entries)) {
        return false;
    }
    for (const DirectoryEntry& entry : entries) {
        const std::string path = JoinPath(folder, entry.name);
        if (entry.folder) {
            std::uintptr_t folderParent = parent;
            if (IsContactName(entry.name)) {
                folderParent = sink.AddAccount(entry.name);
                if (folderParent == 0) {
                    return false;
                }
            }
            if (!Walk(reader, path, folderParent, sink)) {
                return false;
            }
        }
        if (parent != 0 && IsContactName(TitleOf(entry.name))) {
            sink.AddLog(parent, TitleOf(entry.name), path);
        }
    }
    return true;
}

}  // namespace

bool IsContactName(std::string_view name) {
    // A digit (below 0x40) is never the second byte of a double-byte
    // character, so nine digit bytes at the end are nine characters.
    return name.size() > kContactDigits &&
           std::all_of(name.end() - kContactDigits, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string TitleOf(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.rfind('.')));
}

void BuildContactTree(const DirectoryReader& reader, const std::string& documentsFolder, ContactTreeSink& sink) {
    // A failure ends the walk quietly: what was found stays in the tree.
    static_cast<void>(Walk(reader, documentsFolder, 0, sink));
}
