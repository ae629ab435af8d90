#include "widget/calendar/lunar_converter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "widget/calendar/gregorian.h"

namespace {

struct LunarCase {
    GregorianDate date;
    LunarDate lunar;
};

std::string DateText(GregorianDate d) {
    return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

std::ifstream OpenData(const char* name) {
    std::ifstream in(std::string(SUITE_SOURCE_DIR) + "/widget/calendar/tests/data/" + name);
    EXPECT_TRUE(in.is_open()) << name;
    return in;
}

LunarDate Convert(GregorianDate d, int* term = nullptr) {
    LunarDate lunar;
    int index = LunarConverter::ToLunar(d.year, d.month, d.day, lunar);
    if (term != nullptr) {
        *term = index;
    }
    return lunar;
}

}  // namespace

TEST(LunarConverter, KnownDates) {
    const LunarCase cases[] = {
        // The days before lunar 1901 follow the fixed rule for lunar 1900's last two months.
        {{1900, 12, 22}, {1900, 11, 1}},
        {{1901, 1, 1}, {1900, 11, 11}},
        {{1901, 1, 19}, {1900, 11, 29}},
        {{1901, 1, 20}, {1900, 12, 1}},
        {{1901, 2, 18}, {1900, 12, 30}},
        {{1901, 2, 19}, {1901, 1, 1}},
        // Lunar new years.
        {{1902, 2, 8}, {1902, 1, 1}},
        {{1950, 2, 17}, {1950, 1, 1}},
        {{1990, 1, 27}, {1990, 1, 1}},
        {{2008, 2, 7}, {2008, 1, 1}},
        {{2009, 1, 26}, {2009, 1, 1}},
        {{2010, 2, 14}, {2010, 1, 1}},
        {{2020, 1, 25}, {2020, 1, 1}},
        {{2030, 2, 3}, {2030, 1, 1}},
        {{2050, 1, 23}, {2050, 1, 1}},
        {{2008, 8, 8}, {2008, 7, 8}},
        {{2000, 1, 1}, {1999, 11, 25}},
        // Leap months are negative and follow the month they repeat.
        {{2006, 8, 24}, {2006, -7, 1}},
        {{2006, 9, 22}, {2006, 8, 1}},
        {{2004, 3, 21}, {2004, -2, 1}},
        {{2023, 3, 22}, {2023, -2, 1}},
        {{2033, 11, 22}, {2033, 11, 1}},
        {{2033, 12, 21}, {2033, 11, 30}},
        {{2033, 12, 22}, {2033, -11, 1}},
        {{2034, 1, 20}, {2033, 12, 1}},
        // Days that older printed tables put in the wrong month.
        {{2025, 4, 27}, {2025, 3, 30}},
        {{2025, 4, 28}, {2025, 4, 1}},
        {{2013, 6, 8}, {2013, 5, 1}},
        {{1914, 11, 17}, {1914, 10, 1}},
        {{1989, 2, 6}, {1989, 1, 1}},
        // The last days of the tables.
        {{2050, 12, 31}, {2050, 11, 18}},
        {{2051, 2, 10}, {2050, 12, 29}},
    };
    for (const LunarCase& c : cases) {
        EXPECT_EQ(Convert(c.date), c.lunar) << DateText(c.date);
    }
}

// Every day of the tables against lunar month starts computed independently
// from an astronomical calendar (see tests/data/README.md): a day is lunar day
// n of the month that began n - 1 days earlier.
TEST(LunarConverter, EveryDayAgreesWithIndependentCalendar) {
    std::ifstream in = OpenData("lunar_month_starts.txt");
    struct MonthStart {
        int dayCount;
        LunarDate month;
    };
    std::vector<MonthStart> starts;
    std::string line;
    while (std::getline(in, line)) {
        int y, m, d, ly, lm, ld;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d-%d-%d %d %d %d", &y, &m, &d, &ly, &lm, &ld), 6) << line;
        starts.push_back({DayCount(y, m, d), {static_cast<std::uint16_t>(ly), static_cast<std::int16_t>(lm), 1}});
    }
    ASSERT_GT(starts.size(), 1800u);
    // The last line is the first day after the tables (lunar new year 2051).
    int checked = 0;
    std::size_t current = 0;
    for (GregorianDate date{1900, 12, 22}; date <= GregorianDate{2051, 2, 10}; date = NextDay(date)) {
        int count = DayCount(date);
        while (current + 1 < starts.size() && starts[current + 1].dayCount <= count) {
            ++current;
        }
        LunarDate expected = starts[current].month;
        expected.day = static_cast<std::uint16_t>(count - starts[current].dayCount + 1);
        ASSERT_EQ(Convert(date), expected) << DateText(date);
        ++checked;
    }
    EXPECT_EQ(checked, DayCount(2051, 2, 10) - DayCount(1900, 12, 22) + 1);
}

// Every solar term of 1901-2050 against the days computed independently from
// the sun's position in Beijing time, and no term on any other day.
TEST(LunarConverter, SolarTermsAgreeWithIndependentCalendar) {
    // Six terms fall within minutes of midnight; the official calendar puts
    // them on the day given here, the ephemeris on the day next to it.
    struct PublishedDay {
        int year, term, day;
    };
    const PublishedDay published[] = {{1912, 22, 23}, {1913, 18, 24}, {1917, 23, 7},
                                      {1927, 17, 8},  {1928, 12, 21}, {1979, 2, 21}};
    std::ifstream in = OpenData("solar_terms.txt");
    std::string line;
    int years = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int year;
        fields >> year;
        int termDays[24];
        for (int& day : termDays) {
            fields >> day;
        }
        ASSERT_TRUE(fields) << line;
        for (const PublishedDay& p : published) {
            if (p.year == year) {
                termDays[p.term - 1] = p.day;
            }
        }
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                int expected = 0;
                if (termDays[month * 2 - 2] == day) {
                    expected = month * 2 - 1;
                } else if (termDays[month * 2 - 1] == day) {
                    expected = month * 2;
                }
                int term = -1;
                Convert({year, month, day}, &term);
                ASSERT_EQ(term, expected) << DateText({year, month, day});
                ASSERT_EQ(LunarConverter::SolarTermOn(year, month, day), expected);
            }
        }
        ++years;
    }
    EXPECT_EQ(years, 150);
}

