#pragma once

// What the tests of LynKernel32's controls share: the skin pictures the
// build drew, a top-level window to hold a control and record what it tells
// its parent, and a control's picture rendered off the screen.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace control_test {

// A skin picture of the side program in the build tree (the tests run in
// the tree's folder).
std::string SkinPath(const std::string& name);

// The colour of pixel (x, y) of a BMP file; CLR_INVALID when unreadable.
COLORREF BmpPixel(const std::string& path, int x, int y);

struct CommandRecord {
    int id;
    int code;
};

struct NotifyRecord {
    UINT_PTR id;
    UINT code;
};

// A visible pop-up window at `place` with a solid background, recording the
// WM_COMMAND and WM_NOTIFY messages its children send; destroyed with the
// object.
class ParentWindow {
public:
    ParentWindow(const RECT& place, COLORREF background);
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND get() const { return window_; }
    std::vector<CommandRecord> commands;
    std::vector<NotifyRecord> notices;
    // Runs for each WM_COMMAND as it arrives, before it is recorded.
    std::function<void(const CommandRecord&)> onCommand;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    HBRUSH brush_ = nullptr;
};

// A window's client area as the window paints it for WM_PRINTCLIENT.
class Rendering {
public:
    explicit Rendering(HWND window);
    COLORREF Pixel(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

// The codes of the WM_COMMAND records from child `id`, in order.
std::vector<int> CodesFrom(const std::vector<CommandRecord>& records, int id);

// A left click posted to `window` at (x, y) of its client area, and the
// messages handled until it has arrived.
void Click(HWND window, int x, int y);

// Button down at one point and up at another.
void PressAndRelease(HWND window, POINT down, POINT up);

}  // namespace control_test
