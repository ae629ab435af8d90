#include "alarmclock/alarm_trigger.h"

#include "alarmclock/alarm_clock_service.h"

namespace alarmclock {

AlarmTrigger::AlarmTrigger(CAlarmClock& owner,
                           ITimerService& timer,
                           const IClock& clock,
                           std::uint32_t id,
                           std::int32_t repeat,
                           Moment startTime)
    : owner_(owner), timer_(timer), clock_(clock), id_(id), repeat_(repeat), startTime_(startTime) {}

AlarmTrigger::~AlarmTrigger() {
    timer_.UnRegisterListener(this);
}

void AlarmTrigger::Update(Moment startTime, std::int32_t repeat) {
    startTime_ = startTime;
    repeat_ = repeat;
}

// D is the distance in minutes from the alarm's time of day to the current
// time of day, both local, negative before it. A one-shot alarm is due only
// when D is 0; a repeating one whenever D is a multiple of its period, also
// a negative multiple, so a period of 45 from 08:00 is due at 07:15 as well
// as at 08:45. D stays within one day, so this is a rule about times of day,
// not a count of periods since the start.
bool AlarmTrigger::IsDueThisMinute(Moment now) const {
    const LocalTime current = ToLocalTime(now);
    const LocalTime start = ToLocalTime(startTime_);
    const int d = (current.hour - start.hour) * 60 - start.minute + current.minute;
    if (d == 0) {
        return true;
    }
    // |d| < 1440, so d % repeat_ cannot overflow for any repeat_.
    return repeat_ != 0 && d % repeat_ == 0;
}

// Runs about once a second, so a due minute is seen about sixty times. A
// repeating alarm stays quiet for 60 s after it fired (measured on the
// millisecond tick count, whose unsigned difference is right across its
// wrap-around every 49.7 days); a trigger that has never fired is not held
// back, whatever the tick count happens to show. A one-shot alarm is removed
// right after its listener ran, which destroys this trigger: nothing of it is
// touched afterwards.
void AlarmTrigger::TimeArrive() {
    try {
        if (!IsDueThisMinute(clock_.Now())) {
            return;
        }
        CAlarmClock& owner = owner_;
        const std::uint32_t id = id_;
        if (repeat_ != 0) {
            const std::uint32_t tick = clock_.TickCount();
            if (hasFired_ && tick - lastFiring_ <= kRefireGuardMs) {
                return;
            }
            hasFired_ = true;
            lastFiring_ = tick;
            owner.Fire(id);  // the listener may remove this alarm: return at once
            return;
        }
        owner.Fire(id);
        owner.RemoveAlarm(id);
    } catch (...) {
        // A listener's failure must not unwind into the timer service's window procedure.
    }
}

}  // namespace alarmclock
