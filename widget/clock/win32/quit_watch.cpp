#include "widget/clock/win32/quit_watch.h"

QuitWatch::QuitWatch() {
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

bool QuitWatch::DrainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit_ = true;
        } else {
            DispatchMessageA(&message);
        }
    }
    return quit_;
}

WaitOutcome QuitWatch::Wait(HANDLE event, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    const DWORD handleCount = event != nullptr ? 1 : 0;
    for (;;) {
        if (DrainQueue()) {
            return WaitOutcome::kQuit;
        }
        const ULONGLONG now = GetTickCount64();
        const DWORD remaining = now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
        // MWMO_INPUTAVAILABLE: a message already in the queue wakes the wait
        // too, not only one that arrives during it.
        const DWORD result = MsgWaitForMultipleObjectsEx(handleCount, event != nullptr ? &event : nullptr, remaining,
                                                         QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (handleCount == 1 && result == WAIT_OBJECT_0) {
            return WaitOutcome::kSignalled;
        }
        if (result == WAIT_TIMEOUT) {
            return WaitOutcome::kTimedOut;
        }
        if (result == WAIT_FAILED) {
            // Never expected with a valid handle; the time still passes in
            // small steps, so no caller spins through its waits.
            Sleep(remaining < 50 ? remaining : 50);
            if (remaining == 0) {
                return WaitOutcome::kTimedOut;
            }
        }
        // A message: the queue is drained at the top of the loop.
    }
}
