#pragma once

// QvSHJ: one periodic timer for the whole process. Any thread registers
// listeners, each with its own interval in ms; every listener is called back
// on the thread that registered it, from that thread's message loop, through
// a hidden window of class "TimeSynWindow" made on that thread. The timer
// itself runs on the multimedia timer's thread, which only posts messages.
//
// Threads and what they own:
// * the multimedia timer's thread runs OnTimer (under the lock) every period;
// * each listening thread owns its ThreadListenerSet and hidden window: it
//   registers and unregisters its own listeners (a listener must be
//   unregistered by the thread that registered it), and its message loop
//   runs the countdowns and the listeners, without the lock;
// * the lock guards the table of sets and the running event.
//
// The virtual operations keep this order (users call them through the
// table); none of them throws.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "timer/qvshj_api.h"
#include "timer/timer_sense.h"

class ThreadListenerSet;

class QVSHJ_API CMMTimer {
public:
    // The service, made on the first call (stopped, period 0); nullptr only
    // when it cannot be allocated. If the window class cannot be registered
    // a message box says so and the service runs without windows, so no
    // listener is ever called.
    static CMMTimer* instance() noexcept;
    // Destroys the service if there is one: the timer stops, this thread's
    // window goes, other threads' windows are cut off from the service and
    // closed on their own threads. No thread may use it any more.
    static void destroy() noexcept;

    // Sets the period in ms: the same period returns 1 and changes nothing;
    // 0 stops the timer (1); any other value restarts it with that period and
    // a resolution of a tenth of it, and returns 1 if it started, else 0.
    // Every event goes through QueryMMTimer, so another period than 100 ms
    // lasts until the next event.
    virtual int SetTick(unsigned int ms) noexcept;
    // One period: passes the tick to every listening thread, in ascending
    // thread id. Runs on the timer's thread; `eventId` is not used.
    virtual void OnTimer(unsigned int eventId) noexcept;
    // Adds `listener` to the calling thread's listeners (making its set and
    // hidden window on first use), or restarts it at the end of the list with
    // the new interval. An interval below the period is raised to it; null is
    // ignored.
    virtual void RegisterListener(ITimerSenseObj* listener, unsigned int interval) noexcept;
    // Removes `listener` from the calling thread's listeners; the thread's
    // set and window go with its last listener.
    virtual void UnRegisterListener(ITimerSenseObj* listener) noexcept;
    // Drops all of the calling thread's listeners, its set and its window.
    virtual void RemoveThread() noexcept;
    virtual ~CMMTimer();

    // The current period in ms, 0 when stopped.
    unsigned int GetTick() const noexcept { return tick_.load(); }

    CMMTimer(const CMMTimer&) = delete;
    CMMTimer& operator=(const CMMTimer&) = delete;

    static CMMTimer* instance_;
    static const char szAppName[];  // "TimeSynWindow": window class and message-box caption

private:
    friend void HandleTimerEvent(unsigned int eventId) noexcept;

    CMMTimer();
    // Runs one event of the multimedia timer, unless it belongs to an event
    // that has been replaced or stopped since.
    void OnEvent(unsigned int eventId) noexcept;
    // The calling thread's set, made (with its window) if it has none.
    ThreadListenerSet* CallingThreadSet();

    // Multimedia timer event, 0 when stopped; guarded by lock_.
    unsigned int event_ = 0;
    // Listening threads by id; guarded by lock_ (a set's insides: see
    // thread_listener_set.h).
    std::map<std::uint32_t, std::unique_ptr<ThreadListenerSet>> threads_;
    // Written under lock_, read by the listening threads without it.
    std::atomic<std::uint32_t> tick_{0};
    std::recursive_mutex lock_;
    HINSTANCE module_ = nullptr;  // this library's module
    bool classRegistered_ = false;
};

// The service with the period set to 100 ms. Callers never free it.
extern "C" QVSHJ_API CMMTimer* __cdecl QueryMMTimer() noexcept;
