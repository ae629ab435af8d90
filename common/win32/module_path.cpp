#include "common/win32/module_path.h"

#include <vector>

#include "common/path_util.h"

std::string ModulePath(HMODULE module) {
    // Paths longer than MAX_PATH are possible; grow until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ModuleFolder(HMODULE module) {
    std::string path = ModulePath(module);
    return path.empty() ? std::string() : FolderOf(path);
}

HMODULE ModuleOfAddress(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module;
}
