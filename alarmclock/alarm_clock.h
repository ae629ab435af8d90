#pragma once

// The alarm clock service: keeps the active alarms of the process, checks
// each about once a second and calls the listener given with it when it
// fires. The interfaces below cross DLL boundaries; their operations are in
// this fixed order.

#include <cstdint>

#include "alarmclock/alarm_item.h"
#include "common/local_time.h"

namespace alarmclock {

// The caller's callback, called on the thread that added the alarm.
class IAlarmListener {
public:
    virtual void OnAlarm(const std::uint32_t* id) = 0;
    virtual ~IAlarmListener() = default;
};

// Told the current time about once a second, and at once when SetTime runs.
class ITimeObserver {
public:
    virtual void OnTime(const Moment* time) = 0;
    virtual ~ITimeObserver() = default;
};

class IAlarmClock {
public:
    // Adds the observer at the end unless it is there already; false for null.
    virtual bool AddTimeObserver(ITimeObserver* observer) = 0;
    virtual void RemoveTimeObserver(ITimeObserver* observer) = 0;
    // Stores the alarm (a new id when item.id is 0, else under item.id) and,
    // with a listener, arms it; returns the id.
    virtual std::uint32_t AddAlarm(const AlarmItem& item, IAlarmListener* listener) = 0;
    // Removes the alarm with this id (an AlarmItem may be passed: the id is
    // its first field); an unknown id does nothing.
    virtual void RemoveAlarm(const std::uint32_t& id) = 0;
    // Keeps `time` as the set-time value, sets the system clock to it (local
    // time) and tells the observers. 1 when the system clock was set, 0 when
    // it could not be (the value is kept and the observers told all the
    // same) or `time` is null (nothing happens).
    virtual int SetTime(const Moment* time) = 0;
    virtual Moment GetSetTime() = 0;

protected:
    ~IAlarmClock() = default;
};

}  // namespace alarmclock
