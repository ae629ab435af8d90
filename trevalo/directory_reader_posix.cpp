#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "common/path_util.h"
#include "trevalo/contact_tree.h"

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

class PosixDirectoryReader : public DirectoryReader {
public:
    bool List(const std::string& folder, std::vector<DirectoryEntry>& entries) const override {
        entries.clear();
        const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
        if (!dir) {
            return false;
        }
        while (const dirent* entry = readdir(dir.get())) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
                continue;
            }
            // lstat: a link to a folder is not walked, so a link back up the
            // tree cannot make the walk endless.
            struct stat status {};
            const bool folderEntry =
                lstat(JoinPath(folder, entry->d_name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
            entries.push_back({entry->d_name, folderEntry});
        }
        // readdir's order is the file system's; sorted like an NTFS listing.
        std::sort(entries.begin(), entries.end(),
                  [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
        return true;
    }
};

}  // namespace

std::unique_ptr<DirectoryReader> MakeSystemDirectoryReader() {
    return std::make_unique<PosixDirectoryReader>();
}
