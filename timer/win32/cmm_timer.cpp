#include "timer/win32/cmm_timer.h"

#include <mmsystem.h>

#include <new>
#include <utility>

#include "common/win32/module_path.h"
#include "timer/thread_listener_set.h"
#include "timer/win32/timer_window.h"

CMMTimer* CMMTimer::instance_ = nullptr;
const char CMMTimer::szAppName[] = "TimeSynWindow";  // the text of kTimerWindowClass

// Runs one event of the multimedia timer (the service's friend).
void HandleTimerEvent(unsigned int eventId) noexcept;

namespace {

constexpr unsigned int kDefaultTick = 100;  // ms, set by every QueryMMTimer

// Counts periods for the throttle of every set in the process; only the
// timer's thread touches it, inside OnTimer.
std::atomic<std::uint32_t> tickCounter{0};

// Guards instance_ while it is made, read by the timer's callback and
// cleared. A slim lock needs no set-up or clean-up, so it works from the
// first call to the library's unloading.
SRWLOCK singletonGuard = SRWLOCK_INIT;

class SingletonLock {
public:
    SingletonLock() { AcquireSRWLockExclusive(&singletonGuard); }
    ~SingletonLock() { ReleaseSRWLockExclusive(&singletonGuard); }
    SingletonLock(const SingletonLock&) = delete;
    SingletonLock& operator=(const SingletonLock&) = delete;
};

CMMTimer* ExistingInstance() {
    SingletonLock hold;
    return CMMTimer::instance_;
}

void CALLBACK EventCallback(UINT eventId, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
    HandleTimerEvent(eventId);
}

// TIME_KILL_SYNCHRONOUS: once timeKillEvent returns on another thread, no
// call of the event is running or will come, so the service can be freed
// (and the library unloaded) after stopping its event.
constexpr UINT kEventFlags = TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS;

}  // namespace

void HandleTimerEvent(unsigned int eventId) noexcept {
    // instance_ is set before any event starts, and the service outlives its
    // events (its destructor stops them first), so this pointer stays good
    // while the event runs.
    if (CMMTimer* timer = ExistingInstance()) {
        timer->OnEvent(eventId);
    }
}

CMMTimer::CMMTimer()
    : module_(ModuleOfAddress(&CMMTimer::instance_)), classRegistered_(RegisterTimerWindowClass(module_)) {}

CMMTimer::~CMMTimer() {
    unsigned int event = 0;
    {
        std::lock_guard hold(lock_);
        event = std::exchange(event_, 0);
        tick_ = 0;
    }
    // Without the lock: the kill waits for a call in progress, and that call
    // takes the lock (it then finds its event stopped and returns).
    if (event != 0) {
        timeKillEvent(event);
    }
    {
        std::lock_guard hold(lock_);
        threads_.clear();
    }
    if (classRegistered_) {
        UnregisterTimerWindowClass(module_);
    }
}

CMMTimer* CMMTimer::instance() noexcept {
    CMMTimer* created = nullptr;
    {
        SingletonLock hold;
        if (instance_ != nullptr) {
            return instance_;
        }
        created = instance_ = new (std::nothrow) CMMTimer();
    }
    // Shown after the guard is released: the message box runs a message loop
    // on this thread, and code it dispatches may well ask for the service.
    if (created != nullptr && !created->classRegistered_) {
        MessageBoxA(nullptr, "Timer SysObj Create Failed!", szAppName, MB_OK | MB_ICONERROR);
    }
    return created;
}

void CMMTimer::destroy() noexcept {
    // Deleted before the pointer is cleared and without the guard held: an
    // event call in progress still finds the object and sees its event
    // stopped, while the destructor waits for that call to end.
    CMMTimer* timer = ExistingInstance();
    delete timer;
    SingletonLock hold;
    if (instance_ == timer) {
        instance_ = nullptr;
    }
}

int CMMTimer::SetTick(unsigned int ms) noexcept {
    unsigned int replaced = 0;
    int result = 1;
    {
        std::lock_guard hold(lock_);
        if (ms == tick_.load()) {
            return 1;
        }
        replaced = std::exchange(event_, 0);
        tick_ = ms;
        if (ms != 0) {
            event_ = timeSetEvent(ms, ms / 10, EventCallback, 0, kEventFlags);
            result = event_ != 0 ? 1 : 0;
        }
    }
    // The old event is stopped outside the lock (its last call may be waiting
    // for the lock; it then sees it was replaced). Called from that event's
    // own callback, the kill does not wait.
    if (replaced != 0) {
        timeKillEvent(replaced);
    }
    return result;
}

void CMMTimer::OnEvent(unsigned int eventId) noexcept {
    std::lock_guard hold(lock_);
    // A stopped or replaced event may have one call left in flight; it must
    // neither restart the timer through QueryMMTimer nor tick.
    if (eventId != event_) {
        return;
    }
    if (CMMTimer* timer = QueryMMTimer()) {
        timer->OnTimer(eventId);
    }
}

void CMMTimer::OnTimer(unsigned int) noexcept {
    std::lock_guard hold(lock_);
    for (auto& [threadId, set] : threads_) {
        set->TickStep(tickCounter);
    }
}

ThreadListenerSet* CMMTimer::CallingThreadSet() {
    const DWORD threadId = GetCurrentThreadId();
    auto found = threads_.find(threadId);
    if (found != threads_.end()) {
        // A thread that ended without unregistering left its set behind, and
        // its window died with it; a new thread with the same id must not
        // inherit a set that can never call it.
        auto* window = static_cast<TimerWindow*>(found->second->window());
        if (window == nullptr || window->IsAlive()) {
            return found->second.get();
        }
        threads_.erase(found);
    }
    auto set = std::make_unique<ThreadListenerSet>(tick_);
    if (classRegistered_) {
        set->AttachWindow(TimerWindow::Create(module_, set.get()));
    }
    return threads_.emplace(threadId, std::move(set)).first->second.get();
}

void CMMTimer::RegisterListener(ITimerSenseObj* listener, unsigned int interval) noexcept {
    // Nothing to add: no set (and no window) is made for it either.
    if (listener == nullptr) {
        return;
    }
    try {
        std::lock_guard hold(lock_);
        CallingThreadSet()->Add(listener, interval);
    } catch (...) {
        // Out of memory: the listener is not registered.
    }
}

void CMMTimer::UnRegisterListener(ITimerSenseObj* listener) noexcept {
    std::lock_guard hold(lock_);
    auto found = threads_.find(GetCurrentThreadId());
    if (found == threads_.end()) {
        return;
    }
    found->second->Remove(listener);
    if (found->second->empty()) {
        threads_.erase(found);
    }
}

void CMMTimer::RemoveThread() noexcept {
    std::lock_guard hold(lock_);
    threads_.erase(GetCurrentThreadId());
}

CMMTimer* __cdecl QueryMMTimer() noexcept {
    CMMTimer* timer = CMMTimer::instance();
    if (timer != nullptr) {
        timer->SetTick(kDefaultTick);
    }
    return CMMTimer::instance();
}
