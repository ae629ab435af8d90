#include "loader/win32/tray_icon.h"

#include "loader/module_record.h"

TrayIcon::TrayIcon() : record_{} {
    record_.cbSize = sizeof record_;
}

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::Add(HWND owner,
                   UINT callbackMessage,
                   HICON icon,
                   const std::string& balloonTitle,
                   const std::string& balloonText,
                   UINT balloonTimeoutMs) {
    record_.hWnd = owner;
    record_.uID = 0;
    record_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_INFO;
    record_.uCallbackMessage = callbackMessage;
    record_.hIcon = icon;
    record_.szTip[0] = '\0';
    // Texts longer than the record's fields are cut between characters.
    CopyToField(record_.szInfoTitle, balloonTitle);
    CopyToField(record_.szInfo, balloonText);
    record_.uTimeout = balloonTimeoutMs;
    record_.dwInfoFlags = NIIF_INFO;
    balloonText_ = balloonText;
    balloonTitle_ = balloonTitle;
    added_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    return added_;
}

bool TrayIcon::Change(HICON icon, const std::string& balloonText) {
    record_.hIcon = icon;
    record_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_INFO;
    CopyToField(record_.szInfo, balloonText);
    balloonText_ = balloonText;
    return Shell_NotifyIconA(NIM_MODIFY, &record_) != FALSE;
}

bool TrayIcon::ChangeBalloon(const std::string& balloonTitle, const std::string& balloonText, UINT balloonTimeoutMs) {
    record_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP | NIF_INFO;
    CopyToField(record_.szInfoTitle, balloonTitle);
    CopyToField(record_.szInfo, balloonText);
    record_.uTimeout = balloonTimeoutMs;
    balloonTitle_ = balloonTitle;
    balloonText_ = balloonText;
    return Shell_NotifyIconA(NIM_MODIFY, &record_) != FALSE;
}

bool TrayIcon::ShowIconAgain() {
    NOTIFYICONDATAA iconOnly = record_;
    iconOnly.uFlags = NIF_ICON;
    return Shell_NotifyIconA(NIM_MODIFY, &iconOnly) != FALSE;
}

bool TrayIcon::AddAgain() {
    if (record_.hWnd == nullptr) {
        return false;
    }
    NOTIFYICONDATAA quiet = record_;
    quiet.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    added_ = Shell_NotifyIconA(NIM_ADD, &quiet) != FALSE;
    return added_;
}

void TrayIcon::Remove() {
    if (added_) {
        NOTIFYICONDATAA removal = record_;
        removal.uFlags = 0;
        Shell_NotifyIconA(NIM_DELETE, &removal);
        added_ = false;
    }
}
