#include "widget/planner/planner_grid.h"

#include <algorithm>
#include <cstdio>

#include "widget/calendar/lunar_converter.h"

namespace {

// English names as the "C" locale's strftime gives them; weekday index
// 1 = Sunday ... 7 = Saturday minus one, month index = month - 1.
constexpr std::array<const char*, 7> kEnglishWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                         "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kEnglishMonths = {"January",   "February", "March",    "April",
                                                        "May",       "June",     "July",     "August",
                                                        "September", "October",  "November", "December"};

struct NameReplacement {
    const char* search;
    const char* replacement;
};

// Applied in this order to lower-cased text. Only January and February
// swallow the blank after them, so "%B %d" reads "1月05" but "3月 05".
constexpr std::array<NameReplacement, 20> kNameTable = {{
    {"monday", "星期一"}, {"tuesday", "星期二"},  {"wednesday", "星期三"}, {"thursday", "星期四"},
    {"friday", "星期五"}, {"saturday", "星期六"}, {"sunday", "星期日"},    {"sat/sun", "星期六/日"},
    {"january ", "1月"},  {"february ", "2月"},   {"march", "3月"},        {"april", "4月"},
    {"may", "5月"},       {"june", "6月"},        {"july", "7月"},         {"august", "8月"},
    {"september", "9月"}, {"october", "10月"},    {"november", "11月"},    {"december", "12月"},
}};

void ReplaceAll(std::string& text, std::string_view search, std::string_view replacement) {
    for (std::size_t at = text.find(search); at != std::string::npos; at = text.find(search, at + replacement.size())) {
        text.replace(at, search.size(), replacement);
    }
}

// The n-th of `count` equal slices of `length`; the slices fill it exactly.
int SliceStart(int length, int count, int n) {
    return length * n / count;
}

}  // namespace

GregorianDate FirstCellDate(int year, int month) {
    // Weekday 2 is Monday: step back (weekday - 2) days, Sunday six.
    const int weekday = WeekdayOf(year, month, 1);
    const int back = (weekday + 5) % 7;
    if (back == 0) {
        return {year, month, 1};
    }
    const int previousMonth = month == 1 ? 12 : month - 1;
    const int previousYear = month == 1 ? year - 1 : year;
    return {previousYear, previousMonth, DaysInMonth(previousYear, previousMonth) - back + 1};
}

std::string TranslateNames(std::string_view text) {
    std::string lowered(text);
    // Only ASCII letters: GBK bytes of Chinese text are all above 0x7F.
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (const NameReplacement& entry : kNameTable) {
        ReplaceAll(lowered, entry.search, entry.replacement);
    }
    return lowered;
}

std::string FormatEnglishDate(std::string_view pattern, GregorianDate date) {
    std::string out;
    const bool validMonth = date.month >= 1 && date.month <= 12;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out += pattern[i];
            continue;
        }
        char number[16];
        switch (pattern[++i]) {
            case 'A':
                out += kEnglishWeekdays[static_cast<std::size_t>(WeekdayOf(date.year, date.month, date.day) - 1)];
                break;
            case 'B':
                out += validMonth ? kEnglishMonths[static_cast<std::size_t>(date.month - 1)] : "";
                break;
            case 'd':
                std::snprintf(number, sizeof number, "%02d", date.day);
                out += number;
                break;
            case 'm':
                std::snprintf(number, sizeof number, "%02d", date.month);
                out += number;
                break;
            case 'Y':
                std::snprintf(number, sizeof number, "%d", date.year);
                out += number;
                break;
            case '%':
                out += '%';
                break;
            default:
                out += '%';
                out += pattern[i];
                break;
        }
    }
    return out;
}

PlannerGrid::PlannerGrid() {
    SetShownDate({2000, 1, 1}, kPlannerMonthMode, true);
}

void PlannerGrid::SetShownDate(GregorianDate date, int mode, bool showLunarText) {
    shownDate_ = date;
    weekMode_ = mode == kPlannerWeekMode;
    GregorianDate day = FirstCellDate(date.year, date.month);
    for (PlannerCell& cell : cells_) {
        cell.date = day;
        cell.lunarText = LunarConverter::LunarText(day.year, day.month, day.day);
        cell.inShownMonth = day.year == date.year && day.month == date.month;
        cell.showLunarText = showLunarText;
        cell.items.clear();
        day = NextDay(day);
    }
    hover_ = {};
    selectedCell_ = -1;
    LayOut(clientWidth_, clientHeight_, header_.height);
}

