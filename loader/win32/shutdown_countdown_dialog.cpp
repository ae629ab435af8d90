#include "loader/win32/shutdown_countdown_dialog.h"

#include <commctrl.h>

#include "loader/shutdown_schedule.h"
#include "loader/win32/shutdown_dialog.h"
#include "loader/win32/shutdown_resources.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;

class ShutdownCountdownDialog {
public:
    ShutdownCountdownDialog(HINSTANCE resources, const std::string& title, PowerControl& power)
        : resources_(resources), title_(title), power_(power) {}

    bool Run(HWND owner) {
        const INT_PTR result = DialogBoxParamA(resources_, MAKEINTRESOURCEA(IDD_SHUTDOWN_COUNTDOWN), owner,
                                               &ShutdownCountdownDialog::Procedure, reinterpret_cast<LPARAM>(this));
        return result == IDOK;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            reinterpret_cast<ShutdownCountdownDialog*>(lParam)->dialog_ = dialog;
        }
        auto* self = reinterpret_cast<ShutdownCountdownDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (self == nullptr) {
            return FALSE;
        }
        try {
            return self->Handle(message, wParam);
        } catch (...) {
            // Nothing here allocates; a failure in the power control is
            // taken as a refused power-off, and the dialog closes.
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
    }

    INT_PTR Handle(UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInitDialog();
                return TRUE;
            case WM_TIMER:
                if (wParam == kTickTimer) {
                    OnTick();
                    return TRUE;
                }
                return FALSE;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDCANCEL) {
                    KillTimer(dialog_, kTickTimer);
                    EndDialog(dialog_, IDCANCEL);
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    }

    void OnInitDialog() {
        SetWindowTextA(dialog_, title_.c_str());
        ShowShutdownIcon(dialog_, resources_);
        HWND progress = GetDlgItem(dialog_, IDC_COUNTDOWN_PROGRESS);
        SendMessageA(progress, PBM_SETRANGE32, 0, kShutdownCountdownTicks);
        SendMessageA(progress, PBM_SETPOS, 0, 0);
        SetTimer(dialog_, kTickTimer, kShutdownCountdownTickMs, nullptr);
    }

    void OnTick() {
        ++ticks_;
        SendDlgItemMessageA(dialog_, IDC_COUNTDOWN_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(ticks_), 0);
        if (ticks_ < kShutdownCountdownTicks) {
            return;
        }
        KillTimer(dialog_, kTickTimer);
        power_.PowerCommand(kExitPowerOff);
        EndDialog(dialog_, IDOK);
    }

    HINSTANCE resources_;
    const std::string& title_;
    PowerControl& power_;
    HWND dialog_ = nullptr;
    int ticks_ = 0;
};

}  // namespace

bool RunShutdownCountdown(HINSTANCE resources, HWND owner, const std::string& title, PowerControl& power) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    ShutdownCountdownDialog dialog(resources, title, power);
    return dialog.Run(owner);
}
