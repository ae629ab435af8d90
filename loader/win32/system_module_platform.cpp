#include "loader/win32/system_module_platform.h"

#include <windows.h>

#include <vector>

#include "common/path_util.h"

namespace {

// Closes a FindFirstFile search.
class FileSearch {
public:
    FileSearch(const std::string& pattern, WIN32_FIND_DATAA& found)
        : handle_(FindFirstFileA(pattern.c_str(), &found)) {}
    ~FileSearch() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& found) { return FindNextFileA(handle_, &found) != FALSE; }

private:
    HANDLE handle_;
};

}  // namespace

std::vector<std::string> SystemModulePlatform::ListDescriptorFiles(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    FileSearch search(JoinPath(folder, "*.xml"), found);
    if (!search.ok()) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(found.cFileName);
        }
    } while (search.Next(found));
    return names;
}

std::string SystemModulePlatform::FullPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) {
            return path;
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(length + 1);
    }
}

std::string SystemModulePlatform::ReadSearchPath() {
    DWORD length = GetEnvironmentVariableA("PATH", nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::vector<char> buffer(length);
    length = GetEnvironmentVariableA("PATH", buffer.data(), static_cast<DWORD>(buffer.size()));
    return length < buffer.size() ? std::string(buffer.data(), length) : std::string();
}

void SystemModulePlatform::WriteSearchPath(const std::string& value) {
    SetEnvironmentVariableA("PATH", value.c_str());
}

ModuleLibrary SystemModulePlatform::OpenLibrary(const std::string& path) {
    // No "cannot find the file" box for a module whose dependency is missing:
    // a broken module is skipped silently.
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryA(path.c_str());
    SetErrorMode(previous);
    return library;
}

GetVexaWInterfaceFunction SystemModulePlatform::FindInterfaceExport(ModuleLibrary library) {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(library), kGetVexaWInterfaceName);
    return reinterpret_cast<GetVexaWInterfaceFunction>(reinterpret_cast<void*>(address));
}

bool SystemModulePlatform::CloseLibrary(ModuleLibrary library) {
    return ::FreeLibrary(static_cast<HMODULE>(library)) != FALSE;
}
