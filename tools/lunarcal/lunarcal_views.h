#pragma once

// What lunarcal prints: the month grid, the report of one day and the
// machine-readable dump. Output is GBK text; in GBK every character takes as
// many terminal columns as it has bytes (ASCII one, Chinese two), which the
// layout relies on.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"

// The month as a grid of weeks from Sunday to Saturday under a title such as
// "2008年8月", two lines a week: day numbers (with '*' after a holiday) and
// under each its lunar name. The month's holidays follow, one line a day.
// `highlight`, when it falls in the month, is shown in reverse video.
void WriteMonth(std::ostream& out,
                int year,
                int month,
                const HolidayTable& holidays,
                std::optional<GregorianDate> highlight);

// Date and weekday, lunar text, solar term and holidays with descriptions.
void WriteDayReport(std::ostream& out, GregorianDate date, const HolidayTable& holidays);

// One line a day from `first` to `last`, both valid and first <= last:
// date, lunar year, lunar month (negative for a leap month), lunar day and
// solar-term index (0 for none), separated by tabs.
void WriteDump(std::ostream& out, GregorianDate first, GregorianDate last);

// What a day cell shows under its number: the solar term on a term day, the
// lunar month's name on its first day, else the lunar day's name.
std::string CellLunarName(GregorianDate date);
