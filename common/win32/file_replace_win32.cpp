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

// Another program that has the target open without delete sharing (a backup
// tool, a virus scanner, a reader of our own) makes the rename fail for as
// long as it holds the file. Access denied is such a conflict too, unless
// the target is a folder or read-only: waiting never mends those.
bool IsBusyTarget(DWORD error, const std::string& path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        return true;
    }
    if (error != ERROR_ACCESS_DENIED) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Moves the temporary file over the target, trying again in growing steps
// for about a second while the target is busy; 0 or the last error.
DWORD MoveIntoPlace(const std::string& temporary, const std::string& path) {
    constexpr DWORD kRetryMilliseconds = 1000;
    constexpr DWORD kLongestStep = 250;
    DWORD step = 10;
    DWORD waited = 0;
    for (;;) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD error = GetLastError();
        if (waited >= kRetryMilliseconds || !IsBusyTarget(error, path)) {
            return error;
        }
        Sleep(step);
        waited += step;
        step = step * 2 > kLongestStep ? kLongestStep : step * 2;
    }
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
    if (error == 0) {
        error = MoveIntoPlace(temporary, path);
    }
    if (error != 0) {
        DeleteFileA(temporary.c_str());
    }
    return static_cast<int>(error);
}
