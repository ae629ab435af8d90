#pragma once

// The clock window "ZELLUM-ClockWindow": a small layered pop-up beside the
// calendar window showing the time in large digits with a blinking colon,
// the weekday and date, and the banner counted from network time. It
// redraws every 500 ms while it is shown (never while hidden) and runs the
// network time worker while it exists.

#include <windows.h>

#include <memory>
#include <string>

#include "widget/clock/clock_face.h"
#include "widget/clock/win32/network_time_worker.h"

namespace Gdiplus {
class Bitmap;
}

class ClockWindow {
public:
    struct Settings {
        std::string commskinsFolder;  // module folder\Commskins (clockbk.png, digit.png)
        std::string skinFolder;       // the calendar skin folder: "twhite.txt" there = white text; its own
                                      // clockbk.png and digit.png go before Commskins'
        std::string networkIniPath;   // the loader's Data\network.ini
        int alpha = 255;
    };
    static constexpr int kWidth = 187;  // clockbk.png
    static constexpr int kHeight = 100;
    static constexpr char kTitle[] = "ZELLUM-ClockWindow";  // also the window class

    ClockWindow();
    // With other network time timing than the hourly default.
    explicit ClockWindow(const NetworkTimeTiming& timing);
    ~ClockWindow();  // Destroy()
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;

    // Creates the window: a layered pop-up owned by `owner`, a tool window,
    // shown without activating; starts the 500 ms redraw and the worker.
    // False when the window could not be made (or exists already).
    bool Create(HWND owner, const Settings& settings);
    // Stops the worker (at most 5 s), destroys the window, frees the images.
    void Destroy();
    void MoveTo(int x, int y);  // screen position of its top left
    void SetAlpha(int alpha);   // redraws now at this opacity (0-255)
    // Checks twhite.txt and the skin's pictures again and redraws.
    void SetSkinFolder(const std::string& skinFolder);
    // The result of ShowWindow(SW_SHOWNOACTIVATE / SW_HIDE); a shown clock
    // is placed above the calendar that owns it.
    bool Show(bool show);
    HWND GetSafeHwnd() const;

    // What the last redraw showed, and the surface it was drawn on (32-bit
    // ARGB, kWidth x kHeight; null without a window).
    const ClockFace& ShownFace() const;
    Gdiplus::Bitmap* Surface() const;
    // Frames pushed to the screen so far.
    unsigned long FramesShown() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
