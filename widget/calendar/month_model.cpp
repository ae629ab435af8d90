#include "widget/calendar/month_model.h"

#include <algorithm>

#include "widget/calendar/holiday_table.h"
#include "widget/calendar/lunar_converter.h"

namespace {

// Tile rows of numbers.png, top edge in pixels; the row for a day with a
// reminder lies one tile lower.
constexpr int kSolarTermTileY = 0;
constexpr int kHolidayTileY = 42;
constexpr int kSelectedTileY = 84;
constexpr int kOtherTileY = 126;

constexpr int kDaysPerWeek = 7;

// Name buffers hold the longest name, "闰十一月", and its terminator.
constexpr std::size_t kNameBufferSize = 9;

// "农历 " and the lunar month and day, with a space and the term's name on a
// term day. A day the tables do not describe (most of 1900) keeps the prefix
// alone.
std::string DayText(const LunarDate& lunar, int solarTerm) {
    std::string text = "农历 ";
    if (lunar.day == 0) {
        return text;
    }
    char name[kNameBufferSize];
    // A leap month is negative and brings its own "闰".
    if (LunarConverter::LunarMonthName(lunar.month, false, name, sizeof name) > 0) {
        text += name;
    }
    if (LunarConverter::LunarDayName(lunar.day, name, sizeof name) > 0) {
        text += name;
    }
    if (solarTerm != 0 && LunarConverter::SolarTermName(solarTerm, name, sizeof name) > 0) {
        text += ' ';
        text += name;
    }
    return text;
}

DayRecord BuildDay(GregorianDate date, const HolidayTable& holidays, const ReminderDayTest& hasReminder) {
    DayRecord record;
    record.valid = 1;
    record.weekday = static_cast<std::uint8_t>(WeekdayOf(date.year, date.month, date.day));

    LunarDate lunar;
    int solarTerm = LunarConverter::ToLunar(date.year, date.month, date.day, lunar);
    if (lunar.day == 0) {
        solarTerm = 0;
    }
    record.text = DayText(lunar, solarTerm);

    if (record.weekday == 1 || record.weekday == 7) {
        record.extraMarks |= kMarkWeekend;
    }
    DayHolidays found;
    if (holidays.HolidaysOfDay(date, false, nullptr, found)) {
        record.marks |= kMarkHoliday;
    }
    if (solarTerm != 0) {
        record.marks |= kMarkSolarTerm;
    }
    if (hasReminder && hasReminder(date)) {
        record.extraMarks |= kMarkReminder;
    }
    return record;
}

// Weekday (1 = Sunday) of the month's 1st as the records say; 1 when the
// records hold no month, so the grid arithmetic stays in range.
int FirstWeekday(const MonthDays& days) {
    return days[0].valid != 0 ? days[0].weekday : 1;
}

}  // namespace

int MonthRows(int year, int month) {
    int length = DaysInMonth(year, month);
    if (length == 0) {
        return 0;
    }
    // Cells before the 1st plus the days, in whole weeks.
    int cells = WeekdayOf(year, month, 1) - 1 + length;
    return (cells + kDaysPerWeek - 1) / kDaysPerWeek;
}

MonthDays BuildMonth(int year, int month, const HolidayTable& holidays, const ReminderDayTest& hasReminder) {
    MonthDays days{};
    int length = DaysInMonth(year, month);
    for (int day = 1; day <= length; ++day) {
        days[day - 1] = BuildDay({year, month, day}, holidays, hasReminder);
    }
    return days;
}

int DayTileY(const DayRecord& day, bool selected) {
    int y = kOtherTileY;
    if (selected) {
        y = kSelectedTileY;
    } else if ((day.marks & kMarkHoliday) != 0 || (day.extraMarks & kMarkWeekend) != 0) {
        y = kHolidayTileY;
    } else if ((day.marks & kMarkSolarTerm) != 0) {
        y = kSolarTermTileY;
    }
    if ((day.extraMarks & kMarkReminder) != 0) {
        y += kDayTileSize;
    }
    return y;
}

GridCell CellOfDay(const MonthDays& days, int day) {
    int index = FirstWeekday(days) - 1 + std::clamp(day, 1, static_cast<int>(days.size())) - 1;
    return {index % kDaysPerWeek, index / kDaysPerWeek};
}

int DayAtPoint(const MonthDays& days, int x, int y) {
    if (x < 0 || y < 0) {
        return 0;
    }
    int column = x / kDayCellWidth;
    if (column >= kDaysPerWeek) {
        return 0;
    }
    int row = y / kDayCellHeight;
    // Rows far below the grid would overflow the arithmetic; no month has
    // more than six.
    if (row >= 6) {
        return 0;
    }
    int day = row * kDaysPerWeek + column - (FirstWeekday(days) - 1) + 1;
    if (day < 1 || day > static_cast<int>(days.size()) || days[day - 1].valid == 0) {
        return 0;
    }
    return day;
}

int ClampShownYear(int year) {
    return std::clamp(year, kFirstShownYear, kLastShownYear);
}
