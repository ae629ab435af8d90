#pragma once

// Slides a pop-up window in and, after its life time, slides it out and
// destroys it. The life time is counted by the timer service (QvSHJ) on the
// thread that calls Animate, which must therefore run a message loop; the
// hide and the destruction run on that thread too.

#include <windows.h>

#include "controls/qvctrl_api.h"
#include "timer/timer_sense.h"

namespace cmmctrls {

// The animation that removes the window: hide, slide, top to bottom.
inline constexpr DWORD kSlideOutFlags = 0x50004;  // AW_HIDE | AW_SLIDE | AW_VER_POSITIVE

class QVCTRL_API CAnimateWindow : public ITimerSenseObj {
public:
    static constexpr DWORD kDefaultLifeTime = 5000;  // ms

    CAnimateWindow() = default;
    // Stops a pending countdown (call it on the thread that called Animate),
    // so the timer service never calls a destroyed object.
    ~CAnimateWindow() override;
    CAnimateWindow(const CAnimateWindow&) = delete;
    CAnimateWindow& operator=(const CAnimateWindow&) = delete;

    void AttachWindow(HWND window) { window_ = window; }
    HWND GetAttachedWindow() const { return window_; }
    // 0: the window stays until someone else removes it.
    void SetLifeTime(DWORD milliseconds) { lifeTime_ = milliseconds; }
    DWORD GetLifeTime() const { return lifeTime_; }

    // Plays the window animation `flags` over `time` ms on the attached
    // window and starts (or restarts) the life time. False when no window is
    // attached.
    bool Animate(DWORD time, DWORD flags);
    // The life time is over: slide the window out, stop counting, destroy
    // the window and let go of it.
    void TimeArrive() override;

private:
    void StopCountdown();

    DWORD lifeTime_ = kDefaultLifeTime;
    HWND window_ = nullptr;
    DWORD animateTime_ = 0;
    bool counting_ = false;
};

}  // namespace cmmctrls
