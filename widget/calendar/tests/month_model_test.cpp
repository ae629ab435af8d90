#include "widget/calendar/month_model.h"

#include <gtest/gtest.h>

#include <string>

#include "widget/calendar/holiday_table.h"

namespace {

HolidayTable Parsed(const char* text) {
    HolidayTable table;
    table.Parse(text);
    return table;
}

const ReminderDayTest kNoReminders = [](GregorianDate) { return false; };

TEST(MonthModel, RowsOfAMonth) {
    struct Case {
        int year;
        int month;
        int rows;
    };
    const Case cases[] = {
        {2009, 2, 4},   // 28 days from a Sunday
        {2015, 2, 4},   // the same again
        {2008, 2, 5},   // 29 days from a Friday
        {2004, 2, 5},   // 29 days from a Sunday
        {2010, 2, 5},   // 28 days from a Monday
        {2008, 8, 6},   // 31 days from a Friday
        {2008, 3, 6},   // 31 days from a Saturday
        {2007, 9, 6},   // 30 days from a Saturday
        {2008, 6, 5},   // 30 days from a Sunday
        {2008, 5, 5},   // 31 days from a Thursday
        {1900, 1, 5},   // 31 days from a Monday
        {2050, 12, 5},  // 31 days from a Thursday
        {2008, 0, 0},  {2008, 13, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
        EXPECT_EQ(MonthRows(c.year, c.month), c.rows);
    }
}

TEST(MonthModel, August2008Records) {
    // 七夕 falls on 7 August 2008, the day of 立秋; the Olympic opening on the 8th.
    HolidayTable holidays = Parsed(
        "LUNAR,7,7,0,七夕\n牛郎织女\n"
        "NORMAL,8,8,2008,奥运会开幕\n北京\n");
    ReminderDayTest onTenth = [](GregorianDate day) { return day == GregorianDate{2008, 8, 10}; };
    MonthDays days = BuildMonth(2008, 8, holidays, onTenth);

    struct Case {
        int day;
        int weekday;
        std::string text;
        int marks;
        int extraMarks;
    };
    const Case cases[] = {
        {1, 6, "农历 七月初一", 0, 0},
        {2, 7, "农历 七月初二", 0, kMarkWeekend},
        {3, 1, "农历 七月初三", 0, kMarkWeekend},
        {7, 5, "农历 七月初七 立秋", kMarkHoliday | kMarkSolarTerm, 0},
        {8, 6, "农历 七月初八", kMarkHoliday, 0},
        {10, 1, "农历 七月初十", 0, kMarkWeekend | kMarkReminder},
        {15, 6, "农历 七月十五", 0, 0},
        {20, 4, "农历 七月二十", 0, 0},
        {23, 7, "农历 七月廿三 处暑", kMarkSolarTerm, kMarkWeekend},
        {30, 7, "农历 七月三十", 0, kMarkWeekend},
        {31, 1, "农历 八月初一", 0, kMarkWeekend},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        const DayRecord& record = days[c.day - 1];
        EXPECT_EQ(record.valid, 1);
        EXPECT_EQ(record.weekday, c.weekday);
        EXPECT_EQ(record.text, c.text);
        EXPECT_EQ(record.marks, c.marks);
        EXPECT_EQ(record.extraMarks, c.extraMarks);
    }
}

TEST(MonthModel, DaysPastTheMonthAreEmpty) {
    MonthDays days = BuildMonth(2009, 2, HolidayTable{}, kNoReminders);
    EXPECT_EQ(days[27].valid, 1);
    for (int day = 29; day <= 31; ++day) {
        EXPECT_EQ(days[day - 1], DayRecord{}) << day;
    }
    // An empty test marks nothing.
    EXPECT_EQ(BuildMonth(2009, 2, HolidayTable{}, ReminderDayTest{})[1].extraMarks & kMarkReminder, 0);
}

TEST(MonthModel, LunarTextsAtTheEdgesOfTheTables) {
    struct Case {
        GregorianDate date;
        std::string text;
        int marks;
    };
    const Case cases[] = {
        // Most of 1900 has no lunar date: the prefix alone and no term.
        {{1900, 1, 6}, "农历 ", 0},
        {{1900, 12, 21}, "农历 ", 0},
        {{1900, 12, 22}, "农历 十一月初一", 0},
        {{1900, 12, 31}, "农历 十一月初十", 0},
        {{1901, 2, 19}, "农历 正月初一 雨水", kMarkSolarTerm},
        {{2006, 8, 24}, "农历 闰七月初一", 0},
        {{2033, 12, 22}, "农历 闰十一月初一", 0},
        {{2050, 12, 22}, "农历 十一月初九 冬至", kMarkSolarTerm},
        {{2050, 12, 31}, "农历 十一月十八", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date.year << "-" << c.date.month << "-" << c.date.day);
        DayRecord record = BuildMonth(c.date.year, c.date.month, HolidayTable{}, kNoReminders)[c.date.day - 1];
        EXPECT_EQ(record.text, c.text);
        EXPECT_EQ(record.marks, c.marks);
    }
}

TEST(MonthModel, TileRowPicksTheStateInOrder) {
    struct Case {
        const char* what;
        int marks;
        int extraMarks;
        bool selected;
        int y;
    };
    const Case cases[] = {
        {"other", 0, 0, false, 126},
        {"other with reminder", 0, kMarkReminder, false, 147},
        {"solar term", kMarkSolarTerm, 0, false, 0},
        {"solar term with reminder", kMarkSolarTerm, kMarkReminder, false, 21},
        {"weekend", 0, kMarkWeekend, false, 42},
        {"holiday", kMarkHoliday, 0, false, 42},
        {"Sunday holiday", kMarkHoliday, kMarkWeekend, false, 42},
        {"holiday with reminder", kMarkHoliday, kMarkReminder, false, 63},
        {"weekend over solar term", kMarkSolarTerm, kMarkWeekend, false, 42},
        {"selected", 0, 0, true, 84},
        {"selected holiday on a term", kMarkHoliday | kMarkSolarTerm, kMarkWeekend, true, 84},
        {"selected with reminder", kMarkHoliday, kMarkWeekend | kMarkReminder, true, 105},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DayRecord day;
        day.valid = 1;
        day.marks = static_cast<std::uint8_t>(c.marks);
        day.extraMarks = static_cast<std::uint8_t>(c.extraMarks);
        EXPECT_EQ(DayTileY(day, c.selected), c.y);
    }
    EXPECT_EQ(DayTileX(1), 0);
    EXPECT_EQ(DayTileX(31), 630);
}

TEST(MonthModel, CellsOfAugust2008) {
    // The 1st is a Friday; the 31st opens a sixth row.
    MonthDays days = BuildMonth(2008, 8, HolidayTable{}, kNoReminders);
    EXPECT_EQ(CellOfDay(days, 1), (GridCell{5, 0}));
    EXPECT_EQ(CellOfDay(days, 2), (GridCell{6, 0}));
    EXPECT_EQ(CellOfDay(days, 3), (GridCell{0, 1}));
    EXPECT_EQ(CellOfDay(days, 16), (GridCell{6, 2}));
    EXPECT_EQ(CellOfDay(days, 31), (GridCell{0, 5}));
    // Numbers outside the month's range are taken as its ends.
    EXPECT_EQ(CellOfDay(days, 0), (GridCell{5, 0}));
    EXPECT_EQ(CellOfDay(days, 99), (GridCell{0, 5}));
}

TEST(MonthModel, PointsOfTheGrid) {
    MonthDays days = BuildMonth(2008, 8, HolidayTable{}, kNoReminders);
    struct Case {
        int x;
        int y;
        int day;
    };
    const Case cases[] = {
        {0, 0, 0},            // before the 1st
        {124, 20, 0},         // the last pixel before the 1st
        {125, 0, 1},          // the 1st's cell
        {149, 20, 1},         // its last pixel
        {150, 0, 2},          // Saturday the 2nd
        {0, 21, 3},           // the second row
        {0, 5 * 21, 31},      // the sixth row
        {25, 5 * 21, 0},      // after the 31st
        {175, 0, 0},          // right of the grid
        {-1, 0, 0},           // left of it
        {130, -1, 0},         // above it
        {0, 6 * 21, 0},       // below it
        {0, 0x7FFFFFFF, 0},   // far below it
        {0x7FFFFFFF, 30, 0},  // far right of it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(DayAtPoint(days, c.x, c.y), c.day);
    }
}

TEST(MonthModel, EveryDayIsFoundAtItsCell) {
    const int months[][2] = {{2009, 2}, {2008, 2}, {2008, 8}, {2008, 3}, {2008, 6}};
    for (const auto& month : months) {
        MonthDays days = BuildMonth(month[0], month[1], HolidayTable{}, kNoReminders);
        int length = DaysInMonth(month[0], month[1]);
        for (int day = 1; day <= length; ++day) {
            GridCell cell = CellOfDay(days, day);
            EXPECT_LT(cell.row, MonthRows(month[0], month[1]));
            EXPECT_EQ(DayAtPoint(days, cell.column * kDayCellWidth + 12, cell.row * kDayCellHeight + 10), day)
                << month[0] << "-" << month[1] << "-" << day;
        }
    }
}

TEST(MonthModel, ShownYearsStopAt1900And2050) {
    EXPECT_EQ(ClampShownYear(1899), 1900);
    EXPECT_EQ(ClampShownYear(1900), 1900);
    EXPECT_EQ(ClampShownYear(2008), 2008);
    EXPECT_EQ(ClampShownYear(2050), 2050);
    EXPECT_EQ(ClampShownYear(2051), 2050);
}

}  // namespace
