#include "loader/win32/shutdown_dialog.h"

#include <commctrl.h>

#include <initializer_list>
#include <optional>
#include <utility>

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
    if (CreateDialogParamA(resources, MAKEINTRESOURCEA(IDD_SHUTDOWN_SETTINGS), nullptr, &ShutdownDialog::Procedure,
                           reinterpret_cast<LPARAM>(dialog.get())) == nullptr) {
        return nullptr;
    }
    HWND window = dialog->Handle();
    SetWindowTextA(window, title.c_str());
    ShowShutdownIcon(window, resources);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return dialog;
}

ShutdownDialog::~ShutdownDialog() {
    if (window_) {
        SetWindowLongPtrA(window_.get(), DWLP_USER, 0);
    }
}

INT_PTR CALLBACK ShutdownDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<ShutdownDialog*>(lParam)->window_.reset(dialog);
    }
    auto* self = reinterpret_cast<ShutdownDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        static_cast<void>(self->window_.release());  // the window is going by itself
        return FALSE;
    }
    try {
        return self->Handle(message, wParam);
    } catch (...) {
        // Out of memory while building a text: the click is lost, the
        // dialog stays usable.
        return FALSE;
    }
}

INT_PTR ShutdownDialog::Handle(UINT message, WPARAM wParam) {
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

// The icon is shared from the module (LR_SHARED): the system owns it.
void ShowShutdownIcon(HWND dialog, HINSTANCE resources) {
    for (auto [size, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetrics(metric);
        HANDLE icon = LoadImageA(resources, MAKEINTRESOURCEA(IDI_SHUTDOWN_ICON), IMAGE_ICON, pixels, pixels, LR_SHARED);
        if (icon != nullptr) {
            SendMessageA(dialog, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
        }
    }
}
