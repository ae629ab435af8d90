#pragma once

// QueryClock: the process-wide alarm clock service of QvCB.dll.

#include "alarmclock/alarm_clock.h"
#include "alarmclock/qvcb_api.h"

// The service, made on the first call: it records the current time as its
// set-time value and registers its time-observer listener with the timer
// service (QueryMMTimer) on the calling thread. It lives until QvCB.dll is
// unloaded; callers never free it. nullptr only when it cannot be made.
extern "C" QVCB_API alarmclock::IAlarmClock* __cdecl QueryClock() noexcept;
