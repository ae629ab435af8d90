#pragma once

// The process-wide multimedia timer service (QvSHJ) seen through
// ITimerService, which is what the alarm clock service registers with.
// CMMTimer's own operations keep their fixed layout, so it does not derive
// from ITimerService; this adapter forwards to it.

#include "timer/timer_sense.h"

namespace alarmclock {

class MMTimerAdapter final : public ITimerService {
public:
    // Through QueryMMTimer, which makes the service and keeps it at 100 ms.
    void RegisterListener(ITimerSenseObj* listener, unsigned interval) override;
    // Only with a service that still exists: when it is gone nothing is
    // registered any more, and asking QueryMMTimer would start it again.
    void UnRegisterListener(ITimerSenseObj* listener) override;
};

}  // namespace alarmclock
