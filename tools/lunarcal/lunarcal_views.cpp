#include "tools/lunarcal/lunarcal_views.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "tools/lunarcal/terminal_text.h"
#include "widget/calendar/lunar_converter.h"

namespace {

// Every cell is as wide as the widest lunar name, "闰十一月" (8 columns);
// cells are one column apart.
constexpr int kCellWidth = 8;
constexpr int kGridWidth = 7 * kCellWidth + 6;

constexpr std::array<const char*, 7> kWeekdayHeads = {"日", "一", "二", "三", "四", "五", "六"};

constexpr const char* kReverseVideo = "\x1b[7m";
constexpr const char* kPlainVideo = "\x1b[0m";

// A name buffer as the converter's naming operations want it.
using NameBuffer = std::array<char, 16>;

std::string Centered(std::string_view text, int width) {
    int size = static_cast<int>(text.size());
    int left = std::max(0, (width - size) / 2);
    int right = std::max(0, width - size - left);
    return std::string(left, ' ') + std::string(text) + std::string(right, ' ');
}

std::string TrimmedRight(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// One line of the grid from its seven cells; empty cells after the last day
// are left out and the line carries no trailing blanks.
std::string GridLine(const std::array<std::string, 7>& cells, const std::array<bool, 7>& highlighted) {
    std::string line;
    for (int i = 0; i < 7; ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += highlighted[i] ? kReverseVideo + cells[i] + kPlainVideo : cells[i];
    }
    return TrimmedRight(line);
}

// Titles of the day's holidays joined with "、", or empty.
std::string HolidayTitles(const HolidayTable& holidays, GregorianDate date) {
    DayHolidays found;
    if (!holidays.HolidaysOfDay(date, false, nullptr, found)) {
        return {};
    }
    std::string titles;
    for (const HolidayEntry& entry : found.entries) {
        if (!titles.empty()) {
            titles += "、";
        }
        titles += TerminalSafe(entry.title);
    }
    return titles;
}

struct MonthDays {
    std::vector<std::string> lunarNames;  // index = day - 1
    std::vector<std::string> holidays;    // titles, index = day - 1
};

MonthDays CollectDays(int year, int month, const HolidayTable& holidays) {
    MonthDays days;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        days.lunarNames.push_back(CellLunarName({year, month, day}));
        days.holidays.push_back(HolidayTitles(holidays, {year, month, day}));
    }
    return days;
}

void WriteWeeks(std::ostream& out, int year, int month, const MonthDays& days, int highlightDay) {
    int dayCount = DaysInMonth(year, month);
    int column = WeekdayOf(year, month, 1) - 1;
    for (int day = 1; day <= dayCount;) {
        std::array<std::string, 7> numbers;
        numbers.fill(std::string(kCellWidth, ' '));
        std::array<std::string, 7> names = numbers;
        std::array<bool, 7> highlighted{};
        for (; column < 7 && day <= dayCount; ++column, ++day) {
            char number[16];
            std::snprintf(number, sizeof number, "%2d%c", day, days.holidays[day - 1].empty() ? ' ' : '*');
            // The number's two digits stand under the weekday's character.
            numbers[column] = std::string(3, ' ') + number + std::string(kCellWidth - 6, ' ');
            names[column] = Centered(days.lunarNames[day - 1], kCellWidth);
            highlighted[column] = day == highlightDay;
        }
        out << GridLine(numbers, highlighted) << '\n' << GridLine(names, highlighted) << '\n';
        column = 0;
    }
}

}  // namespace

std::string CellLunarName(GregorianDate date) {
    LunarDate lunar;
    int term = LunarConverter::ToLunar(date.year, date.month, date.day, lunar);
    NameBuffer name{};
    if (term != 0) {
        LunarConverter::SolarTermName(term, name.data(), name.size());
    } else if (lunar.day == 1) {
        LunarConverter::LunarMonthName(lunar.month, false, name.data(), name.size());
    } else {
        LunarConverter::LunarDayName(lunar.day, name.data(), name.size());
    }
    return name.data();
}

void WriteMonth(std::ostream& out,
                int year,
                int month,
                const HolidayTable& holidays,
                std::optional<GregorianDate> highlight) {
    std::string title = Centered(std::to_string(year) + "年" + std::to_string(month) + "月", kGridWidth);
    out << TrimmedRight(title);
    std::array<std::string, 7> heads;
    for (int i = 0; i < 7; ++i) {
        heads[i] = Centered(kWeekdayHeads[i], kCellWidth);
    }
    out << '\n' << GridLine(heads, {}) << '\n';

    MonthDays days = CollectDays(year, month, holidays);
    bool inMonth = highlight && highlight->year == year && highlight->month == month;
    WriteWeeks(out, year, month, days, inMonth ? highlight->day : 0);

    bool listed = false;
    for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        if (days.holidays[day - 1].empty()) {
            continue;
        }
        if (!listed) {
            out << '\n';
            listed = true;
        }
        char number[16];
        std::snprintf(number, sizeof number, "%2d", day);
        out << number << "日 " << days.holidays[day - 1] << '\n';
    }
}

void WriteDayReport(std::ostream& out, GregorianDate date, const HolidayTable& holidays) {
    out << date.year << "年" << date.month << "月" << date.day << "日 "
        << LunarConverter::WeekdayName(WeekdayOf(date.year, date.month, date.day)) << '\n';
    out << "农历 " << LunarConverter::LunarText(date.year, date.month, date.day) << '\n';
    int term = LunarConverter::SolarTermOn(date.year, date.month, date.day);
    if (term != 0) {
        NameBuffer name{};
        LunarConverter::SolarTermName(term, name.data(), name.size());
        out << "节气 " << name.data() << '\n';
    }
    DayHolidays found;
    holidays.HolidaysOfDay(date, false, nullptr, found);
    for (const HolidayEntry& entry : found.entries) {
        out << "节日 " << TerminalSafe(entry.title) << '\n';
        if (!entry.description.empty()) {
            // Under the title: "节日 " is five columns wide.
            out << "     " << TerminalSafe(entry.description) << '\n';
        }
    }
}

void WriteDump(std::ostream& out, GregorianDate first, GregorianDate last) {
    for (GregorianDate date = first; date <= last; date = NextDay(date)) {
        LunarDate lunar;
        int term = LunarConverter::ToLunar(date.year, date.month, date.day, lunar);
        char line[64];
        int length = std::snprintf(line, sizeof line, "%04d-%02d-%02d\t%d\t%d\t%d\t%d\n", date.year, date.month,
                                   date.day, lunar.year, lunar.month, lunar.day, term);
        out.write(line, length);
    }
}
