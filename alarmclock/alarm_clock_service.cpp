#include "alarmclock/alarm_clock_service.h"

#include <new>
#include <optional>
#include <utility>

namespace alarmclock {

namespace {

constexpr unsigned kCheckIntervalMs = 1000;

}  // namespace

CAlarmClock::CAlarmClock(ITimerService& timer, const IClock& clock, IClockSetter& clockSetter)
    : timer_(timer), clock_(clock), clockSetter_(clockSetter), setTime_(clock.Now()) {
    timer_.RegisterListener(&ticker_, kCheckIntervalMs);
}

CAlarmClock::~CAlarmClock() {
    triggers_.clear();  // each trigger unregisters itself
    timer_.UnRegisterListener(&ticker_);
}

bool CAlarmClock::AddTimeObserver(ITimeObserver* observer) {
    if (observer == nullptr) {
        return false;  // the walk would call through it
    }
    try {
        if (!observers_.Contains(observer)) {
            observers_.Insert(observer, observer);
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CAlarmClock::RemoveTimeObserver(ITimeObserver* observer) {
    observers_.Remove(observer);
}

// A listener given for an alarm that already has a trigger is ignored: the
// first listener stays, only the time and period change. Every call with a
// listener registers the trigger again, which restarts its countdown.
std::uint32_t CAlarmClock::AddAlarm(const AlarmItem& item, IAlarmListener* listener) {
    try {
        AlarmItem stored = item;
        if (stored.id == 0) {
            stored.id = ++lastId_;
        }
        const std::uint32_t id = stored.id;
        alarms_.Insert(id, stored);
        if (id == 0 || listener == nullptr) {
            return id;
        }
        auto armed = triggers_.find(id);
        if (armed == triggers_.end()) {
            auto trigger = std::make_unique<AlarmTrigger>(*this, timer_, clock_, id, stored.repeat, stored.startTime);
            armed = triggers_.emplace(id, Armed{std::move(trigger), listener}).first;
        } else {
            armed->second.trigger->Update(stored.startTime, stored.repeat);
        }
        timer_.RegisterListener(armed->second.trigger.get(), kCheckIntervalMs);
        return id;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void CAlarmClock::RemoveAlarm(const std::uint32_t& id) {
    // `id` may live in what is removed here (a trigger passes its own id):
    // take a copy first.
    const std::uint32_t key = id;
    alarms_.Remove(key);
    auto armed = triggers_.find(key);
    if (armed != triggers_.end()) {
        triggers_.erase(armed);  // destroys the trigger, which unregisters it
    }
}

int CAlarmClock::SetTime(const Moment* time) {
    if (time == nullptr) {
        return 0;
    }
    const Moment value = *time;
    setTime_ = value;
    LocalTime local = ToLocalTime(value);
    local.weekday = 0;
    const bool set = clockSetter_.SetLocalClock(local);
    NotifyObservers(value);
    return set ? 1 : 0;
}

Moment CAlarmClock::GetSetTime() {
    return setTime_;
}

void CAlarmClock::Fire(std::uint32_t id) {
    auto armed = triggers_.find(id);
    if (armed == triggers_.end() || armed->second.listener == nullptr) {
        return;
    }
    const std::uint32_t firedId = id;
    armed->second.listener->OnAlarm(&firedId);
}

// Observers may add or remove observers while they are called. After each
// call the walk finds the observer again and goes on with the one after it;
// when the observer has removed itself, the ones after it have moved up by
// one, so the walk goes on at the same number and none of them is skipped.
void CAlarmClock::NotifyObservers(Moment time) {
    std::size_t next = 0;
    while (next < observers_.size()) {
        ITimeObserver* observer = observers_.ValueAt(next);
        const Moment now = time;
        try {
            observer->OnTime(&now);
        } catch (...) {
            // An observer's failure must not stop the others or unwind into the timer service.
        }
        const std::optional<std::size_t> found = observers_.IndexOf(observer);
        next = found ? *found + 1 : next;
    }
}

void CAlarmClock::ObserverTicker::TimeArrive() {
    owner_.NotifyObservers(owner_.clock_.Now());
}

}  // namespace alarmclock
