// Toolkit file access on Windows.

#include <windows.h>

#include "common/win32/handles.h"
#include "toolkit/file_access.h"

int ReadFileIfPresent(const std::string& path, std::string& contents, bool& present) {
    contents.clear();
    present = false;
    // Others may go on reading, writing or replacing the file meanwhile; the
    // suite's writers replace files whole, so a read sees one version.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : static_cast<int>(error);
    }
    char buffer[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            contents.clear();
            return static_cast<int>(GetLastError());
        }
        if (got == 0) {
            break;
        }
        if (contents.size() + got > kMaxStoredFileBytes) {
            contents.clear();
            return ERROR_FILE_TOO_LARGE;
        }
        contents.append(buffer, got);
    }
    present = true;
    return 0;
}

bool CreateFileIfMissing(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    // OPEN_ALWAYS: a file made by someone else in the meantime stays whole.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

int InvalidParameterError() {
    return ERROR_INVALID_PARAMETER;
}

int OutOfMemoryError() {
    return ERROR_OUTOFMEMORY;
}
