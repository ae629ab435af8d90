#pragma once

// Helpers of the timer service's Windows tests: a listener that counts and
// records its calls, a message loop that counts the ticks it handles, and a
// look at a thread's hidden timer windows.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "testkit/win32/stopwatch.h"
#include "timer/thread_listener_set.h"
#include "timer/timer_sense.h"

namespace timer_test {

class CountingListener final : public ITimerSenseObj {
public:
    explicit CountingListener(std::vector<const ITimerSenseObj*>* order = nullptr) : order_(order) {}

    void TimeArrive() override {
        ++calls;
        lastThread = GetCurrentThreadId();
        if (order_ != nullptr) {
            order_->push_back(this);
        }
        if (onArrive) {
            onArrive();
        }
    }

    std::atomic<int> calls{0};
    std::atomic<DWORD> lastThread{0};
    std::function<void()> onArrive;

private:
    std::vector<const ITimerSenseObj*>* order_;
};

inline bool IsTimerWindow(HWND window) {
    char name[64] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 && std::string(name) == "TimeSynWindow";
}

inline BOOL CALLBACK CollectTimerWindow(HWND window, LPARAM list) {
    if (IsTimerWindow(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The hidden timer windows that thread `threadId` owns.
inline std::vector<HWND> TimerWindowsOf(DWORD threadId) {
    std::vector<HWND> found;
    EnumThreadWindows(threadId, CollectTimerWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The calling thread's message loop, with a count of the TM_TICK messages
// it has handled and the window and set the last one named.
class TickPump {
public:
    // Handles messages until `done` is true (checked after every message) or
    // `timeoutMs` have passed; false on time-out.
    bool Until(const std::function<bool()>& done, unsigned int timeoutMs) {
        testkit::Stopwatch watch;
        while (!done()) {
            const long long left = static_cast<long long>(timeoutMs) - watch.Milliseconds();
            if (left <= 0) {
                return false;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 20LL)), QS_ALLINPUT);
            MSG message;
            while (!done() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                Handle(message);
            }
        }
        return true;
    }

    // Handles messages until `count` more ticks have been handled.
    bool Ticks(int count, unsigned int timeoutMs = 5000) {
        const int target = ticks + count;
        return Until([&] { return ticks >= target; }, timeoutMs);
    }

    // Handles messages for `milliseconds`, whatever comes.
    void For(unsigned int milliseconds) {
        Until([] { return false; }, milliseconds);
    }

    // Handles the TM_FIRE messages already queued (those the last handled
    // tick posted), and no new tick.
    void DrainFires() {
        MSG message;
        while (PeekMessageA(&message, nullptr, TM_FIRE, TM_FIRE, PM_REMOVE)) {
            Handle(message);
        }
    }

    // Handles the TM_TICK messages already queued; returns how many.
    int DrainTicks() {
        const int before = ticks;
        MSG message;
        while (PeekMessageA(&message, nullptr, TM_TICK, TM_TICK, PM_REMOVE)) {
            Handle(message);
        }
        return ticks - before;
    }

    int ticks = 0;
    HWND lastWindow = nullptr;
    LPARAM lastSet = 0;

private:
    void Handle(const MSG& message) {
        if (message.message == TM_TICK && IsTimerWindow(message.hwnd)) {
            ++ticks;
            lastWindow = message.hwnd;
            lastSet = message.lParam;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
};

}  // namespace timer_test
