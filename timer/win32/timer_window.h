#pragma once

// The hidden window through which the timer service reaches a listening
// thread: the timer's thread posts TM_TICK to it, and its window procedure
// runs the dispatch and the listeners on the thread that owns it. The
// listeners a TM_TICK brings due are called in that same message, one after
// the other once the dispatch is done, each only if it is still registered
// then; a listener that comes due outside a TM_TICK (the owner adding or
// removing one catches up on the periods before) gets a TM_FIRE of its own.

#include <windows.h>

#include <memory>
#include <vector>

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
    // Adds the listener to the list being collected, else posts TM_FIRE.
    void PostFire(ITimerSenseObj* listener, ThreadListenerSet* set) override;
    // While `due` is set, firings are collected there instead of posted
    // (the owning thread, during the dispatch of a TM_TICK).
    void CollectFiresInto(std::vector<ITimerSenseObj*>* due) { collecting_ = due; }

private:
    TimerWindow(HWND window, DWORD ownerThread) : window_(window), ownerThread_(ownerThread) {}

    HWND window_;
    DWORD ownerThread_;
    std::vector<ITimerSenseObj*>* collecting_ = nullptr;  // the owning thread's only
};
