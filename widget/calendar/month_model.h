#pragma once

// One month of the calendar window's grid as data: a record per day with its
// lunar text and the marks that pick its tile, the rows the month needs, and
// where each day's tile is cut from numbers.png and drawn.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "widget/calendar/gregorian.h"

class HolidayTable;

// Bits of DayRecord::marks.
inline constexpr std::uint8_t kMarkHoliday = 0x10;
inline constexpr std::uint8_t kMarkSolarTerm = 0x01;
// Bits of DayRecord::extraMarks.
inline constexpr std::uint8_t kMarkWeekend = 0x10;
inline constexpr std::uint8_t kMarkReminder = 0x01;

// Years the calendar can be moved to.
inline constexpr int kFirstShownYear = 1900;
inline constexpr int kLastShownYear = 2050;

// Grid cell and tile sizes in pixels.
inline constexpr int kDayCellWidth = 25;
inline constexpr int kDayCellHeight = 21;
inline constexpr int kDayTileSize = 21;

struct DayRecord {
    std::uint8_t valid = 0;    // 1 for a day of the month
    std::uint8_t weekday = 0;  // 1 = Sunday ... 7 = Saturday
    std::string text;          // "农历 " + lunar month and day [+ " " + solar term], GBK
    std::uint8_t marks = 0;
    std::uint8_t extraMarks = 0;

    friend bool operator==(const DayRecord&, const DayRecord&) = default;
};

using MonthDays = std::array<DayRecord, 31>;  // index = day - 1

// Whether a reminder or birthday falls on a day (extraMarks bit 0).
using ReminderDayTest = std::function<bool(GregorianDate day)>;

// 4, 5 or 6: the rows of the month in a grid of Sunday-first weeks; 0 for a
// month outside 1-12.
int MonthRows(int year, int month);

// The records of a month; days past its length have valid = 0.
MonthDays BuildMonth(int year, int month, const HolidayTable& holidays, const ReminderDayTest& hasReminder);

// Top of the tile row in numbers.png for a day in its state: selection wins,
// then holiday or weekend, then solar term, then any other day; each row has
// a twin 21 pixels lower for days with a reminder.
int DayTileY(const DayRecord& day, bool selected);
// Left of the day's tile in numbers.png.
constexpr int DayTileX(int day) {
    return (day - 1) * kDayTileSize;
}

struct GridCell {
    int column = 0;  // 0 = Sunday
    int row = 0;     // 0 = the row of the 1st

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// Where day `day` sits in the grid of its month (a number outside 1-31 is
// taken as the nearest of them).
GridCell CellOfDay(const MonthDays& days, int day);
// The day under a point relative to the grid's top left, 0 when none.
int DayAtPoint(const MonthDays& days, int x, int y);

// A year kept within kFirstShownYear..kLastShownYear.
int ClampShownYear(int year);
