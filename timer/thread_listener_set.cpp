#include "timer/thread_listener_set.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr std::int64_t kMaxRemaining = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinRemaining = std::numeric_limits<std::int32_t>::min();

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
    Remove(listener);
    entries_.push_back({listener, interval, static_cast<std::int32_t>(interval)});
}

bool ThreadListenerSet::Remove(const ITimerSenseObj* listener) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [listener](const ListenerEntry& entry) { return entry.listener == listener; });
    if (found == entries_.end()) {
        return false;
    }
    entries_.erase(found);
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
    if (!pending_.load() || ticks >= kTickThrottle) {
        // Raised before posting: the owning thread may handle the message and
        // clear the flag before PostTick even returns.
        pending_.store(true);
        tickCounter.store(0);
        window_->PostTick(this);
    }
}

void ThreadListenerSet::OnTickMessage() {
    Dispatch();
    pending_.store(false);
}

void ThreadListenerSet::Dispatch() {
    const std::uint32_t tick = tick_.load();
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
