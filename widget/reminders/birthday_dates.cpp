#include "widget/reminders/birthday_dates.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/local_time.h"

namespace {

std::optional<LunarDate> LunarDateOf(GregorianDate day) {
    LunarDate lunar;
    LunarConverter::ToLunar(day.year, day.month, day.day, lunar);
    if (lunar.day == 0) {
        return std::nullopt;
    }
    return lunar;
}

// Whether `occurrence`, on or after `day`, is close enough for its notice.
// 64 bits: `param` comes from the file and may be any 32-bit value.
bool InNoticeWindow(GregorianDate occurrence, GregorianDate day, std::int32_t param) {
    const std::int64_t ahead = std::int64_t{DayCount(occurrence)} - DayCount(day);
    return ahead >= 0 && ahead <= param;
}

// The birth date itself, with the days of notice before it.
std::optional<GregorianDate> SingleOccurrenceOn(const ReminderItem& item, GregorianDate day) {
    const GregorianDate birth = BirthDateOf(item);
    if (!InNoticeWindow(birth, day, item.param)) {
        return std::nullopt;
    }
    return birth;
}

// This year's day if it has not passed, else next year's: the nearest on or
// after `day`. A later one is further away, so only this one can hold `day`
// in its window.
std::optional<GregorianDate> YearlyOccurrenceOn(const ReminderItem& item, GregorianDate day) {
    const GregorianDate birth = BirthDateOf(item);
    GregorianDate next = YearlyBirthdayIn(birth, day.year);
    if (next < day) {
        next = YearlyBirthdayIn(birth, day.year + 1);
    }
    if (!InNoticeWindow(next, day, item.param)) {
        return std::nullopt;
    }
    return next;
}

// As for the yearly kind, by lunar years: this lunar year's day if it has
// not passed, else next lunar year's. A day of lunar 1900 (outside the
// tables) finds 1901's; a day of lunar 2050 whose day has passed finds none.
std::optional<GregorianDate> LunarOccurrenceOn(const ReminderItem& item, GregorianDate day) {
    const std::optional<LunarDate> birth = LunarDateOf(BirthDateOf(item));
    const std::optional<LunarDate> today = LunarDateOf(day);
    if (!birth || !today) {
        return std::nullopt;
    }
    for (int lunarYear : {int{today->year}, today->year + 1}) {
        const std::optional<GregorianDate> next = LunarBirthdayIn(*birth, lunarYear);
        if (next && *next >= day) {
            return InNoticeWindow(*next, day, item.param) ? next : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

GregorianDate BirthDateOf(const ReminderItem& item) {
    const LocalTime local = ToLocalTime(item.start);
    return {local.year, local.month, local.day};
}

GregorianDate YearlyBirthdayIn(GregorianDate birth, int year) {
    // Only 29 February is ever beyond its month's end; it moves to the 28th.
    return {year, birth.month, std::min(birth.day, DaysInMonth(year, birth.month))};
}

// A birthday in a leap month falls in that leap month in the years that have
// it, and in the ordinary month of the same number in the others. A 30th of
// a month that has 29 days this year falls on its 29th (廿九).
std::optional<GregorianDate> LunarBirthdayIn(LunarDate birth, int lunarYear) {
    const int number = birth.month < 0 ? -birth.month : birth.month;
    const bool leap = birth.month < 0 && LunarConverter::LeapMonthOf(lunarYear) == number;
    const std::uint32_t lengths = LunarConverter::MonthLength(lunarYear, number);
    const int days = static_cast<int>(leap ? lengths >> 16 : lengths & 0xFFFF);
    GregorianDate date;
    if (!LunarConverter::ToGregorian(lunarYear, leap ? -number : number, std::min<int>(birth.day, days), date)) {
        return std::nullopt;
    }
    return date;
}

std::optional<GregorianDate> BirthdayOccurrenceOn(const ReminderItem& item, GregorianDate day) {
    switch (item.kind) {
        case KindBirthday:
            return SingleOccurrenceOn(item, day);
        case KindYearlyBirthday:
            return YearlyOccurrenceOn(item, day);
        case KindLunarBirthday:
            return LunarOccurrenceOn(item, day);
        default:
            return std::nullopt;
    }
}

std::optional<GregorianDate> BirthdayOccurrenceInMonth(const ReminderItem& item, int year, int month) {
    const GregorianDate birth = BirthDateOf(item);
    switch (item.kind) {
        case KindBirthday:
            // Marked in its month of every year, as it always was.
            return birth.month == month ? std::optional<GregorianDate>({year, month, birth.day}) : std::nullopt;
        case KindYearlyBirthday:
            return birth.month == month ? std::optional(YearlyBirthdayIn(birth, year)) : std::nullopt;
        case KindLunarBirthday: {
            const std::optional<LunarDate> lunar = LunarDateOf(birth);
            if (!lunar) {
                return std::nullopt;
            }
            // A Gregorian year overlaps two lunar years; a lunar year is far
            // longer than a month, so at most one of them falls in `month`.
            for (int lunarYear : {year - 1, year}) {
                const std::optional<GregorianDate> day = LunarBirthdayIn(*lunar, lunarYear);
                if (day && day->year == year && day->month == month) {
                    return day;
                }
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

std::string LunarDateName(GregorianDate day) {
    const std::optional<LunarDate> lunar = LunarDateOf(day);
    if (!lunar) {
        return {};
    }
    // The names' results are not needed: a month and day from ToLunar are in
    // range, and "闰十一月" (8 bytes and the terminator) is the longest name.
    std::array<char, 16> month{};
    std::array<char, 16> dayName{};
    LunarConverter::LunarMonthName(lunar->month, false, month.data(), month.size());
    LunarConverter::LunarDayName(lunar->day, dayName.data(), dayName.size());
    return std::string(month.data()) + dayName.data();
}

std::string LunarBirthdayNote(const ReminderItem& item, GregorianDate occurrence) {
    if (item.kind != KindLunarBirthday) {
        return {};
    }
    const std::string name = LunarDateName(occurrence);
    return name.empty() ? std::string() : "（农历" + name + "）";
}
