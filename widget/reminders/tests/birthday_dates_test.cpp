#include "widget/reminders/birthday_dates.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "widget/reminders/tests/reminder_test_records.h"

// The lunar dates below were read off the independently computed month
// starts in widget/calendar/tests/data/lunar_month_starts.txt: lunar 2024's
// 八月 begins on 2024-09-03, 2025's on 2025-09-22, 2026's on 2026-09-11;
// 2020's 闰四月 on 2020-05-23 (29 days), 2021's 四月 on 2021-05-12; lunar
// 2023's 腊月 (30 days) on 2024-01-11, 2024's (29 days) on 2024-12-31,
// 2025's (29 days) on 2026-01-19, 2026's (29 days) on 2027-01-08.

namespace {

using reminders_test::Birthday;

using OptionalDate = std::optional<GregorianDate>;

std::string Text(const OptionalDate& date) {
    if (!date) {
        return "none";
    }
    return std::to_string(date->year) + "-" + std::to_string(date->month) + "-" + std::to_string(date->day);
}

ReminderItem Of(std::uint32_t kind, GregorianDate birth, std::int32_t notice = 0) {
    return Birthday(1, birth, notice, "小明", kind);
}

TEST(BirthdayDates, BirthDateIsTheLocalDateOfTheStart) {
    EXPECT_EQ(BirthDateOf(Of(KindLunarBirthday, {2024, 9, 17})), (GregorianDate{2024, 9, 17}));
    ReminderItem item;
    item.start = reminders_test::At(2024, 1, 1, 0, 0, 0);
    EXPECT_EQ(BirthDateOf(item), (GregorianDate{2024, 1, 1}));
}

TEST(BirthdayDates, YearlyDayKeepsMonthAndDay) {
    struct Case {
        GregorianDate birth;
        int year;
        GregorianDate day;
    };
    const Case cases[] = {
        {{2024, 5, 10}, 2031, {2031, 5, 10}},
        {{2030, 12, 31}, 1990, {1990, 12, 31}},
        // 29 February falls on 28 February in common years only.
        {{2024, 2, 29}, 2025, {2025, 2, 28}},
        {{2024, 2, 29}, 2028, {2028, 2, 29}},
        {{2000, 2, 29}, 2100, {2100, 2, 28}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(YearlyBirthdayIn(c.birth, c.year), c.day) << Text(c.birth) << " in " << c.year;
    }
}

TEST(BirthdayDates, LunarDayInALunarYear) {
    struct Case {
        const char* what;
        LunarDate birth;
        int lunarYear;
        OptionalDate day;
    };
    const Case cases[] = {
        {"八月十五 2024", {2000, 8, 15}, 2024, GregorianDate{2024, 9, 17}},
        {"八月十五 2025", {2000, 8, 15}, 2025, GregorianDate{2025, 10, 6}},
        {"八月十五 2026", {2000, 8, 15}, 2026, GregorianDate{2026, 9, 25}},
        {"闰四月初八 in its own year", {2020, -4, 8}, 2020, GregorianDate{2020, 5, 30}},
        {"闰四月初八 in a year without that leap month", {2020, -4, 8}, 2021, GregorianDate{2021, 5, 19}},
        {"ordinary 四月初八 in a year that repeats 四月", {2021, 4, 8}, 2020, GregorianDate{2020, 4, 30}},
        {"闰二月初一 in another year with 闰二月", {2004, -2, 1}, 2023, GregorianDate{2023, 3, 22}},
        {"腊月三十 in a 腊月 of 30 days", {2023, 12, 30}, 2023, GregorianDate{2024, 2, 9}},
        {"腊月三十 in a 腊月 of 29 days falls on 廿九", {2023, 12, 30}, 2024, GregorianDate{2025, 1, 28}},
        {"闰四月三十 in a 闰四月 of 29 days", {2000, -4, 30}, 2020, GregorianDate{2020, 6, 20}},
        {"first lunar year of the tables", {2024, 1, 1}, 1901, GregorianDate{1901, 2, 19}},
        {"before the tables", {2024, 8, 15}, 1900, std::nullopt},
        {"after the tables", {2024, 8, 15}, 2051, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarBirthdayIn(c.birth, c.lunarYear), c.day) << c.what;
    }
}

TEST(BirthdayDates, OccurrenceWhoseNoticeWindowHoldsTheDay) {
    struct Case {
        const char* what;
        ReminderItem item;
        GregorianDate day;
        OptionalDate occurrence;
    };
    const ReminderItem midAutumn = Of(KindLunarBirthday, {2024, 9, 17});  // 八月十五
    const Case cases[] = {
        // A lunar birthday moves through the Gregorian year.
        {"lunar, its first year", midAutumn, {2024, 9, 17}, GregorianDate{2024, 9, 17}},
        {"lunar, the next year", midAutumn, {2025, 10, 6}, GregorianDate{2025, 10, 6}},
        {"lunar, last year's day in 2025", midAutumn, {2025, 9, 17}, std::nullopt},
        {"lunar, the day before", midAutumn, {2025, 10, 5}, std::nullopt},
        {"lunar, the year after", midAutumn, {2026, 9, 25}, GregorianDate{2026, 9, 25}},
        {"lunar, before the year picked", midAutumn, {2010, 9, 22}, GregorianDate{2010, 9, 22}},
        {"lunar, first day of 3 days' notice",
         Of(KindLunarBirthday, {2024, 9, 17}, 3),
         {2025, 10, 3},
         GregorianDate{2025, 10, 6}},
        {"lunar, before 3 days' notice", Of(KindLunarBirthday, {2024, 9, 17}, 3), {2025, 10, 2}, std::nullopt},
        {"lunar leap month in a year without it",
         Of(KindLunarBirthday, {2020, 5, 30}),
         {2021, 5, 19},
         GregorianDate{2021, 5, 19}},
        {"lunar leap month: not the ordinary month of its own year",
         Of(KindLunarBirthday, {2020, 5, 30}),
         {2020, 4, 30},
         std::nullopt},
        {"lunar 腊月三十 on 廿九, notice across the lunar new year",
         Of(KindLunarBirthday, {2024, 2, 9}, 2),
         {2025, 1, 26},
         GregorianDate{2025, 1, 28}},
        {"lunar 腊月三十, the day after 廿九", Of(KindLunarBirthday, {2024, 2, 9}, 2), {2025, 1, 29}, std::nullopt},
        {"lunar, a day of lunar 1900 finds lunar 1901's",
         Of(KindLunarBirthday, {2024, 9, 17}, INT_MAX),
         {1901, 1, 5},
         GregorianDate{1901, 9, 27}},
        {"lunar, the last lunar year's day has passed",
         Of(KindLunarBirthday, {2024, 9, 17}, INT_MAX),
         {2051, 2, 5},
         std::nullopt},
        {"lunar, a day beyond the tables", Of(KindLunarBirthday, {2024, 9, 17}, INT_MAX), {2051, 3, 1}, std::nullopt},
        // Yearly Gregorian birthdays.
        {"yearly, its day in a later year",
         Of(KindYearlyBirthday, {2024, 5, 10}),
         {2031, 5, 10},
         GregorianDate{2031, 5, 10}},
        {"yearly, before the year picked",
         Of(KindYearlyBirthday, {2030, 5, 10}),
         {2024, 5, 10},
         GregorianDate{2024, 5, 10}},
        {"yearly, the day after", Of(KindYearlyBirthday, {2024, 5, 10}), {2024, 5, 11}, std::nullopt},
        {"yearly, 2 January with 5 days from 28 December",
         Of(KindYearlyBirthday, {2024, 1, 2}, 5),
         {2024, 12, 28},
         GregorianDate{2025, 1, 2}},
        {"yearly, 2 January with 5 days, not 27 December",
         Of(KindYearlyBirthday, {2024, 1, 2}, 5),
         {2024, 12, 27},
         std::nullopt},
        {"yearly, 2 January with 5 days, on 1 January",
         Of(KindYearlyBirthday, {2024, 1, 2}, 5),
         {2025, 1, 1},
         GregorianDate{2025, 1, 2}},
        {"yearly, 29 February in a common year",
         Of(KindYearlyBirthday, {2024, 2, 29}),
         {2025, 2, 28},
         GregorianDate{2025, 2, 28}},
        {"yearly, 29 February, not 1 March", Of(KindYearlyBirthday, {2024, 2, 29}), {2025, 3, 1}, std::nullopt},
        {"yearly, 29 February, not the 28th of a leap year",
         Of(KindYearlyBirthday, {2024, 2, 29}),
         {2028, 2, 28},
         std::nullopt},
        {"yearly, the widest notice: the next one",
         Of(KindYearlyBirthday, {2024, 5, 10}, INT_MAX),
         {2024, 5, 11},
         GregorianDate{2025, 5, 10}},
        {"yearly, a negative notice opens no window",
         Of(KindYearlyBirthday, {2024, 5, 10}, -1),
         {2024, 5, 10},
         std::nullopt},
        {"lunar, the lowest notice", Of(KindLunarBirthday, {2024, 9, 17}, INT_MIN), {2024, 9, 17}, std::nullopt},
        // Kind 5 keeps its one date, year included.
        {"once-only birthday in its window",
         Of(KindBirthday, {2024, 5, 10}, 3),
         {2024, 5, 7},
         GregorianDate{2024, 5, 10}},
        {"once-only birthday a year later", Of(KindBirthday, {2024, 5, 10}, 3), {2025, 5, 10}, std::nullopt},
        {"once-only birthday before its window", Of(KindBirthday, {2024, 5, 10}, 3), {2024, 5, 6}, std::nullopt},
        {"not a birthday", Of(KindWeekly, {2024, 5, 10}, 3), {2024, 5, 10}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(BirthdayOccurrenceOn(c.item, c.day)), Text(c.occurrence)) << c.what;
    }
}

TEST(BirthdayDates, OccurrenceInAMonthOfTheCalendar) {
    struct Case {
        const char* what;
        ReminderItem item;
        int year, month;
        OptionalDate day;
    };
    const ReminderItem midAutumn = Of(KindLunarBirthday, {2024, 9, 17});
    const ReminderItem lastOfYear = Of(KindLunarBirthday, {2024, 2, 9});  // 腊月三十 of lunar 2023
    const Case cases[] = {
        {"lunar in September 2024", midAutumn, 2024, 9, GregorianDate{2024, 9, 17}},
        {"lunar in October 2025", midAutumn, 2025, 10, GregorianDate{2025, 10, 6}},
        {"lunar not in September 2025", midAutumn, 2025, 9, std::nullopt},
        {"lunar 腊月 of lunar 2024 in January 2025", lastOfYear, 2025, 1, GregorianDate{2025, 1, 28}},
        {"lunar 腊月 of lunar 2025 in February 2026", lastOfYear, 2026, 2, GregorianDate{2026, 2, 16}},
        {"lunar 腊月 not in January 2026", lastOfYear, 2026, 1, std::nullopt},
        {"lunar 腊月 of lunar 2026 in February 2027", lastOfYear, 2027, 2, GregorianDate{2027, 2, 5}},
        {"lunar beyond the tables", midAutumn, 2051, 9, std::nullopt},
        {"yearly 29 February in 2025", Of(KindYearlyBirthday, {2024, 2, 29}), 2025, 2, GregorianDate{2025, 2, 28}},
        {"yearly 29 February in 2028", Of(KindYearlyBirthday, {2024, 2, 29}), 2028, 2, GregorianDate{2028, 2, 29}},
        {"yearly in another month", Of(KindYearlyBirthday, {2024, 2, 29}), 2025, 3, std::nullopt},
        {"once-only birthday in its month of any year", Of(KindBirthday, {2024, 5, 10}), 2031, 5,
         GregorianDate{2031, 5, 10}},
        {"once-only birthday in another month", Of(KindBirthday, {2024, 5, 10}), 2031, 6, std::nullopt},
        {"not a birthday", Of(KindMonthly, {2024, 5, 10}), 2024, 5, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(BirthdayOccurrenceInMonth(c.item, c.year, c.month)), Text(c.day)) << c.what;
    }
}

TEST(BirthdayDates, LunarNamesOfADay) {
    struct Case {
        GregorianDate day;
        std::string name;
    };
    const Case cases[] = {
        {{2024, 9, 17}, "八月十五"}, {{2020, 5, 30}, "闰四月初八"},    {{2025, 1, 28}, "十二月廿九"},
        {{1901, 2, 19}, "正月初一"}, {{2033, 12, 22}, "闰十一月初一"}, {{2051, 3, 1}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarDateName(c.day), c.name) << Text(c.day);
    }
    EXPECT_EQ(LunarBirthdayNote(Of(KindLunarBirthday, {2024, 9, 17}), {2025, 10, 6}), "（农历八月十五）");
    EXPECT_EQ(LunarBirthdayNote(Of(KindLunarBirthday, {2024, 9, 17}), {2051, 3, 1}), "");
    EXPECT_EQ(LunarBirthdayNote(Of(KindYearlyBirthday, {2024, 9, 17}), {2025, 9, 17}), "");
    EXPECT_EQ(LunarBirthdayNote(Of(KindBirthday, {2024, 9, 17}), {2024, 9, 17}), "");
}

}  // namespace
