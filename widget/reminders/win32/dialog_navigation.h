#pragma once

// Dialog keys (Tab, Enter, Esc, arrow keys between radios, mnemonics) for
// modeless dialogs on a thread whose message loop is not ours: the widget
// runs on the host program's loop, which never calls IsDialogMessage. A
// WH_GETMESSAGE hook on the thread hands every key message aimed at a
// registered dialog to IsDialogMessage before the loop sees it.

#include <windows.h>

// Registers `dialog` for as long as the object lives. Made and destroyed on
// the dialog's thread; the thread's hook is set with its first dialog and
// removed with its last.
class DialogNavigation {
public:
    explicit DialogNavigation(HWND dialog);
    ~DialogNavigation();
    DialogNavigation(const DialogNavigation&) = delete;
    DialogNavigation& operator=(const DialogNavigation&) = delete;

private:
    HWND dialog_;
    DWORD thread_;
};
