#include "site/lookup/calendar_page.h"

#include <array>
#include <string_view>

#include "site/lookup/html_page.h"
#include "site/lookup/lunar_year_name.h"
#include "widget/calendar/lunar_converter.h"

namespace {

// Column headings, Sunday first like the suite's own calendar.
constexpr std::array<std::string_view, 7> kWeekdayHeadings = {"日", "一", "二", "三", "四", "五", "六"};

// Buffer for one lunar name; "闰十一月" with its terminator is the longest.
constexpr std::size_t kNameBuffer = 16;

bool InCalendarRange(int year, int month) {
    return year >= kFirstCalendarYear && year <= kLastCalendarYear && month >= 1 && month <= 12;
}

std::string MonthLabel(int year, int month) {
    return std::to_string(year) + "年" + std::to_string(month) + "月";
}

// A link to a month, or nothing when the month lies outside the tables.
std::string NavigationLink(int year, int month, std::string_view label) {
    if (month < 1) {
        --year;
        month += 12;
    } else if (month > 12) {
        ++year;
        month -= 12;
    }
    if (!InCalendarRange(year, month)) {
        return {};
    }
    return "<a href=\"" + CalendarMonthLink(year, month) + "\">" + std::string(label) + "</a>";
}

std::string LunarYearLabel(int lunarYear) {
    return StemBranchOfYear(lunarYear) + "年（" + ZodiacOfYear(lunarYear) + "年）";
}

// The lunar years the month touches: one, or two when a new year begins in it.
std::string LunarYearsLine(int year, int month) {
    LunarDate first;
    LunarDate last;
    LunarConverter::ToLunar(year, month, 1, first);
    LunarConverter::ToLunar(year, month, DaysInMonth(year, month), last);
    std::string line = "农历" + LunarYearLabel(first.year);
    if (last.year != first.year) {
        line += "、" + LunarYearLabel(last.year);
    }
    return line;
}

std::string Header(int year, int month) {
    std::string html = "<table class=\"nav\" width=\"100%\"><tr>\r\n<td align=\"left\">";
    html += NavigationLink(year - 1, month, "&lt;&lt; 上一年");
    html += " ";
    html += NavigationLink(year, month - 1, "&lt; 上一月");
    html += "</td>\r\n<td class=\"caption\">" + MonthLabel(year, month) + "</td>\r\n<td align=\"right\">";
    html += NavigationLink(year, month + 1, "下一月 &gt;");
    html += " ";
    html += NavigationLink(year + 1, month, "下一年 &gt;&gt;");
    html += "</td>\r\n</tr>\r\n<tr><td colspan=\"3\" class=\"lunaryear\">" + LunarYearsLine(year, month) +
            "</td></tr>\r\n</table>\r\n";
    return html;
}

// The lunar line of a day: the month's name on its first day, else the day's.
std::string LunarLabel(const LunarDate& lunar) {
    char name[kNameBuffer] = {};
    if (lunar.day == 1) {
        LunarConverter::LunarMonthName(lunar.month, false, name, sizeof name);
    } else {
        LunarConverter::LunarDayName(lunar.day, name, sizeof name);
    }
    return name;
}

std::string DayCell(int year, int month, int day, GregorianDate today, const HolidayTable& holidays) {
    LunarDate lunar;
    const int term = LunarConverter::ToLunar(year, month, day, lunar);
    const int weekday = WeekdayOf(year, month, day);
    std::string html = "<td class=\"day";
    if (weekday == 1 || weekday == 7) {
        html += " weekend";
    }
    if (today == GregorianDate{year, month, day}) {
        html += " today";
    }
    html +=
        "\"><div class=\"num\">" + std::to_string(day) + "</div><div class=\"lunar\">" + LunarLabel(lunar) + "</div>";
    if (term != 0) {
        char name[kNameBuffer] = {};
        LunarConverter::SolarTermName(term, name, sizeof name);
        html += "<div class=\"term\">" + std::string(name) + "</div>";
    }
    DayHolidays found;
    holidays.HolidaysOfDay({year, month, day}, false, nullptr, found);
    for (const HolidayEntry& entry : found.entries) {
        html += "<div class=\"holiday\">" + HtmlEscape(entry.title) + "</div>";
    }
    html += "</td>\r\n";
    return html;
}

std::string Grid(int year, int month, GregorianDate today, const HolidayTable& holidays) {
    std::string html = "<table class=\"month\" align=\"center\">\r\n<tr>";
    for (const std::string_view heading : kWeekdayHeadings) {
        html += "<th>" + std::string(heading) + "</th>";
    }
    html += "</tr>\r\n<tr>\r\n";
    const int lead = WeekdayOf(year, month, 1) - 1;
    for (int column = 0; column < lead; ++column) {
        html += "<td class=\"blank\">&nbsp;</td>\r\n";
    }
    const int days = DaysInMonth(year, month);
    int column = lead;
    for (int day = 1; day <= days; ++day) {
        if (column == 7) {
            html += "</tr>\r\n<tr>\r\n";
            column = 0;
        }
        html += DayCell(year, month, day, today, holidays);
        ++column;
    }
    for (; column < 7; ++column) {
        html += "<td class=\"blank\">&nbsp;</td>\r\n";
    }
    html += "</tr>\r\n</table>\r\n";
    return html;
}

// A form to jump to any month the tables hold.
std::string JumpForm(int year, int month) {
    std::string html =
        "<form action=\"/software/lookup.asp\" method=\"get\"><p align=\"center\">"
        "<input type=\"hidden\" name=\"id\" value=\"wannianli\">"
        "<input type=\"text\" name=\"y\" size=\"4\" maxlength=\"4\" value=\"" +
        std::to_string(year) + "\">年 <select name=\"m\">";
    for (int m = 1; m <= 12; ++m) {
        html += "<option value=\"" + std::to_string(m) + "\"" + (m == month ? " selected" : "") + ">" +
                std::to_string(m) + "月</option>";
    }
    html += "</select> <input type=\"submit\" value=\"查看\"> <a href=\"" + std::string(kCalendarPagePath) +
            "\">今天</a><br><span class=\"note\">可查看" + std::to_string(kFirstCalendarYear) + "年至" +
            std::to_string(kLastCalendarYear) + "年</span></p></form>\r\n";
    return html;
}

}  // namespace

std::string CalendarMonthLink(int year, int month) {
    return std::string(kCalendarPagePath) + "&amp;y=" + std::to_string(year) + "&amp;m=" + std::to_string(month);
}

std::string CalendarMonthDocument(int year, int month, GregorianDate today, const HolidayTable& holidays) {
    const std::string body = Header(year, month) + Grid(year, month, today, holidays) + JumpForm(year, month);
    return HtmlDocument("万年历 " + MonthLabel(year, month), body);
}
