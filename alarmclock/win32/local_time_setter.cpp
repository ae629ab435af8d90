#include "alarmclock/win32/local_time_setter.h"

#include <windows.h>

namespace alarmclock {

bool LocalTimeSetter::SetLocalClock(const LocalTime& local) {
    // SYSTEMTIME holds the years 1601-30827 in unsigned 16-bit fields.
    if (local.year < 1601 || local.year > 30827) {
        return false;
    }
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(local.year);
    time.wMonth = static_cast<WORD>(local.month);
    time.wDay = static_cast<WORD>(local.day);
    time.wHour = static_cast<WORD>(local.hour);
    time.wMinute = static_cast<WORD>(local.minute);
    time.wSecond = static_cast<WORD>(local.second);
    time.wDayOfWeek = 0;  // ignored by SetLocalTime
    time.wMilliseconds = 0;
    return SetLocalTime(&time) != FALSE;
}

}  // namespace alarmclock
