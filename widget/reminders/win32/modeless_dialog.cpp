#include "widget/reminders/win32/modeless_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/win32/window_icon.h"
#include "services/product_services.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

ModelessDialog::~ModelessDialog() {
    if (window_) {
        SetWindowLongPtrA(window_.get(), DWLP_USER, 0);
    }
    window_.reset();
}

bool ModelessDialog::Create(HINSTANCE resources, int templateId, const char* captionSuffix) {
    // The date pickers, the arrows and the list view are common controls.
    INITCOMMONCONTROLSEX classes = {sizeof(classes),
                                    ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    try {
        const std::string caption = std::string(GetSoftName()) + GetSoftVersion() + captionSuffix;
        if (CreateDialogParamA(resources, MAKEINTRESOURCEA(templateId), nullptr, &ModelessDialog::Procedure,
                               reinterpret_cast<LPARAM>(this)) == nullptr) {
            return false;
        }
        navigation_ = std::make_unique<DialogNavigation>(window());
        SetWindowTextA(window(), caption.c_str());
        ShowWidgetIcon(resources);
        CentreOnDesktop();
        return true;
    } catch (...) {
        // Destroyed unheard: the derived class never saw a usable window.
        if (window_) {
            SetWindowLongPtrA(window_.get(), DWLP_USER, 0);
        }
        window_.reset();
        return false;
    }
}

INT_PTR CALLBACK ModelessDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<ModelessDialog*>(lParam)->window_.reset(dialog);
    }
    auto* self = reinterpret_cast<ModelessDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    try {
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            self->window_.release();
            self->navigation_.reset();
            self->OnDestroyed(dialog);
            return FALSE;
        }
        return self->Handle(message, wParam, lParam);
    } catch (...) {
        // Out of memory while building a text: the click is lost, the
        // dialog stays usable.
        return FALSE;
    }
}

void ModelessDialog::ShowWidgetIcon(HINSTANCE resources) {
    ShowWindowIcon(window(), resources, IDI_REMINDER_WIDGET_ICON);
}

void ModelessDialog::CentreOnDesktop() {
    RECT desktop = {};
    RECT own = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window(), &own);
    const int x = desktop.left + (desktop.right - desktop.left - (own.right - own.left)) / 2;
    const int y = desktop.top + (desktop.bottom - desktop.top - (own.bottom - own.top)) / 2;
    SetWindowPos(window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModelessDialog::BringToFront() {
    ShowWindow(window(), SW_SHOWNORMAL);
    if (!SetForegroundWindow(window()) || GetForegroundWindow() != window()) {
        FLASHWINFO flash = {sizeof(flash), window(), FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
        FlashWindowEx(&flash);
    }
}

INT_PTR ModelessDialog::NotifyResult(LRESULT result) {
    SetWindowLongPtrA(window(), DWLP_MSGRESULT, result);
    return TRUE;
}
