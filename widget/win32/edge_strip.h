#pragma once

// The thin strip the calendar window leaves at the top of the screen when
// it hides: a 5-pixel tool window without a title that slides in downwards
// and, when clicked, posts a message to the window that made it.

#include <windows.h>

#include "controls/win32/window.h"

inline constexpr char kEdgeStripClass[] = "ZELLUM-EdgeStrip";
inline constexpr int kEdgeStripHeight = 5;
// The calendar window's content starts this far right of its left edge.
inline constexpr int kEdgeStripIndent = 21;

class EdgeStrip final : public cmmctrls::CWindow {
public:
    // A new strip from `left` to `right` along the screen's top (an old one
    // goes first), slid in over 200 ms; a click posts `message` to `target`.
    bool Show(HWND target, UINT message, int left, int right);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    HWND target_ = nullptr;
    UINT message_ = 0;
};
