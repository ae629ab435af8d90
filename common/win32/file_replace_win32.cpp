// Atomic file replacement on Windows.

#include <windows.h>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/win32/handles.h"

namespace {

// Writes all of `contents` to `file`; 0 or the system error code.
DWORD WriteAll(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        DWORD chunk = contents.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(contents.size());
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        contents.remove_prefix(written);
    }
    return 0;
}

// A temporary file name in the folder of `path` (GetTempFileName creates it).
DWORD MakeTemporaryFile(const std::string& path, std::string& temporary) {
    std::string folder = FolderOf(path);
    if (folder.empty()) {
        folder = ".";
    }
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "tmp", 0, name) == 0) {
        return GetLastError();
    }
    temporary = name;
    return 0;
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view contents) {
    std::string temporary;
    DWORD error = MakeTemporaryFile(path, temporary);
    if (error != 0) {
        return static_cast<int>(error);
    }
    {
        UniqueHandle file(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            error = GetLastError();
        } else {
            error = WriteAll(file.get(), contents);
            if (error == 0 && !FlushFileBuffers(file.get())) {
                error = GetLastError();
            }
        }
    }
    if (error == 0 &&
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error != 0) {
        DeleteFileA(temporary.c_str());
    }
    return static_cast<int>(error);
}
