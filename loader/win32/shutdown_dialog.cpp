#include "loader/win32/shutdown_dialog.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <utility>

#include "common/win32/window_icon.h"
#include "loader/shutdown_schedule.h"
#include "loader/win32/shutdown_resources.h"
#include "services/product_services.h"

namespace {

// Room for any text the digit-only fields can hold; more is cut.
constexpr int kFieldTextBytes = 32;

}  // namespace

std::unique_ptr<ShutdownDialog> ShutdownDialog::Open(HINSTANCE resources,
                                                     std::string settingsPath,
                                                     const std::string& title) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    std::unique_ptr<ShutdownDialog> dialog(new ShutdownDialog(std::move(settingsPath)));
    if (!dialog->CreateFromTemplate(resources, IDD_SHUTDOWN_SETTINGS, nullptr)) {
        return nullptr;
    }
    HWND window = dialog->Handle();
    SetWindowTextA(window, title.c_str());
    ShowShutdownIcon(window, resources);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return dialog;
}

INT_PTR ShutdownDialog::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_SHUTDOWN_ON:
                    if (HIWORD(wParam) == BN_CLICKED) {
                        EnableTimeFields(IsDlgButtonChecked(window_.get(), IDC_SHUTDOWN_ON) == BST_CHECKED);
                    }
                    return TRUE;
                case IDOK:
                    Save();  // may have destroyed the dialog and this object: nothing after it
                    return TRUE;
                case IDCANCEL:
                    DestroyWindow(window_.get());
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

// An unreadable settings file leaves the fields as the template has them.
void ShutdownDialog::OnInitDialog() {
    const std::optional<ShutdownSchedule> schedule = ReadShutdownSchedule(settingsPath_);
    if (!schedule) {
        return;
    }
    HWND dialog = window_.get();
    SendDlgItemMessageA(dialog, IDC_SHUTDOWN_HOUR_ARROWS, UDM_SETRANGE32, 0, kShutdownLastHour);
    SendDlgItemMessageA(dialog, IDC_SHUTDOWN_MINUTE_ARROWS, UDM_SETRANGE32, 0, kShutdownLastMinute);
    CheckDlgButton(dialog, IDC_SHUTDOWN_ON, schedule->on ? BST_CHECKED : BST_UNCHECKED);
    EnableTimeFields(schedule->on);
    // The texts are set after the ranges, which would otherwise clamp a
    // stored value out of range into a valid-looking one.
    SetDlgItemTextA(dialog, IDC_SHUTDOWN_HOUR, std::to_string(schedule->hour).c_str());
    SetDlgItemTextA(dialog, IDC_SHUTDOWN_MINUTE, std::to_string(schedule->minute).c_str());
}

void ShutdownDialog::EnableTimeFields(bool on) {
    for (int id : {IDC_SHUTDOWN_HOUR, IDC_SHUTDOWN_HOUR_ARROWS, IDC_SHUTDOWN_MINUTE, IDC_SHUTDOWN_MINUTE_ARROWS}) {
        EnableWindow(GetDlgItem(window_.get(), id), on ? TRUE : FALSE);
    }
}

int ShutdownDialog::FieldNumber(int id) const {
    char text[kFieldTextBytes] = {};
    GetDlgItemTextA(window_.get(), id, text, kFieldTextBytes);
    return ReadSettingNumber(text);
}

// Out-of-range entries are refused with their message; a file that cannot
// be written keeps the dialog open, so the user's entry is not lost
// unnoticed.
void ShutdownDialog::Save() {
    HWND dialog = window_.get();
    ShutdownSchedule schedule;
    schedule.hour = FieldNumber(IDC_SHUTDOWN_HOUR);
    schedule.minute = FieldNumber(IDC_SHUTDOWN_MINUTE);
    schedule.on = IsDlgButtonChecked(dialog, IDC_SHUTDOWN_ON) == BST_CHECKED;
    if (std::optional<std::string_view> problem = ShutdownEntryProblem(schedule.hour, schedule.minute)) {
        // The message box runs the loader's messages, which may close this
        // dialog meanwhile; nothing of it is used after the box.
        MsgBox(dialog, std::string(*problem).c_str(), MB_ICONINFORMATION);
        return;
    }
    if (WriteShutdownSchedule(settingsPath_, schedule)) {
        DestroyWindow(dialog);
    }
}

void ShowShutdownIcon(HWND dialog, HINSTANCE resources) {
    ShowWindowIcon(dialog, resources, IDI_SHUTDOWN_ICON);
}
