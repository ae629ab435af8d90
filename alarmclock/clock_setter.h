#pragma once

// Setting the machine's clock. The Windows product sets it with
// SetLocalTime; tests pass a recorder, so no test ever changes the clock of
// the machine it runs on.

#include "common/local_time.h"

namespace alarmclock {

class IClockSetter {
public:
    virtual ~IClockSetter() = default;
    // Sets the system clock to `local` (local time; the weekday is ignored,
    // milliseconds become 0). True when the clock was set.
    virtual bool SetLocalClock(const LocalTime& local) = 0;
};

}  // namespace alarmclock