int PlannerGrid::CellOf(GregorianDate day) const {
    const int offset = DayCount(day) - DayCount(cells_.front().date);
    return offset >= 0 && offset < kPlannerCellCount ? offset : -1;
}

int PlannerGrid::FirstShownCell() const {
    if (!weekMode_) {
        return 0;
    }
    return std::max(CellOf(shownDate_), 0) / 7 * 7;
}

void PlannerGrid::LayOut(int clientWidth, int clientHeight, int headerHeight) {
    clientWidth_ = std::max(clientWidth, 0);
    clientHeight_ = std::max(clientHeight, 0);
    header_ = {0, 0, clientWidth_, std::clamp(headerHeight, 0, clientHeight_)};
}

PlannerRect PlannerGrid::CellRect(int cell) const {
    const int first = FirstShownCell();
    if (cell < first || cell >= first + ShownCellCount()) {
        return {};
    }
    const int index = cell - first;
    const int rows = weekMode_ ? 1 : 6;
    const int column = index % 7;
    const int row = index / 7;
    const int bodyHeight = clientHeight_ - header_.height;
    const int x = SliceStart(clientWidth_, 7, column);
    const int y = header_.height + SliceStart(bodyHeight, rows, row);
    return {x, y, SliceStart(clientWidth_, 7, column + 1) - x,
            header_.height + SliceStart(bodyHeight, rows, row + 1) - y};
}

// Entry lines that fit between a cell's title band and its bottom text.
int PlannerGrid::ItemLines(int cell) const {
    const PlannerRect box = CellRect(cell);
    return std::max((box.height - kPlannerTitleBandHeight - kPlannerBottomTextHeight) / kPlannerItemHeight, 0);
}

int PlannerGrid::HiddenItemCount(int cell) const {
    if (CellRect(cell).width == 0) {
        return 0;
    }
    const int count = static_cast<int>(cells_[static_cast<std::size_t>(cell)].items.size());
    const int lines = ItemLines(cell);
    return count > lines && lines > 0 ? count - (lines - 1) : 0;
}

PlannerRect PlannerGrid::LineRect(int cell, int line) const {
    const PlannerRect box = CellRect(cell);
    return {box.x + 2, box.y + kPlannerTitleBandHeight + line * kPlannerItemHeight, std::max(box.width - 4, 0),
            kPlannerItemHeight};
}

PlannerRect PlannerGrid::ItemRect(int cell, int item) const {
    if (CellRect(cell).width == 0 || item < 0 ||
        item >= static_cast<int>(cells_[static_cast<std::size_t>(cell)].items.size())) {
        return {};
    }
    const int shown = HiddenItemCount(cell) > 0 ? ItemLines(cell) - 1 : ItemLines(cell);
    return item < shown ? LineRect(cell, item) : PlannerRect{};
}

PlannerRect PlannerGrid::MoreRect(int cell) const {
    return HiddenItemCount(cell) > 0 ? LineRect(cell, ItemLines(cell) - 1) : PlannerRect{};
}

PlannerHit PlannerGrid::HitTest(int x, int y) const {
    const int first = FirstShownCell();
    for (int cell = first; cell < first + ShownCellCount(); ++cell) {
        if (!CellRect(cell).Contains(x, y)) {
            continue;
        }
        const int count = static_cast<int>(cells_[static_cast<std::size_t>(cell)].items.size());
        for (int item = 0; item < count; ++item) {
            if (ItemRect(cell, item).Contains(x, y)) {
                return {cell, item};
            }
        }
        return {cell, -1};
    }
    return {};
}

bool PlannerGrid::SetHover(PlannerHit hit) {
    if (hit == hover_) {
        return false;
    }
    hover_ = hit;
    return true;
}

void PlannerGrid::SetSelectedCell(int cell) {
    selectedCell_ = cell >= 0 && cell < kPlannerCellCount ? cell : -1;
}

std::array<std::string, 7> WeekdayHeadings() {
    std::array<std::string, 7> headings;
    // 2024-01-01 was a Monday.
    for (int i = 0; i < 7; ++i) {
        headings[static_cast<std::size_t>(i)] = TranslateNames(FormatEnglishDate("%A", {2024, 1, 1 + i}));
    }
    return headings;
}

std::string WeekDayHeading(GregorianDate day) {
    return TranslateNames(FormatEnglishDate("%A, %B %d", day));
}

std::string CellBottomText(const PlannerCell& cell, GregorianDate today) {
    return cell.date == today ? cell.lunarText + "（今天）" : cell.lunarText;
}
