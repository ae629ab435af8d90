#pragma once

// The day cells of the reminder planner's grid control: which days its 42
// cells hold, the English date names it formats and translates into Chinese,
// where each cell and each of its entries lies, and which cell and entry the
// pointer is over. No windows.h: the control draws what this holds.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "widget/calendar/gregorian.h"

inline constexpr int kPlannerCellCount = 42;  // six weeks of seven days
inline constexpr int kPlannerWeekMode = 1025;
inline constexpr int kPlannerMonthMode = 1026;

struct PlannerRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const PlannerRgb&, const PlannerRgb&) = default;
};

enum class PlannerItemKind { kHoliday, kBirthday, kSchedule };

// One entry listed in a cell.
struct PlannerItem {
    PlannerItemKind kind = PlannerItemKind::kSchedule;
    std::uint32_t reminderId = 0;  // 0 for a holiday
    std::string text;              // GBK
    PlannerRgb colour;

    friend bool operator==(const PlannerItem&, const PlannerItem&) = default;
};

struct PlannerCell {
    GregorianDate date;
    // Month name, day name and, on a term day, a space and the term: GBK,
    // empty outside the lunar tables.
    std::string lunarText;
    bool inShownMonth = false;
    // Handed to every cell by SetShownDate: whether it draws its lunar text.
    bool showLunarText = true;
    std::vector<PlannerItem> items;

    friend bool operator==(const PlannerCell&, const PlannerCell&) = default;
};

// The first cell's day for a month: its 1st when that is a Monday, else the
// Monday before it.
GregorianDate FirstCellDate(int year, int month);

// Lower-cases the text and replaces the English weekday and month names by
// Chinese ones ("%B %d" of 5 January gives "1月05", of 5 March "3月 05": only
// January and February take the blank after them away).
std::string TranslateNames(std::string_view text);

// strftime's %A, %B, %d, %m, %Y and %% in English, as the "C" locale formats
// them; any other character is copied.
std::string FormatEnglishDate(std::string_view pattern, GregorianDate date);

// Where the pointer is: a cell (-1 for none) and one of its entries (-1 for
// the cell's empty part).
struct PlannerHit {
    int cell = -1;
    int item = -1;

    friend bool operator==(const PlannerHit&, const PlannerHit&) = default;
};

struct PlannerRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Contains(int px, int py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    friend bool operator==(const PlannerRect&, const PlannerRect&) = default;
};

// The grid's colour scheme; the widget sets it when the library is attached.
struct PlannerGridColours {
    PlannerRgb inMonth{255, 255, 255};
    PlannerRgb outOfMonth{238, 241, 246};
    PlannerRgb today{255, 246, 214};
    PlannerRgb selected{222, 234, 252};
    PlannerRgb headerTop{246, 249, 255};
    PlannerRgb headerBottom{214, 226, 246};
    PlannerRgb gridLine{192, 203, 222};
    PlannerRgb dayNumber{52, 64, 84};
    PlannerRgb outOfMonthText{150, 158, 172};
    bool fillCells = true;
    bool fillToday = true;
    bool drawGridLines = true;

    friend bool operator==(const PlannerGridColours&, const PlannerGridColours&) = default;
};

inline constexpr int kPlannerTitleBandHeight = 22;   // a cell's day-number band
inline constexpr int kPlannerItemHeight = 18;        // one entry line below it
inline constexpr int kPlannerBottomTextHeight = 16;  // the lunar text at a cell's foot

// The control's state: its cells, the date and mode it shows, the selected
// cell and the hovered cell and entry.
class PlannerGrid {
public:
    PlannerGrid();

    // Fills the 42 cells from the Monday on or before the 1st of `date`'s
    // month, with their lunar texts and month membership and no entries;
    // `mode` 1025 shows the week of `date`, any other value the month. The
    // hover and the selection are cleared.
    void SetShownDate(GregorianDate date, int mode, bool showLunarText);
    // 1025 in the week mode, 1026 in the month mode.
    int DisplayMode() const { return weekMode_ ? kPlannerWeekMode : kPlannerMonthMode; }
    GregorianDate shownDate() const { return shownDate_; }

    const std::array<PlannerCell, kPlannerCellCount>& cells() const { return cells_; }
    // The planner puts each cell's entries here.
    std::array<PlannerCell, kPlannerCellCount>& cells() { return cells_; }
    // The cell of a day, -1 when the grid does not hold it.
    int CellOf(GregorianDate day) const;

    // The cells drawn: all 42 in the month mode, the seven of the shown
    // date's week (from FirstShownCell) in the week mode.
    int FirstShownCell() const;
    int ShownCellCount() const { return weekMode_ ? 7 : kPlannerCellCount; }

    // Lays the shown cells out in a client area; the header band is as high
    // as `headerHeight` (the width of a vertical scroll bar).
    void LayOut(int clientWidth, int clientHeight, int headerHeight);
    // The header band with the weekday names (month mode) or day headings.
    PlannerRect header() const { return header_; }
    // A shown cell's rectangle; empty for a cell not shown.
    PlannerRect CellRect(int cell) const;
    // The rectangle of entry `item` of a cell: one line each below the
    // title band, as many as fit; empty for an entry that does not fit.
    // When not all fit, the last line that fits tells how many are left
    // (MoreRect) instead of showing an entry.
    PlannerRect ItemRect(int cell, int item) const;
    // The line that says how many entries of a cell are not shown; empty
    // when all are.
    PlannerRect MoreRect(int cell) const;
    // How many entries of a cell MoreRect stands for.
    int HiddenItemCount(int cell) const;
    PlannerHit HitTest(int x, int y) const;

    // Sets the hovered cell and entry; true when they changed.
    bool SetHover(PlannerHit hit);
    PlannerHit hover() const { return hover_; }

    // -1 for none.
    int selectedCell() const { return selectedCell_; }
    void SetSelectedCell(int cell);

private:
    int ItemLines(int cell) const;
    PlannerRect LineRect(int cell, int line) const;

    std::array<PlannerCell, kPlannerCellCount> cells_;
    GregorianDate shownDate_;
    bool weekMode_ = false;
    PlannerRect header_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    PlannerHit hover_;
    int selectedCell_ = -1;
};

// The header's weekday names, Monday first: "%A" of each through the table.
std::array<std::string, 7> WeekdayHeadings();
// A day's heading in the week mode: "%A, %B %d" through the table.
std::string WeekDayHeading(GregorianDate day);
// A cell's bottom text: its lunar text, with "（今天）" after it on today.
std::string CellBottomText(const PlannerCell& cell, GregorianDate today);
