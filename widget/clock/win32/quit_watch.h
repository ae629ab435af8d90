#pragma once

// Waiting on a worker thread that is stopped through its message queue:
// every wait also watches the queue, so a WM_QUIT posted to the thread ends
// whatever the thread is waiting for at once.

#include <windows.h>

enum class WaitOutcome {
    kSignalled,  // the event was set
    kTimedOut,   // the time ran out first
    kQuit,       // WM_QUIT arrived (now or at an earlier wait)
};

// Lives on the thread whose queue it watches.
class QuitWatch {
public:
    // Makes the calling thread's message queue, so that PostThreadMessage
    // reaches the thread from now on.
    QuitWatch();
    QuitWatch(const QuitWatch&) = delete;
    QuitWatch& operator=(const QuitWatch&) = delete;

    // Waits up to `timeoutMs` for `event` (nullptr: only for the time).
    // Once WM_QUIT has been seen, every wait gives kQuit at once.
    WaitOutcome Wait(HANDLE event, DWORD timeoutMs);

private:
    // Takes every message waiting in the queue; true when one was WM_QUIT.
    bool DrainQueue();

    bool quit_ = false;
};
