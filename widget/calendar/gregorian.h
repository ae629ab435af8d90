#pragma once

// Gregorian calendar arithmetic shared by the lunar converter, the holiday
// matcher and the month views. Years are plain integers; weekdays are numbered
// 1 = Sunday ... 7 = Saturday throughout the widget. Everything is constexpr so
// that tables derived from dates are built by the compiler.

#include <array>

struct GregorianDate {
    int year = 0;
    int month = 0;
    int day = 0;

    friend constexpr auto operator<=>(const GregorianDate&, const GregorianDate&) = default;
};

namespace gregorian_detail {

constexpr int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

constexpr int FloorMod(int a, int b) {
    return a - FloorDiv(a, b) * b;
}

// Days before the 1st of each month in a common year, index = month - 1.
inline constexpr std::array<int, 12> kDaysBeforeMonth = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

// Days of each month in a common year, index = month - 1.
inline constexpr std::array<int, 12> kDaysOfMonth = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

}  // namespace gregorian_detail

constexpr bool IsGregorianLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// 28-31 for a month 1-12, 0 for any other month.
constexpr int DaysInMonth(int year, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && IsGregorianLeapYear(year) ? 29 : gregorian_detail::kDaysOfMonth[month - 1];
}

constexpr bool IsValidDate(int year, int month, int day) {
    return year >= 1 && day >= 1 && day <= DaysInMonth(year, month);
}

// Days from a fixed origin to the date; the difference of two counts is the
// distance in days. A month outside 1-12 is carried into the year (month 13
// is January of the next year) so no table is read outside; the day is not
// checked.
constexpr int DayCount(int year, int month, int day) {
    using namespace gregorian_detail;
    year += FloorDiv(month - 1, 12);
    month = FloorMod(month - 1, 12) + 1;
    int before = year - 1;
    int count = 365 * year + FloorDiv(before, 4) - FloorDiv(before, 100) + FloorDiv(before, 400);
    count += kDaysBeforeMonth[month - 1] + day;
    if (month > 2 && IsGregorianLeapYear(year)) {
        ++count;
    }
    return count;
}

constexpr int DayCount(GregorianDate date) {
    return DayCount(date.year, date.month, date.day);
}

// The date whose DayCount is `count`: the inverse of DayCount for the dates
// of years 1-9999.
constexpr GregorianDate DateOfDayCount(int count) {
    // 146097 days make 400 years; the estimate is at most a year off, in
    // either direction, and the loops correct it.
    int year = static_cast<int>(static_cast<long long>(count) * 400 / 146097);
    while (DayCount(year + 1, 1, 1) <= count) {
        ++year;
    }
    while (DayCount(year, 1, 1) > count) {
        --year;
    }
    int month = 12;
    while (month > 1 && DayCount(year, month, 1) > count) {
        --month;
    }
    return {year, month, count - DayCount(year, month, 1) + 1};
}

// 1 = Sunday ... 7 = Saturday.
constexpr int WeekdayOf(int year, int month, int day) {
    // 1901-01-01 was a Tuesday (weekday 3).
    constexpr int kTuesday = DayCount(1901, 1, 1);
    return gregorian_detail::FloorMod(DayCount(year, month, day) - kTuesday + 2, 7) + 1;
}

// The day after a valid date; month and year roll over.
constexpr GregorianDate NextDay(GregorianDate date) {
    if (date.day < DaysInMonth(date.year, date.month)) {
        return {date.year, date.month, date.day + 1};
    }
    if (date.month < 12) {
        return {date.year, date.month + 1, 1};
    }
    return {date.year + 1, 1, 1};
}
