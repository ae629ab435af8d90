#include "alarmclock/alarm_trigger.h"

namespace alarmclock {

namespace {

int MinuteOfDay(Moment moment) {
    const LocalTime local = ToLocalTime(moment);
    return local.hour * 60 + local.minute;
}

}  // namespace

AlarmTrigger::AlarmTrigger(std::uint32_t id, std::int32_t repeat, Moment startTime)
    : id_(id), repeat_(repeat), startMinute_(MinuteOfDay(startTime)) {}

void AlarmTrigger::Update(Moment startTime, std::int32_t repeat) {
    startMinute_ = MinuteOfDay(startTime);
    repeat_ = repeat;
}

// D is the distance in minutes from the alarm's time of day to the current
// time of day, both local, negative before it. A one-shot alarm is due only
// when D is 0; a repeating one whenever D is a multiple of its period, also
// a negative multiple, so a period of 45 from 08:00 is due at 07:15 as well
// as at 08:45. D stays within one day, so this is a rule about times of day,
// not a count of periods since the start.
bool AlarmTrigger::IsDueInMinute(int minuteOfDay) const {
    const int d = minuteOfDay - startMinute_;
    if (d == 0) {
        return true;
    }
    // |d| < 1440, so d % repeat_ cannot overflow for any repeat_.
    return repeat_ != 0 && d % repeat_ == 0;
}

// A due minute is seen about sixty times. A repeating alarm stays quiet for
// 60 s after it fired (measured on the millisecond tick count, whose unsigned
// difference is right across its wrap-around every 49.7 days); an alarm that
// has never fired is not held back, whatever the tick count happens to show.
// A one-shot alarm fires at the first look: the clock removes it right after.
bool AlarmTrigger::TakeFiring(std::uint32_t tickCount) {
    if (repeat_ == 0) {
        return true;
    }
    if (hasFired_ && tickCount - lastFiring_ <= kRefireGuardMs) {
        return false;
    }
    hasFired_ = true;
    lastFiring_ = tickCount;
    return true;
}

}  // namespace alarmclock
