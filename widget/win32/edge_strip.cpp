#include "widget/win32/edge_strip.h"

#include "common/win32/handles.h"

namespace {

constexpr DWORD kSlideMilliseconds = 200;
// The suite's accent colour: the strip reads as the calendar's top edge.
constexpr COLORREF kStripColour = RGB(0x2F, 0x6B, 0xDE);

}  // namespace

bool EdgeStrip::Show(HWND target, UINT message, int left, int right) {
    DestroyWindow();
    target_ = target;
    message_ = message;
    if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kEdgeStripClass, "", WS_POPUP, left, 0, right - left,
                  kEdgeStripHeight, nullptr, nullptr)) {
        return false;
    }
    // Without a working animation (some systems refuse it) the strip is
    // shown at once.
    if (!AnimateWindow(GetSafeHwnd(), kSlideMilliseconds, AW_SLIDE | AW_VER_POSITIVE)) {
        ShowWindow(GetSafeHwnd(), SW_SHOWNOACTIVATE);
    }
    return true;
}

LRESULT EdgeStrip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_LBUTTONUP:
            PostMessageA(target_, message_, 0, 0);
            return 0;
        default:
            return CWindow::WindowProc(message, wParam, lParam);
    }
}

void EdgeStrip::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(GetSafeHwnd(), &paint);
    UniqueGdiObject brush(CreateSolidBrush(kStripColour));
    RECT client;
    GetClientRect(GetSafeHwnd(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(brush.get()));
    EndPaint(GetSafeHwnd(), &paint);
}
