#include "common/win32/owned_dialog.h"

OwnedDialog::~OwnedDialog() {
    DestroyUnheard();
}

void OwnedDialog::DestroyUnheard() {
    if (window_) {
        SetWindowLongPtrA(window_.get(), DWLP_USER, 0);
    }
    window_.reset();
}

bool OwnedDialog::CreateFromTemplate(HINSTANCE resources, int templateId, HWND parent) {
    return CreateDialogParamA(resources, MAKEINTRESOURCEA(templateId), parent, &OwnedDialog::Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK OwnedDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        reinterpret_cast<OwnedDialog*>(lParam)->window_.reset(dialog);
    }
    auto* self = reinterpret_cast<OwnedDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        static_cast<void>(self->window_.release());  // the window is going by itself
        return FALSE;
    }
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
