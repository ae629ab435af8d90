#include "timer/thread_listener_set.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr std::int64_t kMaxRemaining = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinRemaining = std::numeric_limits<std::int32_t>::min();
// More periods than a set counts before it dispatches: "not due at all".
constexpr std::uint64_t kNever = std::numeric_limits<std::uint32_t>::max();

// Counted periods from now until `entry` fires under `tick`, at least 1.
std::uint64_t PeriodsUntilFires(const ListenerEntry& entry, std::uint32_t tick) {
    if (entry.remaining <= 0 || entry.interval < tick) {
        return 1;
    }
    if (tick == 0) {
        return kNever;
    }
    return std::min<std::uint64_t>((static_cast<std::uint64_t>(entry.remaining) + tick - 1) / tick, kNever);
}

}  // namespace

ThreadListenerSet::ThreadListenerSet(const std::atomic<std::uint32_t>& tick) : tick_(tick) {}

ThreadListenerSet::~ThreadListenerSet() {
    // The window goes first: it may still name this set while it closes.
    window_.reset();
}

void ThreadListenerSet::AttachWindow(std::unique_ptr<ITimerWindow> window) {
    window_ = std::move(window);
}

void ThreadListenerSet::Add(ITimerSenseObj* listener, std::uint32_t interval) {
    if (listener == nullptr) {
        return;
    }
    // The countdown is a signed 32-bit number of ms: a longer interval (over
    // 24 days) would start out negative and fire on every tick, so it is
    // capped to the longest one that can be counted.
    interval = std::max(interval, tick_.load());
    interval = static_cast<std::uint32_t>(std::min<std::int64_t>(interval, kMaxRemaining));
    CatchUp();
    Remove(listener);
    entries_.push_back({listener, interval, static_cast<std::int32_t>(interval)});
    RememberWhenDue();
}

bool ThreadListenerSet::Remove(const ITimerSenseObj* listener) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [listener](const ListenerEntry& entry) { return entry.listener == listener; });
    if (found == entries_.end()) {
        return false;
    }
    CatchUp();
    entries_.erase(found);
    RememberWhenDue();
    return true;
}

bool ThreadListenerSet::Holds(const ITimerSenseObj* listener) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [listener](const ListenerEntry& entry) { return entry.listener == listener; });
}

void ThreadListenerSet::TickStep(std::atomic<std::uint32_t>& tickCounter) {
    const std::uint32_t ticks = tickCounter.fetch_add(1) + 1;
    if (!window_) {
        Dispatch();
        return;
    }
    const bool waiting = pending_.load();
    if (waiting && ticks < kTickThrottle) {
        return;  // the waiting TM_TICK is still in the owner's queue
    }
    tickCounter.store(0);
    if (waiting) {
        carried_.fetch_add(1);
        return;
    }
    const std::uint64_t counted = std::uint64_t{unseen_.load()} + carried_.load() + 1;
    if (counted < dueIn_.load()) {
        unseen_.fetch_add(1);
        return;
    }
    carried_.fetch_add(unseen_.exchange(0) + 1);
    // Raised before posting: the owning thread may handle the message and
    // clear the flag before PostTick even returns.
    pending_.store(true);
    window_->PostTick(this);
}

void ThreadListenerSet::OnTickMessage() {
    Advance(std::uint64_t{unseen_.exchange(0)} + carried_.exchange(0));
    // Known before the flag clears, so the next period compares with it.
    RememberWhenDue();
    pending_.store(false);
}

void ThreadListenerSet::CatchUp() {
    Advance(unseen_.exchange(0));
}

void ThreadListenerSet::RememberWhenDue() {
    dueIn_.store(static_cast<std::uint32_t>(PeriodsUntilFirstFires(tick_.load())));
}

std::uint64_t ThreadListenerSet::PeriodsUntilFirstFires(std::uint32_t tick) const {
    std::uint64_t first = kNever;
    for (const ListenerEntry& entry : entries_) {
        if (entry.listener != nullptr) {
            first = std::min(first, PeriodsUntilFires(entry, tick));
        }
    }
    return first;
}

// The periods before the first firing change nothing but the countdowns, so
// they are taken in one subtraction; each period on which something fires
// goes through the dispatch itself.
void ThreadListenerSet::Advance(std::uint64_t periods) {
    const std::uint32_t tick = tick_.load();
    while (periods > 0) {
        const std::uint64_t quiet = std::min(PeriodsUntilFirstFires(tick), periods) - 1;
        // Below the first firing, quiet * tick is less than every remaining
        // count, which therefore stays above zero.
        const std::int64_t elapsed = static_cast<std::int64_t>(quiet) * tick;
        for (ListenerEntry& entry : entries_) {
            if (entry.listener != nullptr && elapsed > 0) {
                entry.remaining = static_cast<std::int32_t>(entry.remaining - elapsed);
            }
        }
        periods -= quiet;
        DispatchOne(tick);
        --periods;
    }
}

void ThreadListenerSet::Dispatch() {
    DispatchOne(tick_.load());
}

void ThreadListenerSet::DispatchOne(std::uint32_t tick) {
    for (auto next = entries_.begin(); next != entries_.end();) {
        ListenerEntry& entry = *next++;
        if (entry.listener == nullptr) {
            continue;
        }
        // 64-bit arithmetic, kept within the 32-bit range: an entry whose
        // interval is below the period runs ever further below zero.
        std::int64_t remaining = std::int64_t{entry.remaining} - tick;
        const bool fires = remaining <= 0 || entry.interval < tick;
        if (remaining <= 0) {
            remaining += entry.interval;
        }
        entry.remaining = static_cast<std::int32_t>(std::clamp(remaining, kMinRemaining, kMaxRemaining));
        if (fires && window_) {
            window_->PostFire(entry.listener, this);
        }
    }
}
