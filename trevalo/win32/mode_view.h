#pragma once

// What the main window asks of a mode (history or navigation): its
// controls, their layout, their messages, and the tree the tree worker
// builds. The main window (TrevaloWindow) owns the frame, the window
// buttons, the banner strip, placement, message 2025 and the worker; a view
// owns everything inside the area the window gives it.

#include <windows.h>

#include <string>

#include "toolkit/win32/lyn_flat_dlg.h"
#include "trevalo/program_mode.h"

class ModeView {
public:
    virtual ~ModeView() = default;

    // Makes the mode's controls as children of `frame`'s window and sets the
    // window title. Runs on the window's thread before the window is shown.
    virtual bool Create(CLynFlatDlg& frame, const TrevaloFolders& folders, const std::string& siteHost) = 0;
    // Places the controls in `area` (the frame's client coordinates, below
    // the title bar and the banner, above the bottom edge).
    virtual void Layout(const RECT& area) = 0;
    // WM_COMMAND and WM_NOTIFY of the view's controls: true when handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam) = 0;
    virtual bool OnNotify(const NMHDR& header, LRESULT& result) = 0;
    // Any other message of the main window: true when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

    // Runs on the tree worker, started when the window is set up: fills the
    // tree only through its window's messages, so the window stays usable.
    // Returns when the tree is built.
    virtual void BuildTree() = 0;
    // Asks a running BuildTree to return soon, leaving what it built: the
    // window is closing or the tree is to be built again. Any thread.
    virtual void StopTree() {}

    // Message 2025 with 2024: a click somewhere on the screen.
    virtual void OnClickElsewhere() = 0;
    // Just before the window goes (the worker has ended): save what is kept.
    virtual void OnClose() = 0;
};
