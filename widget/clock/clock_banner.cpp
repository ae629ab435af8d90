#include "widget/clock/clock_banner.h"

#include <cstdint>

#include "widget/calendar/gregorian.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Seconds on the wall clock from `local` to the opening, 2008-08-08 08:00:00.
// Both are local times, so the count ignores the time zone.
std::int64_t SecondsToOpening(const LocalTime& local) {
    const std::int64_t days = DayCount(2008, 8, 8) - DayCount(local.year, local.month, local.day);
    const std::int64_t secondOfDay = local.hour * 3600 + local.minute * 60 + local.second;
    return days * kSecondsPerDay + 8 * 3600 - secondOfDay;
}

ClockBanner Slogan() {
    return {"同一个世界 同一个梦想", "   动感奥运 魅力北京！"};
}

}  // namespace

ClockBanner BannerFor(const std::optional<LocalTime>& networkTime) {
    if (!networkTime) {
        return Slogan();
    }
    // Counted in seconds rather than whole minutes, so the last minute before
    // a whole day still counts as a day begun; and only a time before the
    // opening counts down (half a day after it is not "0 days left").
    const std::int64_t seconds = SecondsToOpening(*networkTime);
    if (seconds <= 0 || seconds % kSecondsPerDay == 0) {
        return Slogan();
    }
    const std::int64_t days = seconds / kSecondsPerDay + 1;
    return {" 北京2008年奥运会开幕", " 距离2008年8月8日还有" + std::to_string(days) + "天"};
}
