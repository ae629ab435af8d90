#pragma once

// The listeners of one thread and the tick arithmetic of the timer service.
//
// A thread that keeps up with its messages sees its listeners fire on the
// same periods as if every period brought it a TM_TICK, but a TM_TICK is
// only posted on a period in which some listener comes due: the periods
// between are counted by the timer's thread and run through the countdowns
// in one go when the message is handled (or when the owner adds or removes
// a listener). A thread whose listeners all run at 1000 ms thus wakes once a
// second instead of ten times.
//
// Who touches what:
// * The owning thread (the one that registered the listeners) adds and
//   removes entries and runs the dispatch when it handles a TM_TICK. The
//   dispatch runs without the service's lock: nobody else touches the
//   entries of a set that has a window.
// * The timer's thread runs TickStep for every set, under the service's
//   lock. For a set with a window it only touches the atomics below: the
//   pending flag, the counts of periods not yet dispatched and the number of
//   periods until the first entry is due; it posts TM_TICK. A set without a
//   window is dispatched right there; its entries are then guarded by the
//   lock, which the owning thread also holds while it adds or removes.
// * The pending flag is shared by both threads (set by the timer's thread,
//   cleared by the owner), hence atomic; so are the period and the tick
//   counter, which belong to the service.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>

#include "timer/timer_sense.h"

// Messages of a set's hidden window. TM_TICK: first parameter 0, second the
// set. TM_FIRE: first parameter the listener, second the set.
inline constexpr unsigned int TM_TICK = 0x0FED;
inline constexpr unsigned int TM_FIRE = 0x0FEF;

// A set whose TM_TICK is still waiting gets another one only when the
// process-wide tick counter has reached this many ticks.
inline constexpr std::uint32_t kTickThrottle = 5;

struct ListenerEntry {
    ITimerSenseObj* listener = nullptr;
    std::uint32_t interval = 0;  // ms, at least the period it was registered under
    std::int32_t remaining = 0;  // ms; counts down by the period on every counted tick
};

class ThreadListenerSet;

// A set's hidden window, as the arithmetic sees it: where its messages go.
// Owned by the set and destroyed before it.
class ITimerWindow {
public:
    virtual ~ITimerWindow() = default;
    // Timer's thread: wake the owner for a dispatch.
    virtual void PostTick(ThreadListenerSet* set) = 0;
    // Owning thread: `listener` is due; the window has it called on the
    // owning thread if it is still registered by then (in the TM_TICK being
    // handled, or else in a TM_FIRE of its own).
    virtual void PostFire(ITimerSenseObj* listener, ThreadListenerSet* set) = 0;
};

class ThreadListenerSet {
public:
    // `tick` is the service's period in ms (0 = stopped); the set reads it
    // whenever it adds or dispatches, so it must outlive the set.
    explicit ThreadListenerSet(const std::atomic<std::uint32_t>& tick);
    ~ThreadListenerSet();
    ThreadListenerSet(const ThreadListenerSet&) = delete;
    ThreadListenerSet& operator=(const ThreadListenerSet&) = delete;

    // Gives the set its window (nullptr: it has none).
    void AttachWindow(std::unique_ptr<ITimerWindow> window);
    ITimerWindow* window() const { return window_.get(); }

    // Registers `listener` (null is ignored): an interval below the current
    // period is raised to it, an earlier entry of the listener is dropped, and
    // the new entry goes to the end with its full interval to run.
    void Add(ITimerSenseObj* listener, std::uint32_t interval);
    // Removes the first entry of `listener`; false when there was none.
    bool Remove(const ITimerSenseObj* listener);
    bool Holds(const ITimerSenseObj* listener) const;

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::list<ListenerEntry>& entries() const { return entries_; }
    bool pending() const { return pending_.load(); }

    // Timer's thread, once per period. A period counts when no TM_TICK is
    // waiting, or when kTickThrottle ticks of `tickCounter` have passed since
    // the last counted one (a thread that handles nothing gets one period per
    // five). A counted period posts TM_TICK when it brings an entry due and
    // none is waiting; otherwise it is kept for the next dispatch. Without a
    // window, dispatches at once.
    void TickStep(std::atomic<std::uint32_t>& tickCounter);
    // Owning thread, on a TM_TICK: dispatches the periods counted since the
    // last dispatch, then clears the pending flag.
    void OnTickMessage();
    // One counted period: counts every entry down by the period and posts
    // TM_FIRE for each that is due (to no one when the set has no window).
    void Dispatch();

private:
    // Runs `periods` counted periods through the countdowns, posting TM_FIRE
    // for every entry on every period it fires, in list order.
    void Advance(std::uint64_t periods);
    // Counted periods from now until the first entry fires under `tick` (at
    // least 1).
    std::uint64_t PeriodsUntilFirstFires(std::uint32_t tick) const;
    void DispatchOne(std::uint32_t tick);
    // Dispatches the periods counted while no TM_TICK was waiting, so that an
    // entry added now does not count periods that passed before it.
    void CatchUp();
    void RememberWhenDue();

    const std::atomic<std::uint32_t>& tick_;
    std::list<ListenerEntry> entries_;  // in registration order
    std::atomic<bool> pending_{false};
    // Counted periods not yet dispatched: those that passed while no TM_TICK
    // was waiting, and those the waiting TM_TICK carries.
    std::atomic<std::uint32_t> unseen_{0};
    std::atomic<std::uint32_t> carried_{0};
    // Periods from the last dispatch until the first entry fires.
    std::atomic<std::uint32_t> dueIn_{1};
    std::unique_ptr<ITimerWindow> window_;
};
