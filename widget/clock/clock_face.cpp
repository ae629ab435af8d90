#include "widget/clock/clock_face.h"

#include <cstdio>

#include "widget/calendar/gregorian.h"

namespace {

// Weekday names, index = weekday number - 1 (1 = Sunday ... 7 = Saturday).
constexpr std::array<const char*, 7> kWeekdayNames = {"星期日", "星期一", "星期二", "星期三",
                                                      "星期四", "星期五", "星期六"};

// Tile x positions of the four digits, hour first.
constexpr std::array<int, 4> kDigitLefts = {6, 26, 66, 86};

}  // namespace

ClockFace ComposeClockFace(const LocalTime& now, bool colonShown, const std::optional<LocalTime>& networkTime) {
    ClockFace face;
    const std::array<int, 4> digits = {now.hour / 10, now.hour % 10, now.minute / 10, now.minute % 10};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        face.digits[i] = {kDigitLefts[i], digits[i] * kDigitWidth};
    }
    face.colonShown = colonShown;
    // The weekday comes from the date itself, not from a field the caller
    // may have left unset.
    face.weekday = kWeekdayNames[WeekdayOf(now.year, now.month, now.day) - 1];
    char date[40];
    std::snprintf(date, sizeof date, "%d-%02d-%02d", now.year, now.month, now.day);
    face.date = date;
    face.banner = BannerFor(networkTime);
    return face;
}
