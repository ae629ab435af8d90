#pragma once

// The pages say "today" and "fetched at" for Beijing whatever time zone the
// service itself runs in. China keeps UTC+8 all year (no daylight saving
// since 1991), so the offset is fixed.

#include <string>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"

struct ChinaTime {
    GregorianDate date;
    int hour = 0;
    int minute = 0;
};

ChinaTime ToChinaTime(Moment moment);

// "2026-12-11 09:30".
std::string ChinaTimeText(Moment moment);
