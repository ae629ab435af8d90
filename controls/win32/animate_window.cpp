#include "controls/win32/animate_window.h"

#include "controls/win32/system_entry_points.h"
#include "timer/win32/cmm_timer.h"

namespace cmmctrls {

namespace {

void PlayAnimation(HWND window, DWORD time, DWORD flags) {
    if (AnimateWindowFunction animate = AnimateWindowEntry()) {
        animate(window, time, flags);
    }
}

}  // namespace

CAnimateWindow::~CAnimateWindow() {
    StopCountdown();
}

bool CAnimateWindow::Animate(DWORD time, DWORD flags) {
    if (window_ == nullptr) {
        return false;
    }
    animateTime_ = time;
    PlayAnimation(window_, time, flags);
    if (lifeTime_ == 0) {
        // A countdown started by an earlier call would still remove the
        // window that is now meant to stay.
        StopCountdown();
    } else if (CMMTimer* timer = QueryMMTimer()) {
        timer->RegisterListener(this, lifeTime_);
        counting_ = true;
    }
    return true;
}

void CAnimateWindow::TimeArrive() {
    HWND window = window_;
    window_ = nullptr;
    // The window may have been destroyed by its owner meanwhile.
    const bool alive = window != nullptr && IsWindow(window);
    if (alive) {
        PlayAnimation(window, animateTime_, kSlideOutFlags);
    }
    StopCountdown();
    if (alive) {
        DestroyWindow(window);
    }
}

void CAnimateWindow::StopCountdown() {
    if (counting_ && CMMTimer::instance_ != nullptr) {
        CMMTimer::instance_->UnRegisterListener(this);
    }
    counting_ = false;
}

}  // namespace cmmctrls
