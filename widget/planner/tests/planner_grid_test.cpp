#include "widget/planner/planner_grid.h"

#include <gtest/gtest.h>

namespace {

struct FirstCellCase {
    int year;
    int month;
    GregorianDate first;
};

TEST(PlannerGrid, FirstCellIsTheMondayOnOrBeforeTheFirst) {
    const FirstCellCase cases[] = {
        {2008, 9, {2008, 9, 1}},    // begins on a Monday
        {2008, 8, {2008, 7, 28}},   // begins on a Friday
        {2023, 1, {2022, 12, 26}},  // begins on a Sunday: six days back, across the year
        {2024, 3, {2024, 2, 26}},   // a leap February before it
        {2010, 2, {2010, 2, 1}},    // 28 days beginning on a Monday
    };
    for (const FirstCellCase& c : cases) {
        EXPECT_EQ(FirstCellDate(c.year, c.month), c.first) << c.year << "-" << c.month;
    }
}

TEST(PlannerGrid, CellsCoverSixWholeWeeks) {
    PlannerGrid grid;
    grid.SetShownDate({2010, 2, 14}, kPlannerMonthMode, true);
    const auto& cells = grid.cells();
    EXPECT_EQ(cells[0].date, (GregorianDate{2010, 2, 1}));
    EXPECT_EQ(cells[27].date, (GregorianDate{2010, 2, 28}));
    EXPECT_TRUE(cells[27].inShownMonth);
    // A 28-day February that begins on a Monday ends with 14 days of March.
    EXPECT_EQ(cells[28].date, (GregorianDate{2010, 3, 1}));
    EXPECT_EQ(cells[41].date, (GregorianDate{2010, 3, 14}));
    EXPECT_FALSE(cells[28].inShownMonth);
    EXPECT_EQ(grid.CellOf({2010, 3, 14}), 41);
    EXPECT_EQ(grid.CellOf({2010, 3, 15}), -1);
    EXPECT_EQ(grid.CellOf({2010, 1, 31}), -1);
}

TEST(PlannerGrid, CellsCarryLunarTextsAndTheMonthAndClearTheirState) {
    PlannerGrid grid;
    grid.SetShownDate({2008, 8, 8}, kPlannerMonthMode, false);
    grid.cells()[5].items.push_back({PlannerItemKind::kHoliday, 0, "x", {}});
    grid.SetSelectedCell(5);
    grid.SetHover({5, 0});
    grid.SetShownDate({2008, 8, 8}, kPlannerMonthMode, true);
    const PlannerCell& olympics = grid.cells()[static_cast<std::size_t>(grid.CellOf({2008, 8, 8}))];
    EXPECT_EQ(olympics.lunarText, "七月初八");
    EXPECT_TRUE(olympics.inShownMonth);
    EXPECT_TRUE(olympics.showLunarText);
    EXPECT_FALSE(grid.cells()[0].inShownMonth);  // 28 July
    EXPECT_TRUE(grid.cells()[5].items.empty());
    EXPECT_EQ(grid.selectedCell(), -1);
    EXPECT_EQ(grid.hover(), PlannerHit{});
    // The day of a solar term carries the term after a blank: 2008-08-07 立秋.
    EXPECT_EQ(grid.cells()[10].lunarText, "七月初七 立秋");
}

TEST(PlannerGrid, DisplayModeIsWeekOnlyFor1025) {
    PlannerGrid grid;
    const std::pair<int, int> cases[] = {
        {kPlannerWeekMode, kPlannerWeekMode}, {kPlannerMonthMode, kPlannerMonthMode}, {0, kPlannerMonthMode}};
    for (const auto& [mode, shown] : cases) {
        grid.SetShownDate({2024, 3, 5}, mode, true);
        EXPECT_EQ(grid.DisplayMode(), shown) << mode;
    }
}

struct NameCase {
    const char* text;
    const char* translated;
};

TEST(PlannerGrid, TranslateNamesUsesTheTableAndItsTrailingBlanks) {
    const NameCase cases[] = {
        {"January 05", "1月05"},  // January and February take their blank
        {"February 29", "2月29"},
        {"March 05", "3月 05"},
        {"December 31", "12月 31"},
        {"Sat/Sun", "星期六/日"},
        {"Wednesday, May 01", "星期三, 5月 01"},
        {"SUNDAY", "星期日"},
        {"January", "january"},  // no blank after it: not in the table
        {"二月 Monday", "二月 星期一"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(TranslateNames(c.text), c.translated) << c.text;
    }
}

TEST(PlannerGrid, FormatsDatesInEnglishThenTranslates) {
    EXPECT_EQ(FormatEnglishDate("%B %d", {2024, 1, 5}), "January 05");
    EXPECT_EQ(TranslateNames(FormatEnglishDate("%B %d", {2024, 1, 5})), "1月05");
    EXPECT_EQ(TranslateNames(FormatEnglishDate("%B %d", {2024, 3, 5})), "3月 05");
    EXPECT_EQ(FormatEnglishDate("%A, %m/%d/%Y", {2024, 3, 5}), "Tuesday, 03/05/2024");
    EXPECT_EQ(FormatEnglishDate("100%% %q %", {2024, 3, 5}), "100% %q %");
    EXPECT_EQ(WeekDayHeading({2026, 12, 10}), "星期四, 12月 10");
    const std::array<std::string, 7> headings = WeekdayHeadings();
    EXPECT_EQ(headings[0], "星期一");
    EXPECT_EQ(headings[5], "星期六");
    EXPECT_EQ(headings[6], "星期日");
}

TEST(PlannerGrid, MonthCellsFillTheAreaBelowTheHeader) {
    PlannerGrid grid;
    grid.SetShownDate({2024, 3, 5}, kPlannerMonthMode, true);
    grid.LayOut(703, 641, 17);
    EXPECT_EQ(grid.header(), (PlannerRect{0, 0, 703, 17}));
    EXPECT_EQ(grid.CellRect(0), (PlannerRect{0, 17, 100, 104}));
    const PlannerRect last = grid.CellRect(41);
    EXPECT_EQ(last.x + last.width, 703);
    EXPECT_EQ(last.y + last.height, 641);
    // Neighbours touch: no gap and no overlap between columns and rows.
    EXPECT_EQ(grid.CellRect(1).x, grid.CellRect(0).x + grid.CellRect(0).width);
    EXPECT_EQ(grid.CellRect(7).y, grid.CellRect(0).y + grid.CellRect(0).height);
    EXPECT_EQ(grid.CellRect(42), PlannerRect{});
}

TEST(PlannerGrid, WeekModeShowsTheWeekOfTheShownDate) {
    PlannerGrid grid;
    // March 2024's cells start on 26 February: the 5th is cell 8, its week
    // cells 7 to 13.
    grid.SetShownDate({2024, 3, 5}, kPlannerWeekMode, true);
    grid.LayOut(700, 620, 20);
    EXPECT_EQ(grid.FirstShownCell(), 7);
    EXPECT_EQ(grid.ShownCellCount(), 7);
    EXPECT_EQ(grid.CellRect(6), PlannerRect{});
    EXPECT_EQ(grid.CellRect(7), (PlannerRect{0, 20, 100, 600}));
    EXPECT_EQ(grid.CellRect(13), (PlannerRect{600, 20, 100, 600}));
    EXPECT_EQ(grid.CellRect(14), PlannerRect{});
    EXPECT_EQ(grid.HitTest(650, 300), (PlannerHit{13, -1}));
}

TEST(PlannerGrid, HitTestFindsCellsAndTheEntriesThatFit) {
    PlannerGrid grid;
    grid.SetShownDate({2024, 3, 5}, kPlannerMonthMode, true);
    grid.LayOut(700, 620, 20);  // cells 100 x 100
    std::vector<PlannerItem>& items = grid.cells()[9].items;
    items.assign(5, PlannerItem{PlannerItemKind::kSchedule, 7, "a", {}});
    const PlannerRect cell = grid.CellRect(9);
    EXPECT_EQ(grid.ItemRect(9, 0), (PlannerRect{cell.x + 2, cell.y + 22, 96, 18}));
    // 100 - 22 - 16 leaves room for three lines: two entries, then how
    // many of the five are left.
    EXPECT_NE(grid.ItemRect(9, 1), PlannerRect{});
    EXPECT_EQ(grid.ItemRect(9, 2), PlannerRect{});
    EXPECT_EQ(grid.ItemRect(9, 4), PlannerRect{});
    EXPECT_EQ(grid.ItemRect(9, 5), PlannerRect{});
    EXPECT_EQ(grid.MoreRect(9), (PlannerRect{cell.x + 2, cell.y + 22 + 36, 96, 18}));
    EXPECT_EQ(grid.HiddenItemCount(9), 3);
    EXPECT_EQ(grid.HitTest(cell.x + 50, cell.y + 22 + 36 + 5), (PlannerHit{9, -1}));
    // Three entries fit exactly: no line for the rest.
    items.resize(3);
    EXPECT_NE(grid.ItemRect(9, 2), PlannerRect{});
    EXPECT_EQ(grid.MoreRect(9), PlannerRect{});
    EXPECT_EQ(grid.HiddenItemCount(9), 0);
    EXPECT_EQ(grid.ItemRect(8, 0), PlannerRect{});
    EXPECT_EQ(grid.HitTest(cell.x + 50, cell.y + 22 + 18 + 5), (PlannerHit{9, 1}));
    EXPECT_EQ(grid.HitTest(cell.x + 50, cell.y + 5), (PlannerHit{9, -1}));
    EXPECT_EQ(grid.HitTest(cell.x + 50, cell.y + 95), (PlannerHit{9, -1}));
    EXPECT_EQ(grid.HitTest(350, 10), PlannerHit{});  // the header
    EXPECT_EQ(grid.HitTest(-1, 300), PlannerHit{});
}

TEST(PlannerGrid, HoverAndSelectionChanges) {
    PlannerGrid grid;
    EXPECT_FALSE(grid.SetHover({}));
    EXPECT_TRUE(grid.SetHover({3, -1}));
    EXPECT_FALSE(grid.SetHover({3, -1}));
    EXPECT_TRUE(grid.SetHover({3, 0}));
    grid.SetSelectedCell(41);
    EXPECT_EQ(grid.selectedCell(), 41);
    grid.SetSelectedCell(42);
    EXPECT_EQ(grid.selectedCell(), -1);
}

TEST(PlannerGrid, TodaysCellSaysSo) {
    PlannerCell cell;
    cell.date = {2026, 12, 10};
    cell.lunarText = "十一月初二";
    EXPECT_EQ(CellBottomText(cell, {2026, 12, 10}), "十一月初二（今天）");
    EXPECT_EQ(CellBottomText(cell, {2026, 12, 11}), "十一月初二");
}

}  // namespace
