#pragma once

// The firing rule of one armed alarm: which minutes of the day it is due in
// and, inside such a minute, whether it fires now. The alarm clock checks
// the alarms due in the current minute about once a second.

#include <cstdint>

#include "alarmclock/qvcb_api.h"
#include "common/local_time.h"

namespace alarmclock {

class QVCB_API AlarmTrigger final {
public:
    AlarmTrigger(std::uint32_t id, std::int32_t repeat, Moment startTime);

    // A new time and period for the same alarm; the last firing is kept.
    void Update(Moment startTime, std::int32_t repeat);

    // Whether the local minute of the day `minuteOfDay` (hour * 60 + minute)
    // is one of the alarm's minutes.
    bool IsDueInMinute(int minuteOfDay) const;
    // In one of its minutes, about once a second: true when the alarm fires
    // now. `tickCount` is the millisecond tick count (GetTickCount).
    bool TakeFiring(std::uint32_t tickCount);

    std::uint32_t Id() const { return id_; }
    bool FiresOnce() const { return repeat_ == 0; }

    // The longest a repeating alarm stays quiet after firing, so that the
    // minute it fired in cannot fire it again.
    static constexpr std::uint32_t kRefireGuardMs = 60000;

private:
    std::uint32_t id_;
    std::int32_t repeat_;           // minutes; 0 = once
    int startMinute_ = 0;           // local hour * 60 + minute of the start time
    std::uint32_t lastFiring_ = 0;  // tick count (ms) of the last firing
    bool hasFired_ = false;
};

}  // namespace alarmclock
