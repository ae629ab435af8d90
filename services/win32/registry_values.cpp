#include "services/product_services.h"

#include <algorithm>

#include "common/win32/handles.h"

namespace {

// A value read is at most this many bytes, its terminating zero included.
constexpr DWORD kMaxValueBytes = 256;

UniqueRegistryKey OpenMachineKey(const char* path, REGSAM access) {
    HKEY key = nullptr;
    if (path == nullptr || RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &key) != ERROR_SUCCESS) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(key);
}

}  // namespace

int GetRegInfoValue(const char* path, const char* name, std::string& out) noexcept {
    try {
        UniqueRegistryKey key = OpenMachineKey(path, KEY_READ);
        if (!key) {
            return 0;
        }
        char data[kMaxValueBytes];
        DWORD size = sizeof data;
        // Too long a value fails with ERROR_MORE_DATA and is not read at all.
        if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS) {
            return 0;
        }
        // A value stored without its terminating zero ends with its data.
        const char* begin = data;
        const char* end = begin + std::min<DWORD>(size, sizeof data);
        out.assign(begin, std::find(begin, end, '\0'));
        return 1;
    } catch (...) {
        return 0;
    }
}

int SetRegInfoValueEx(const char* path, const char* name, std::string value) noexcept {
    if (path == nullptr) {
        return 0;
    }
    UniqueRegistryKey key = OpenMachineKey(path, KEY_WRITE);
    if (!key) {
        // Creates the key together with every missing parent.
        HKEY created = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &created,
                            nullptr) != ERROR_SUCCESS) {
            return 0;
        }
        key.reset(created);
    }
    return RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS
               ? 1
               : 0;
}

int DeleteRegKey(const char* path, const char* name) noexcept {
    UniqueRegistryKey key = OpenMachineKey(path, KEY_WRITE);
    return key && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS ? 1 : 0;
}