TEST(LunarConverter, SolarTermDaysOfOfficialCorrections) {
    struct Case {
        GregorianDate date;
        int term;
    };
    // 1901-02-19 is both lunar new year and 雨水; 1995-08-23 is 处暑.
    for (const Case& c : {Case{{1901, 2, 19}, 4}, Case{{1995, 8, 23}, 16}, Case{{1995, 8, 24}, 0},
                          Case{{2033, 7, 22}, 14}, Case{{2049, 4, 4}, 7}, Case{{2008, 12, 21}, 24}}) {
        int term = -1;
        Convert(c.date, &term);
        EXPECT_EQ(term, c.term) << DateText(c.date);
    }
}

TEST(LunarConverter, DatesOutsideTheTablesOrImpossibleHaveNoLunarDate) {
    const GregorianDate outside[] = {{1900, 12, 21}, {1900, 1, 1},   {1, 1, 1},   {2051, 2, 11},
                                     {2100, 6, 1},   {9999, 12, 31}, {-5, 1, 1},  {2008, 14, 1},
                                     {2009, 2, 29},  {2008, 4, 31},  {2008, 5, 0}};
    for (GregorianDate date : outside) {
        int term = -1;
        EXPECT_EQ(Convert(date, &term), LunarDate{}) << DateText(date);
        EXPECT_EQ(term, 0) << DateText(date);
    }
    // A solar-term lookup outside the years of its table finds no term instead of reading past it.
    EXPECT_EQ(LunarConverter::SolarTermOn(1900, 12, 22), 0);
    EXPECT_EQ(LunarConverter::SolarTermOn(2051, 1, 5), 0);
    EXPECT_EQ(LunarConverter::SolarTermOn(2008, 13, 6), 0);
    EXPECT_EQ(LunarConverter::SolarTermOn(2008, 0, 6), 0);
}

TEST(LunarConverter, YearAndMonthLengths) {
    struct Case {
        int year, days;
    };
    for (const Case& c : {Case{1901, 354}, Case{2006, 385}, Case{2033, 384}, Case{2050, 384}}) {
        EXPECT_EQ(LunarConverter::YearLength(c.year), c.days) << c.year;
    }
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(LunarConverter::MonthLength(1900, month), 30u) << month;
    }
    // 2033 repeats its eleventh month: month 11 has 30 days, the leap eleventh 29.
    EXPECT_EQ(LunarConverter::MonthLength(2033, 11), (29u << 16) | 30u);
    EXPECT_EQ(LunarConverter::MonthLength(2033, 12), 30u);
    EXPECT_EQ(LunarConverter::MonthLength(2006, 7), (29u << 16) | 30u);
    EXPECT_EQ(LunarConverter::MonthLength(2008, 0), 0u);
    EXPECT_EQ(LunarConverter::MonthLength(2008, 13), 0u);
}

TEST(LunarConverter, LeapMonths) {
    struct Case {
        int year, leapMonth;
    };
    for (const Case& c :
         {Case{1903, 5}, Case{1984, 10}, Case{2033, 11}, Case{2050, 3}, Case{2008, 0}, Case{1900, 0}, Case{2051, 0}}) {
        EXPECT_EQ(LunarConverter::LeapMonthOf(c.year), c.leapMonth) << c.year;
    }
}

TEST(LunarConverter, DayOffsetCountsLeapDays) {
    EXPECT_EQ(LunarConverter::DayOffset(2008, 3, 1, 2008, 2, 28), 2);
    EXPECT_EQ(LunarConverter::DayOffset(1900, 3, 1, 1900, 2, 28), 1);
    EXPECT_EQ(LunarConverter::DayOffset(1901, 2, 19, 1901, 1, 1), 49);
    EXPECT_EQ(LunarConverter::DayOffset(1901, 1, 1, 1901, 2, 19), -49);
    EXPECT_TRUE(LunarConverter::IsGregorianLeap(2000));
    EXPECT_FALSE(LunarConverter::IsGregorianLeap(1900));
}

