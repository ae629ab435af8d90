#pragma once

// The base of the suite's dialogs whose C++ object owns the dialog window:
// the object is handed to the dialog procedure with WM_INITDIALOG and kept
// in DWLP_USER, every message from WM_INITDIALOG on goes to OnMessage, no
// exception leaves the procedure, and a window that goes by itself (closed
// by the user, or with its parent) leaves the object without a window.
// Destroying the object destroys the window, which then tells the object
// nothing more.

#include <windows.h>

#include "common/win32/handles.h"

class OwnedDialog {
public:
    OwnedDialog(const OwnedDialog&) = delete;
    OwnedDialog& operator=(const OwnedDialog&) = delete;

protected:
    OwnedDialog() = default;
    virtual ~OwnedDialog();

    // Makes the dialog from template `templateId` of `resources` as a child
    // of `parent` (nullptr: owned by the desktop). False when it cannot be
    // made.
    bool CreateFromTemplate(HINSTANCE resources, int templateId, HWND parent);

    // What a dialog procedure returns for the message. An exception thrown
    // here (out of memory while building a text) loses this message only.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // Destroys the window unheard: for a destructor that must close the
    // window before its own members go (a timer of the window reads them).
    void DestroyUnheard();

    UniqueWindow window_;  // empty before creation and once the window has gone

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
