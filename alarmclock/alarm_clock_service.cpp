#include "alarmclock/alarm_clock_service.h"

#include <algorithm>
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
// listener counts as the alarm's latest arming, which places it last among
// the alarms due in the same second.
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
            armed = triggers_.emplace(id, Armed{AlarmTrigger(id, stored.repeat, stored.startTime), listener}).first;
        } else {
            armed->second.trigger.Update(stored.startTime, stored.repeat);
        }
        armed->second.armedOrder = ++lastArmedOrder_;
        dueAlarmsStale_ = true;
        return id;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void CAlarmClock::RemoveAlarm(const std::uint32_t& id) {
    // `id` may live in what is removed here (a caller may pass the stored
    // item's id): take a copy first. The due list keeps the id; the walk
    // skips ids that are no longer armed.
    const std::uint32_t key = id;
    alarms_.Remove(key);
    triggers_.erase(key);
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

void CAlarmClock::CollectDueAlarms(int minuteOfDay) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> due;
    for (const auto& [id, armed] : triggers_) {
        if (armed.trigger.IsDueInMinute(minuteOfDay)) {
            due.emplace_back(armed.armedOrder, id);
        }
    }
    std::sort(due.begin(), due.end());
    dueAlarms_.clear();
    for (const auto& [order, id] : due) {
        dueAlarms_.push_back(id);
    }
    dueMinute_ = minuteOfDay;
    dueAlarmsStale_ = false;
}

// Listeners may add and remove alarms while they are called: the walk goes
// over a copy of the due list and looks each alarm up again before its turn.
// An alarm armed meanwhile is first looked at in the next second, when the
// list is made again.
void CAlarmClock::CheckAlarms(Moment now) {
    const LocalTime local = ToLocalTime(now);
    const int minuteOfDay = local.hour * 60 + local.minute;
    if (dueAlarmsStale_ || minuteOfDay != dueMinute_) {
        CollectDueAlarms(minuteOfDay);
    }
    const std::vector<std::uint32_t> due = dueAlarms_;
    for (const std::uint32_t id : due) {
        auto armed = triggers_.find(id);
        if (armed == triggers_.end() || !armed->second.trigger.TakeFiring(clock_.TickCount())) {
            continue;
        }
        const bool once = armed->second.trigger.FiresOnce();
        try {
            Fire(id);
            if (once) {
                RemoveAlarm(id);
            }
        } catch (...) {
            // A listener's failure must not cost the other alarms their turn
            // or unwind into the timer service.
        }
    }
}

void CAlarmClock::ObserverTicker::TimeArrive() {
    const Moment now = owner_.clock_.Now();
    owner_.NotifyObservers(now);
    owner_.CheckAlarms(now);
}

}  // namespace alarmclock
