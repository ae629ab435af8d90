#pragma once

// Sets the machine's clock with SetLocalTime. Tests never use it: they must
// not change the clock of the machine they run on.

#include "alarmclock/clock_setter.h"

namespace alarmclock {

class LocalTimeSetter final : public IClockSetter {
public:
    // False when Windows refuses (the process lacks the right to change the
    // time) or the time cannot be expressed as a SYSTEMTIME.
    bool SetLocalClock(const LocalTime& local) override;
};

}  // namespace alarmclock
