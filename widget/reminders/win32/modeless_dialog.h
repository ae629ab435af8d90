#pragma once

// The base of the reminder editors, the reminder pop-up and the
// missed-reminders window: a modeless dialog owned by the desktop, made from
// a template of the widget's resources, with the product's caption and the
// widget icon, and dialog keys through DialogNavigation. Everything happens
// on the thread that made it.

#include <windows.h>

#include <memory>

#include "common/win32/handles.h"
#include "widget/reminders/win32/dialog_navigation.h"

class ModelessDialog {
public:
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    // Nullptr before Create and once the window is destroyed.
    HWND window() const { return window_.get(); }

protected:
    ModelessDialog() = default;
    // Destroys the window; Handle and OnDestroyed hear nothing of it, as the
    // derived object is already gone.
    virtual ~ModelessDialog();

    // Makes the hidden dialog from `templateId` in `resources`, captioned
    // with the product's name and version and `captionSuffix`, with the
    // widget icon, centred on the desktop. False when it cannot be made.
    bool Create(HINSTANCE resources, int templateId, const char* captionSuffix);

    // The dialog procedure's messages from WM_INITDIALOG on, WM_NCDESTROY
    // excepted; returns what a dialog procedure returns.
    virtual INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // `destroyed` (this dialog's window) was destroyed while the object
    // lives, not by the destructor.
    virtual void OnDestroyed(HWND destroyed) { (void)destroyed; }

    HWND Item(int id) const { return GetDlgItem(window_.get(), id); }
    // Shows the dialog normally and brings it to the foreground; when the
    // system refuses (another program has the user's attention), its
    // task-bar entry flashes until it is activated.
    void BringToFront();
    // Gives WM_NOTIFY's result back through the dialog.
    INT_PTR NotifyResult(LRESULT result);
    // Expires with the object. A handler that waits in a message box or a
    // file box checks it before going on: the box's message loop runs the
    // owner's code too, which may destroy the dialog object meanwhile.
    std::weak_ptr<const int> Lifetime() const { return lifetime_; }

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void ShowWidgetIcon(HINSTANCE resources);
    void CentreOnDesktop();

    std::shared_ptr<const int> lifetime_ = std::make_shared<const int>(0);
    std::unique_ptr<DialogNavigation> navigation_;
    UniqueWindow window_;
};
