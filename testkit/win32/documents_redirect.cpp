#include "testkit/win32/documents_redirect.h"

#include "common/win32/handles.h"

namespace testkit {

namespace {

constexpr char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kPersonal[] = "Personal";

UniqueRegistryKey OpenKey(const char* path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return UniqueRegistryKey();
    }
    return UniqueRegistryKey(key);
}

DocumentsRedirect::Saved ReadValue(const char* path) {
    DocumentsRedirect::Saved saved;
    UniqueRegistryKey key = OpenKey(path);
    char value[MAX_PATH * 2] = {};
    DWORD size = sizeof value - 1;
    if (key && RegQueryValueExA(key.get(), kPersonal, nullptr, &saved.type, reinterpret_cast<BYTE*>(value), &size) ==
                   ERROR_SUCCESS) {
        saved.present = true;
        saved.value = value;
    }
    return saved;
}

bool WriteValue(const char* path, DWORD type, const std::string& value) {
    UniqueRegistryKey key = OpenKey(path);
    return key && RegSetValueExA(key.get(), kPersonal, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void RestoreValue(const char* path, const DocumentsRedirect::Saved& saved) {
    if (saved.present) {
        // Nothing more can be done for a value that cannot be put back.
        WriteValue(path, saved.type, saved.value);
        return;
    }
    if (UniqueRegistryKey key = OpenKey(path)) {
        // Nothing was there before; a value already gone is as good.
        RegDeleteValueA(key.get(), kPersonal);
    }
}

}  // namespace

DocumentsRedirect::DocumentsRedirect(const std::string& folder)
    : userShellFolders_(ReadValue(kUserShellFolders)), shellFolders_(ReadValue(kShellFolders)) {
    ok_ = WriteValue(kUserShellFolders, REG_EXPAND_SZ, folder) && WriteValue(kShellFolders, REG_SZ, folder);
}

DocumentsRedirect::~DocumentsRedirect() {
    RestoreValue(kUserShellFolders, userShellFolders_);
    RestoreValue(kShellFolders, shellFolders_);
}

}  // namespace testkit