namespace {

std::optional<GregorianDate> ToGregorian(int lunarYear, int lunarMonth, int lunarDay) {
    GregorianDate date{1, 2, 3};
    if (!LunarConverter::ToGregorian(lunarYear, lunarMonth, lunarDay, date)) {
        // A refused date leaves the output alone.
        EXPECT_EQ(date, (GregorianDate{1, 2, 3}));
        return std::nullopt;
    }
    return date;
}

}  // namespace

TEST(LunarConverter, ToGregorianKnownDates) {
    struct Case {
        int lunarYear, lunarMonth, lunarDay;
        GregorianDate date;
    };
    const Case cases[] = {
        {1901, 1, 1, {1901, 2, 19}},
        // 八月十五 of three years in a row.
        {2024, 8, 15, {2024, 9, 17}},
        {2025, 8, 15, {2025, 10, 6}},
        {2026, 8, 15, {2026, 9, 25}},
        // Leap months follow the month they repeat.
        {2020, 4, 1, {2020, 4, 23}},
        {2020, -4, 1, {2020, 5, 23}},
        {2020, -4, 29, {2020, 6, 20}},
        {2020, 5, 1, {2020, 6, 21}},
        {2033, -11, 1, {2033, 12, 22}},
        // 腊月 lies in the next Gregorian year.
        {2023, 12, 30, {2024, 2, 9}},
        {2024, 12, 29, {2025, 1, 28}},
        {2050, 12, 29, {2051, 2, 10}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToGregorian(c.lunarYear, c.lunarMonth, c.lunarDay), c.date)
            << c.lunarYear << "/" << c.lunarMonth << "/" << c.lunarDay;
    }
}

TEST(LunarConverter, ToGregorianRefusesDatesThatDoNotExist) {
    struct Case {
        const char* what;
        int lunarYear, lunarMonth, lunarDay;
    };
    const Case cases[] = {
        {"no leap fifth month in 2020", 2020, -5, 1},
        {"no leap month at all in 2021", 2021, -4, 1},
        {"2024's 腊月 has 29 days", 2024, 12, 30},
        {"2020's leap fourth month has 29 days", 2020, -4, 30},
        {"day 31", 2023, 12, 31},
        {"day 0", 2024, 1, 0},
        {"negative day", 2024, 1, -1},
        {"month 0", 2024, 0, 1},
        {"month 13", 2024, 13, 1},
        {"month -13", 2024, -13, 1},
        {"the lowest month", 2024, std::numeric_limits<int>::min(), 1},
        {"year before the tables", 1900, 11, 1},
        {"year after the tables", 2051, 1, 1},
        {"far away year", std::numeric_limits<int>::max(), 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToGregorian(c.lunarYear, c.lunarMonth, c.lunarDay), std::nullopt) << c.what;
    }
}

// Every month of lunar 1901-2050, leap months included, against the month
// starts computed independently (tests/data/README.md): its first and last
// day convert to the right Gregorian days and the day after its last does
// not exist.
TEST(LunarConverter, ToGregorianFindsEveryMonthOfTheIndependentCalendar) {
    std::ifstream in = OpenData("lunar_month_starts.txt");
    struct MonthStart {
        int dayCount;
        int lunarYear, lunarMonth;
    };
    std::vector<MonthStart> starts;
    std::string line;
    while (std::getline(in, line)) {
        int y, m, d, ly, lm, ld;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d-%d-%d %d %d %d", &y, &m, &d, &ly, &lm, &ld), 6) << line;
        starts.push_back({DayCount(y, m, d), ly, lm});
    }
    int months = 0;
    int leapMonths = 0;
    for (std::size_t i = 0; i + 1 < starts.size(); ++i) {
        const MonthStart& s = starts[i];
        if (s.lunarYear < 1901 || s.lunarYear > 2050) {
            continue;
        }
        const int length = starts[i + 1].dayCount - s.dayCount;
        SCOPED_TRACE(std::to_string(s.lunarYear) + "/" + std::to_string(s.lunarMonth));
        EXPECT_EQ(ToGregorian(s.lunarYear, s.lunarMonth, 1), DateOfDayCount(s.dayCount));
        EXPECT_EQ(ToGregorian(s.lunarYear, s.lunarMonth, length), DateOfDayCount(s.dayCount + length - 1));
        EXPECT_EQ(ToGregorian(s.lunarYear, s.lunarMonth, length + 1), std::nullopt);
        ++months;
        leapMonths += s.lunarMonth < 0 ? 1 : 0;
    }
    // 150 years of 12 months, and a leap month in 55 of them.
    EXPECT_EQ(months, 150 * 12 + 55);
    EXPECT_EQ(leapMonths, 55);
}

TEST(LunarConverter, ToGregorianInvertsToLunarOnEveryDayOfTheTables) {
    for (GregorianDate date{1901, 2, 19}; date <= GregorianDate{2051, 2, 10}; date = NextDay(date)) {
        const LunarDate lunar = Convert(date);
        ASSERT_EQ(ToGregorian(lunar.year, lunar.month, lunar.day), date) << DateText(date);
    }
}
