#pragma once

// CAlarmClock: the alarm clock service behind IAlarmClock. It keeps the
// alarms, arms one AlarmTrigger per alarm that has a listener, tells the time
// observers the time about once a second, and sets the system clock.
//
// The timer service, the clock and the clock setter are handed in, so the
// whole service runs in tests with fakes; QvCB.dll's QueryClock passes the
// multimedia timer service, the system clock and SetLocalTime.
//
// Threads: triggers and observers are called on the thread that registered
// them with the timer service (the thread that added the alarm, and the one
// that created the service). The service has no lock: all its callers use it
// from one thread.

#include <cstdint>
#include <map>
#include <memory>

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
    friend class AlarmTrigger;

    // The service's own timer listener: passes the time to the observers.
    class ObserverTicker final : public ITimerSenseObj {
    public:
        explicit ObserverTicker(CAlarmClock& owner) : owner_(owner) {}
        void TimeArrive() override;

    private:
        CAlarmClock& owner_;
    };

    struct Armed {
        std::unique_ptr<AlarmTrigger> trigger;
        IAlarmListener* listener = nullptr;  // not owned
    };

    // Calls the listener of alarm `id`, if it still has one.
    void Fire(std::uint32_t id);
    void NotifyObservers(Moment time);

    ITimerService& timer_;
    const IClock& clock_;
    IClockSetter& clockSetter_;
    vector_map<std::uint32_t, AlarmItem> alarms_;
    std::map<std::uint32_t, Armed> triggers_;
    vector_map<ITimeObserver*, ITimeObserver*> observers_;  // not owned
    ObserverTicker ticker_{*this};
    Moment setTime_;
    std::uint32_t lastId_ = 0;  // ids are never reused while the service lives
};

}  // namespace alarmclock
