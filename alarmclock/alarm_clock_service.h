#pragma once

// CAlarmClock: the alarm clock service behind IAlarmClock. It keeps the
// alarms, arms one AlarmTrigger per alarm that has a listener, tells the time
// observers the time about once a second, and sets the system clock.
//
// One timer listener serves the observers and every alarm: once a second it
// looks only at the alarms due in the current minute of the day, a list made
// again when the minute changes (the clock running on or being set) or an
// alarm was armed. Ten thousand reminders therefore cost a walk of the list
// once a minute, not ten thousand timer calls a second.
//
// The timer service, the clock and the clock setter are handed in, so the
// whole service runs in tests with fakes; QvCB.dll's QueryClock passes the
// multimedia timer service, the system clock and SetLocalTime.
//
// Threads: listeners and observers are called on the thread that created
// the service, which registered its listener with the timer service. The service has no lock: all its callers use it
// from one thread.

#include <cstdint>
#include <map>
#include <vector>

#include "alarmclock/alarm_clock.h"
#include "alarmclock/alarm_item.h"
#include "alarmclock/alarm_trigger.h"
#include "alarmclock/clock_setter.h"
#include "alarmclock/qvcb_api.h"
#include "alarmclock/vector_map.h"
#include "common/local_time.h"
#include "timer/timer_sense.h"

namespace alarmclock {

class QVCB_API CAlarmClock final : public IAlarmClock {
public:
    // Records the current time as the set-time value and registers the
    // time-observer listener with `timer` at 1000 ms on the calling thread.
    // All three must outlive the service.
    CAlarmClock(ITimerService& timer, const IClock& clock, IClockSetter& clockSetter);
    // Unregisters every trigger and the time-observer listener.
    ~CAlarmClock();
    CAlarmClock(const CAlarmClock&) = delete;
    CAlarmClock& operator=(const CAlarmClock&) = delete;

    bool AddTimeObserver(ITimeObserver* observer) override;
    void RemoveTimeObserver(ITimeObserver* observer) override;
    std::uint32_t AddAlarm(const AlarmItem& item, IAlarmListener* listener) override;
    void RemoveAlarm(const std::uint32_t& id) override;
    int SetTime(const Moment* time) override;
    Moment GetSetTime() override;

    // The stored alarms, in the order they were first added.
    const vector_map<std::uint32_t, AlarmItem>& Alarms() const { return alarms_; }
    // True when the alarm with this id has a trigger (it was added with a listener).
    bool IsArmed(std::uint32_t id) const { return triggers_.count(id) != 0; }

private:
    // The service's own timer listener: tells the observers the time and
    // checks the alarms due in this minute.
    class ObserverTicker final : public ITimerSenseObj {
    public:
        explicit ObserverTicker(CAlarmClock& owner) : owner_(owner) {}
        void TimeArrive() override;

    private:
        CAlarmClock& owner_;
    };

    struct Armed {
        AlarmTrigger trigger;
        IAlarmListener* listener = nullptr;  // not owned
        std::uint64_t armedOrder = 0;        // alarms due together fire in the order they were last added
    };

    // Calls the listener of alarm `id`, if it still has one.
    void Fire(std::uint32_t id);
    void NotifyObservers(Moment time);
    void CheckAlarms(Moment now);
    // The armed alarms due in `minuteOfDay`, in the order they were last added.
    void CollectDueAlarms(int minuteOfDay);

    ITimerService& timer_;
    const IClock& clock_;
    IClockSetter& clockSetter_;
    vector_map<std::uint32_t, AlarmItem> alarms_;
    std::map<std::uint32_t, Armed> triggers_;
    vector_map<ITimeObserver*, ITimeObserver*> observers_;  // not owned
    ObserverTicker ticker_{*this};
    Moment setTime_;
    std::uint32_t lastId_ = 0;  // ids are never reused while the service lives
    std::uint64_t lastArmedOrder_ = 0;
    std::vector<std::uint32_t> dueAlarms_;  // ids due in dueMinute_, in firing order
    int dueMinute_ = -1;                    // local minute of the day dueAlarms_ is for; -1 = none yet
    bool dueAlarmsStale_ = true;            // an alarm was armed since the list was made
};

}  // namespace alarmclock
