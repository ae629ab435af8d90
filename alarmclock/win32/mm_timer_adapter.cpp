#include "alarmclock/win32/mm_timer_adapter.h"

#include "timer/win32/cmm_timer.h"

namespace alarmclock {

void MMTimerAdapter::RegisterListener(ITimerSenseObj* listener, unsigned interval) {
    if (CMMTimer* timer = QueryMMTimer()) {
        timer->RegisterListener(listener, interval);
    }
}

void MMTimerAdapter::UnRegisterListener(ITimerSenseObj* listener) {
    if (CMMTimer* timer = CMMTimer::instance_) {
        timer->UnRegisterListener(listener);
    }
}

}  // namespace alarmclock
