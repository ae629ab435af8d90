#include "common/win32/temporary_folder.h"

#include <windows.h>

std::string TemporaryFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof path, path);
    if (length == 0 || length >= sizeof path) {
        return {};
    }
    std::string folder(path, length);
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}
