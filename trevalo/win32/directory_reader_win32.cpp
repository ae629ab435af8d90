#include <windows.h>

#include "common/path_util.h"
#include "common/win32/handles.h"
#include "trevalo/contact_tree.h"

namespace {

struct FileSearchTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value v) { FindClose(v); }
};
using UniqueFileSearch = UniqueResource<FileSearchTraits>;

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

class Win32DirectoryReader : public DirectoryReader {
public:
    bool List(const std::string& folder, std::vector<DirectoryEntry>& entries) const override {
        entries.clear();
        WIN32_FIND_DATAA found{};
        const UniqueFileSearch search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
        if (!search) {
            // A drive's root without entries has not even the dot entries.
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        }
        do {
            if (IsDotEntry(found.cFileName)) {
                continue;
            }
            // A junction (the documents folder has some that point back up
            // or deny listing) is not walked: it would end or loop the walk.
            const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                     (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
            entries.push_back({found.cFileName, folderEntry});
        } while (FindNextFileA(search.get(), &found));
        return GetLastError() == ERROR_NO_MORE_FILES;
    }
};

}  // namespace

std::unique_ptr<DirectoryReader> MakeSystemDirectoryReader() {
    return std::make_unique<Win32DirectoryReader>();
}
