#include "widget/calendar/gregorian.h"

#include <gtest/gtest.h>

TEST(Gregorian, LeapYears) {
    struct Case {
        int year;
        bool leap;
    };
    for (const Case& c : {Case{1900, false}, Case{2000, true}, Case{2008, true}, Case{2009, false}, Case{2100, false},
                          Case{1600, true}}) {
        EXPECT_EQ(IsGregorianLeapYear(c.year), c.leap) << c.year;
    }
}

TEST(Gregorian, DaysInMonth) {
    EXPECT_EQ(DaysInMonth(2008, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2009, 4), 30);
    EXPECT_EQ(DaysInMonth(2009, 12), 31);
    EXPECT_EQ(DaysInMonth(2009, 0), 0);
    EXPECT_EQ(DaysInMonth(2009, 13), 0);
}

TEST(Gregorian, WeekdaysOfKnownDates) {
    struct Case {
        int year, month, day, weekday;
    };
    // 1 = Sunday ... 7 = Saturday.
    for (const Case& c : {Case{1901, 1, 1, 3}, Case{2008, 5, 1, 5}, Case{2008, 5, 4, 1}, Case{2008, 8, 8, 6},
                          Case{2000, 1, 1, 7}, Case{1900, 12, 31, 2}, Case{2050, 12, 31, 7}, Case{2026, 12, 10, 5}}) {
        EXPECT_EQ(WeekdayOf(c.year, c.month, c.day), c.weekday) << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(Gregorian, DayCountDistancesAcrossLeapDays) {
    EXPECT_EQ(DayCount(2008, 3, 1) - DayCount(2008, 2, 28), 2);
    EXPECT_EQ(DayCount(1900, 3, 1) - DayCount(1900, 2, 28), 1);
    EXPECT_EQ(DayCount(2051, 1, 1) - DayCount(1901, 1, 1), 54787);
    // A month past December carries into the next year instead of reading past the month table.
    EXPECT_EQ(DayCount(2008, 13, 1), DayCount(2009, 1, 1));
    EXPECT_EQ(DayCount(2008, 0, 1), DayCount(2007, 12, 1));
}

TEST(Gregorian, NextDayRollsMonthsAndYears) {
    EXPECT_EQ(NextDay({2008, 2, 28}), (GregorianDate{2008, 2, 29}));
    EXPECT_EQ(NextDay({2008, 2, 29}), (GregorianDate{2008, 3, 1}));
    EXPECT_EQ(NextDay({2009, 2, 28}), (GregorianDate{2009, 3, 1}));
    EXPECT_EQ(NextDay({2009, 12, 31}), (GregorianDate{2010, 1, 1}));
}

TEST(Gregorian, DateOfDayCountInvertsDayCount) {
    // Every day of 1899-2052, the span of the lunar tables and a year either side.
    int count = DayCount(1899, 1, 1);
    for (GregorianDate date{1899, 1, 1}; date.year <= 2052; date = NextDay(date), ++count) {
        ASSERT_EQ(DateOfDayCount(count), date) << date.year << "-" << date.month << "-" << date.day;
    }
    // The ends of the four-digit years, where an estimate of the year is furthest off.
    EXPECT_EQ(DateOfDayCount(DayCount(1, 1, 1)), (GregorianDate{1, 1, 1}));
    EXPECT_EQ(DateOfDayCount(DayCount(9999, 12, 31)), (GregorianDate{9999, 12, 31}));
    EXPECT_EQ(DateOfDayCount(DayCount(2000, 12, 31)), (GregorianDate{2000, 12, 31}));
    EXPECT_EQ(DateOfDayCount(DayCount(2001, 1, 1)), (GregorianDate{2001, 1, 1}));
}
