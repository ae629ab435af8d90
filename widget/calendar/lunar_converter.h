#pragma once

// Gregorian to Chinese lunar date conversion for 1901-2050, the 24 solar
// terms, and the Chinese names of lunar months, lunar days, solar terms and
// weekdays. All texts are GBK. The converter holds no state; every operation
// is static, and callers may also construct one on the stack.

#include <cstddef>
#include <cstdint>
#include <string>

#include "widget/calendar/gregorian.h"

struct LunarDate {
    std::uint16_t year = 0;  // counted like the Gregorian year in which the lunar year begins
    std::int16_t month = 0;  // 1-12; a leap month is the negative of the month it repeats
    std::uint16_t day = 0;   // 1-30; 0 when the date has no lunar date in the tables

    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

class LunarConverter {
public:
    // Fills `lunar` and returns the solar-term index of the Gregorian day
    // (1-24, 0 = none). Dates outside 1900-12-22 ... 2051-02-10, which the
    // tables do not describe, and impossible dates give an all-zero LunarDate
    // and 0.
    static int ToLunar(int year, int month, int day, LunarDate& lunar);

    // The Gregorian day of a lunar date (month negative for a leap month).
    // False, and `date` left alone, when the lunar year lies outside
    // 1901-2050, the year has no such leap month, or the day is beyond the
    // month's 29 or 30 days.
    static bool ToGregorian(int lunarYear, int lunarMonth, int lunarDay, GregorianDate& date);

    // Signed number of days from date B to date A.
    static int DayOffset(int yearA, int monthA, int dayA, int yearB, int monthB, int dayB);

    static bool IsGregorianLeap(int year);

    // Low 16 bits: days of lunar month `month` (29 or 30); high 16 bits: days
    // of the leap month that follows it, or 0. Years before the tables give 30
    // and no leap half, as do years after them; a month outside 1-12 gives 0.
    static std::uint32_t MonthLength(int lunarYear, int month);

    // Days of the lunar year: 353-385 inside the tables.
    static int YearLength(int lunarYear);

    // 0 (none) or the month that the year repeats; 0 outside the tables.
    static int LeapMonthOf(int lunarYear);

    // Solar-term index 1-24 of a Gregorian day, 0 when no term falls on it or
    // the year lies outside 1901-2050.
    static int SolarTermOn(int year, int month, int day);

    // Naming operations write GBK text with its terminator into `buffer`.
    // They return -1 with an empty text for a value out of range. When the
    // buffer is too small they return the size they need and write nothing.
    // Otherwise the month name returns 7 for "十一月"/"十二月" and 5 for the
    // names built from one month digit; the day and term names return 5.
    // A 9-byte buffer holds every name ("闰十一月" is the longest).
    static int LunarMonthName(int month, bool leap, char* buffer, std::size_t size);
    static int LunarDayName(int day, char* buffer, std::size_t size);
    static int SolarTermName(int index, char* buffer, std::size_t size);

    // "七月初八", "闰七月初一", "十二月廿八 立春": month name, day name, and a
    // space and the term name on a term day. Empty when the date has no lunar
    // date in the tables.
    static std::string LunarText(int year, int month, int day);

    // "星期日" ... "星期六" for weekday 1 (Sunday) ... 7; empty otherwise.
    static const char* WeekdayName(int weekday);
};
