#pragma once

// The hidden window through which the timer service reaches a listening
// thread: the timer's thread posts TM_TICK and TM_FIRE to it, and its window
// procedure runs the dispatch and the listeners on the thread that owns it.

#include <windows.h>

#include <memory>

#include "timer/thread_listener_set.h"

inline constexpr char kTimerWindowClass[] = "TimeSynWindow";

// Registers the window class for `module`. True also when this module's
// class is still registered from an earlier service whose windows on other
// threads outlived it: that class already runs our window procedure.
bool RegisterTimerWindowClass(HINSTANCE module);
void UnregisterTimerWindowClass(HINSTANCE module);

class TimerWindow final : public ITimerWindow {
public:
    // Creates the window on the calling thread for `set`; nullptr when it
    // cannot be created.
    static std::unique_ptr<TimerWindow> Create(HINSTANCE module, ThreadListenerSet* set);

    // On the owning thread the window is destroyed. Any other thread (the
    // service torn down while other threads still listen) cannot destroy it:
    // the window is cut off from our code and asked to close on its own
    // thread.
    ~TimerWindow() override;
    TimerWindow(const TimerWindow&) = delete;
    TimerWindow& operator=(const TimerWindow&) = delete;

    HWND handle() const { return window_; }
    DWORD ownerThread() const { return ownerThread_; }
    // False once the window is gone, as when its thread ended without
    // unregistering and the thread id came round again.
    bool IsAlive() const;

    void PostTick(ThreadListenerSet* set) override;
    void PostFire(ITimerSenseObj* listener, ThreadListenerSet* set) override;

private:
    TimerWindow(HWND window, DWORD ownerThread) : window_(window), ownerThread_(ownerThread) {}

    HWND window_;
    DWORD ownerThread_;
};
