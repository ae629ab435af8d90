#include "loader/win32/system_desktop_shell.h"

#include <mmsystem.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>

#include "common/win32/com.h"
#include "common/win32/handles.h"
#include "hook/win32/lyn_hook32.h"
#include "services/product_services.h"

namespace {

// The shell automation object ("Shell.Application") and its dispatch
// interface; declared here so nothing depends on the import library's GUIDs.
constexpr CLSID kShellApplication = {0x13709620, 0xC279, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
constexpr IID kShellDispatch = {0xD8F015C0, 0xC278, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

// Registry strings are read into 256 bytes; a longer value counts as missing.
constexpr DWORD kRegistryValueBytes = 256;

const char* ValueName(const std::string& name) {
    return name.empty() ? nullptr : name.c_str();
}

}  // namespace

void SystemDesktopShell::Open(const std::string& target, const std::string& verb) {
    if (target.empty()) {
        return;  // the shell would do nothing with it either
    }
    ShellExecuteA(nullptr, verb.c_str(), target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SystemDesktopShell::Run(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    std::string writable = commandLine;  // CreateProcess may write into it
    if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
}

void SystemDesktopShell::ShowDesktop() {
    ComPtr<IShellDispatch> shell;
    if (SUCCEEDED(CoCreateInstance(kShellApplication, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                   kShellDispatch, reinterpret_cast<void**>(shell.put())))) {
        shell->MinimizeAll();
    }
}

std::string SystemDesktopShell::SpecialFolderPath(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) {
        return {};
    }
    return path;
}

std::string SystemDesktopShell::SystemFolder() {
    char folder[MAX_PATH] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::string path(folder, length);
    if (path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::optional<std::string> SystemDesktopShell::MachineString(const std::string& key, const std::string& name) {
    std::string value;
    if (GetRegInfoValue(key.c_str(), ValueName(name), value) == 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string> SystemDesktopShell::UserString(const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    UniqueRegistryKey owned(opened);
    char buffer[kRegistryValueBytes + 1] = {};
    DWORD type = 0;
    DWORD bytes = kRegistryValueBytes;
    if (RegQueryValueExA(opened, ValueName(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    return std::string(buffer);  // the value may lack its terminating zero; the buffer has one more
}

std::vector<DriveRoot> SystemDesktopShell::Drives() {
    std::vector<DriveRoot> drives;
    DWORD mask = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if ((mask & (1u << letter)) == 0) {
            continue;
        }
        std::string root = std::string(1, static_cast<char>('A' + letter)) + ":\\";
        drives.push_back({root, GetDriveTypeA(root.c_str()) == DRIVE_CDROM});
    }
    return drives;
}

void SystemDesktopShell::SetCdDoor(const std::string& drive, bool open) {
    MCI_OPEN_PARMSA device{};
    device.lpstrDeviceType = "cdaudio";
    device.lpstrElementName = drive.c_str();
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE,
                        reinterpret_cast<DWORD_PTR>(&device)) != 0) {
        return;
    }
    MCI_SET_PARMS door{};
    mciSendCommandA(device.wDeviceID, MCI_SET, (open ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED) | MCI_WAIT,
                    reinterpret_cast<DWORD_PTR>(&door));
    MCI_GENERIC_PARMS close{};
    mciSendCommandA(device.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
}

bool SystemDesktopShell::ActivateSideProgram(int mode) {
    return (mode == 0 ? ActiveTrevaloWnd() : ActiveMsnviewWnd()) != 0;
}

void SystemDesktopShell::StopSideProgramHook() {
    StopHook();
}

bool SystemDesktopShell::Confirm(const std::string& question) {
    return MsgBox(owner_, question.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void SystemPowerControl::PowerCommand(unsigned exitFlag) {
    // Every supported system (Windows 7 and later) has the security model:
    // without the shutdown privilege the system would refuse anyway.
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return;
    }
    UniqueHandle ownedToken(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) {
        return;
    }
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    // AdjustTokenPrivileges reports a privilege it could not enable only
    // through the last error (ERROR_NOT_ALL_ASSIGNED).
    if (GetLastError() != ERROR_SUCCESS) {
        return;
    }
    ExitWindowsEx(exitFlag | kExitForce, SHTDN_REASON_FLAG_PLANNED);
}
