#include "site/lookup/china_time.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::int64_t kChinaOffsetSeconds = 8 * 60 * 60;
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

}  // namespace

ChinaTime ToChinaTime(Moment moment) {
    const std::int64_t shifted = static_cast<std::int64_t>(moment) + kChinaOffsetSeconds;
    std::int64_t days = shifted / kSecondsPerDay;
    std::int64_t seconds = shifted % kSecondsPerDay;
    if (seconds < 0) {
        --days;
        seconds += kSecondsPerDay;
    }
    ChinaTime time;
    time.date = DateOfDayCount(DayCount(1970, 1, 1) + static_cast<int>(days));
    time.hour = static_cast<int>(seconds / 3600);
    time.minute = static_cast<int>(seconds % 3600 / 60);
    return time;
}

std::string ChinaTimeText(Moment moment) {
    const ChinaTime time = ToChinaTime(moment);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", time.date.year, time.date.month, time.date.day,
                  time.hour, time.minute);
    return text;
}
