#include "widget/planner/win32/planner_grid_painter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "widget/planner/tests/win32/planner_test_images.h"

namespace {

using planner_test::Argb;
using planner_test::HasPixelNear;

// Tall enough for three entries in a month cell.
constexpr int kWidth = 700;
constexpr int kHeight = 640;
constexpr int kHeaderHeight = 17;
// August 2008: cell 0 is 28 July, the 8th is cell 11.
constexpr GregorianDate kShown{2008, 8, 8};
constexpr int kOutOfMonthCell = 0;
constexpr int kTodayCell = 11;
constexpr int kPlainCell = 16;  // the 13th
constexpr int kHoveredCell = 20;

// Far apart, so each pixel tells which part painted it.
PlannerGridColours DistinctColours() {
    PlannerGridColours colours;
    colours.inMonth = {250, 250, 250};
    colours.outOfMonth = {200, 200, 200};
    colours.today = {255, 240, 150};
    colours.selected = {150, 200, 255};
    colours.headerTop = {240, 240, 255};
    colours.headerBottom = {170, 170, 230};
    colours.gridLine = {0, 0, 0};
    colours.dayNumber = {200, 0, 0};
    colours.outOfMonthText = {0, 0, 200};
    return colours;
}

// The test band image: both bands have 4-pixel ends in kBandEnd; the
// middle is kPlainBand at the top, kHighlightedBand below.
constexpr std::uint32_t kBandEnd = 0xFF00A000u;
constexpr std::uint32_t kPlainBand = 0xFFD0E0FFu;
constexpr std::uint32_t kHighlightedBand = 0xFFFFC040u;

bool SaveBandImage(const std::string& path, int height) {
    Gdiplus::Bitmap image(100, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool end = x < 4 || x >= 96;
            image.SetPixel(x, y, Gdiplus::Color(end ? kBandEnd : y < 22 ? kPlainBand : kHighlightedBand));
        }
    }
    return planner_test::SavePng(image, path);
}

PlannerRect Inside(const PlannerRect& rect, int left, int top, int width, int height) {
    return {rect.x + left, rect.y + top, width, height};
}

class PlannerGridPainterTest : public testing::Test {
protected:
    PlannerGridPainterTest() { Show(kPlannerMonthMode); }

    void Show(int mode, bool showLunarText = true) {
        grid.SetShownDate(kShown, mode, showLunarText);
        grid.LayOut(kWidth, kHeight, kHeaderHeight);
    }

    void UseBandImage() {
        const std::string path = planner_test::ScratchPath("planner_band_test.png");
        ASSERT_TRUE(SaveBandImage(path, 44));
        painter.SetCellImage(path);
        ASSERT_TRUE(painter.hasCellImage());
        // Loaded into memory: the skin's file can go at once.
        EXPECT_TRUE(DeleteFileA(path.c_str()));
    }

    testkit::Image Render() const {
        Gdiplus::Bitmap bitmap(kWidth, kHeight, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics graphics(&bitmap);
            painter.Paint(graphics, grid, colours, today);
        }
        return planner_test::PixelsOf(bitmap);
    }

    PlannerGridPainter painter;
    PlannerGrid grid;
    PlannerGridColours colours = DistinctColours();
    GregorianDate today = kShown;
};

TEST_F(PlannerGridPainterTest, TitleBandsStretchTheImageKeepingItsEnds) {
    UseBandImage();
    grid.SetHover({kHoveredCell, -1});
    const testkit::Image image = Render();
    struct Case {
        const char* name;
        int cell;
        std::uint32_t middle;
    };
    for (const Case& c :
         {Case{"plain", kPlainCell, kPlainBand}, Case{"out of month", kOutOfMonthCell, kPlainBand},
          Case{"today", kTodayCell, kHighlightedBand}, Case{"hovered", kHoveredCell, kHighlightedBand}}) {
        SCOPED_TRACE(c.name);
        const PlannerRect cell = grid.CellRect(c.cell);
        const int y = cell.y + 11;
        const int right = cell.x + cell.width;
        EXPECT_EQ(image.Pixel(cell.x + 2, y), kBandEnd);
        EXPECT_EQ(image.Pixel(right - 4, y), kBandEnd);
        EXPECT_EQ(image.Pixel(right - 1, y), kBandEnd);
        EXPECT_EQ(image.Pixel(right - 5, y), c.middle);
        EXPECT_EQ(image.Pixel(cell.x + cell.width * 3 / 4, y), c.middle);
        EXPECT_EQ(image.Pixel(cell.x + cell.width * 3 / 4, cell.y + kPlannerTitleBandHeight - 1), c.middle);
    }
}

// A file that is no image, or has only one band, is no better than none:
// the bands are drawn from the colours, and an image loaded before goes.
TEST_F(PlannerGridPainterTest, WithoutAUsableImageTheBandsComeFromTheColours) {
    const std::string notAnImage = planner_test::ScratchPath("planner_not_an_image.png");
    std::ofstream(notAnImage) << "not a picture";
    const std::string oneBand = planner_test::ScratchPath("planner_one_band.png");
    ASSERT_TRUE(SaveBandImage(oneBand, 22));
    for (const std::string& path : {std::string("C:\\no such folder\\calcell.png"), notAnImage, oneBand}) {
        SCOPED_TRACE(path);
        UseBandImage();
        painter.SetCellImage(path);
        EXPECT_FALSE(painter.hasCellImage());
        const testkit::Image image = Render();
        const PlannerRect plain = grid.CellRect(kPlainCell);
        const PlannerRect todays = grid.CellRect(kTodayCell);
        const std::uint32_t plainBand = image.Pixel(plain.x + plain.width * 3 / 4, plain.y + 11);
        const std::uint32_t todaysBand = image.Pixel(todays.x + todays.width * 3 / 4, todays.y + 11);
        EXPECT_LE(planner_test::ChannelDistance(plainBand, Argb(colours.headerTop)), 70);
        EXPECT_LE(planner_test::ChannelDistance(plainBand, Argb(colours.headerBottom)), 70);
        EXPECT_NE(plainBand, todaysBand);
    }
    DeleteFileA(notAnImage.c_str());
    DeleteFileA(oneBand.c_str());
}

TEST_F(PlannerGridPainterTest, CellsAreFilledByWhatTheyAre) {
    struct Case {
        const char* name;
        int cell;
        std::function<void(PlannerGridColours&, PlannerGrid&)> setUp;
        PlannerRgb PlannerGridColours::*expected;
    };
    const auto nothing = [](PlannerGridColours&, PlannerGrid&) {};
    const Case cases[] = {
        {"in the month", kPlainCell, nothing, &PlannerGridColours::inMonth},
        {"out of the month", kOutOfMonthCell, nothing, &PlannerGridColours::outOfMonth},
        {"out of the month, cells not filled", kOutOfMonthCell,
         [](PlannerGridColours& c, PlannerGrid&) { c.fillCells = false; }, &PlannerGridColours::inMonth},
        {"today", kTodayCell, nothing, &PlannerGridColours::today},
        {"today, not filled", kTodayCell, [](PlannerGridColours& c, PlannerGrid&) { c.fillToday = false; },
         &PlannerGridColours::inMonth},
        {"selected", kPlainCell, [](PlannerGridColours&, PlannerGrid& g) { g.SetSelectedCell(kPlainCell); },
         &PlannerGridColours::selected},
        {"selected today", kTodayCell, [](PlannerGridColours&, PlannerGrid& g) { g.SetSelectedCell(kTodayCell); },
         &PlannerGridColours::selected},
        {"selected out of the month, cells not filled", kOutOfMonthCell,
         [](PlannerGridColours& c, PlannerGrid& g) {
             c.fillCells = false;
             g.SetSelectedCell(kOutOfMonthCell);
         },
         &PlannerGridColours::selected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        colours = DistinctColours();
        Show(kPlannerMonthMode);
        c.setUp(colours, grid);
        const testkit::Image image = Render();
        const PlannerRect cell = grid.CellRect(c.cell);
        // Right of the entries' lines and above the lunar text: only the fill.
        EXPECT_EQ(image.Pixel(cell.x + cell.width - 3, cell.y + 40), Argb(colours.*c.expected));
    }
}

TEST_F(PlannerGridPainterTest, DayNumbersAreDrawnInTheirMonthsColour) {
    UseBandImage();
    const testkit::Image image = Render();
    const std::uint32_t inMonth = Argb(colours.dayNumber);
    const std::uint32_t outOfMonth = Argb(colours.outOfMonthText);
    struct Case {
        int cell;
        std::uint32_t ink;
        std::uint32_t otherInk;
    };
    for (const Case& c : {Case{kPlainCell, inMonth, outOfMonth}, Case{kOutOfMonthCell, outOfMonth, inMonth}}) {
        SCOPED_TRACE(c.cell);
        const PlannerRect number = Inside(grid.CellRect(c.cell), 4, 0, 40, kPlannerTitleBandHeight);
        EXPECT_TRUE(HasPixelNear(image, number, c.ink, 40));
        EXPECT_FALSE(HasPixelNear(image, number, c.otherInk, 60));
    }
}

TEST_F(PlannerGridPainterTest, TheLunarLineShowsOnlyWhenAsked) {
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        Show(kPlannerMonthMode, shown);
        const testkit::Image image = Render();
        const PlannerRect cell = grid.CellRect(kPlainCell);
        const PlannerRect line{cell.x + 1, cell.y + cell.height - kPlannerBottomTextHeight, cell.width - 2,
                               kPlannerBottomTextHeight};
        EXPECT_EQ(HasPixelNear(image, line, Argb(colours.dayNumber), 60), shown);
    }
}

TEST_F(PlannerGridPainterTest, EntriesShowAMarkerTheirTextAndTheHover) {
    constexpr PlannerRgb kGreen{0, 150, 0};
    constexpr PlannerRgb kPaleYellow{255, 255, 170};
    grid.cells()[kPlainCell].items = {
        {PlannerItemKind::kSchedule, 1, "会议", kGreen},
        {PlannerItemKind::kSchedule, 2, "会议", kGreen},
        {PlannerItemKind::kBirthday, 3, "生日", kPaleYellow},
    };
    grid.SetHover({kPlainCell, 0});
    const testkit::Image image = Render();
    const PlannerRect hovered = grid.ItemRect(kPlainCell, 0);
    const PlannerRect plain = grid.ItemRect(kPlainCell, 1);
    const PlannerRect pale = grid.ItemRect(kPlainCell, 2);
    ASSERT_GT(pale.height, 0);

    EXPECT_EQ(image.Pixel(plain.x + 5, plain.y + plain.height / 2), Argb(kGreen));
    // The hovered entry's tint is deeper than a plain entry's.
    const std::uint32_t hoveredTint = image.Pixel(hovered.x + hovered.width - 4, hovered.y + hovered.height / 2);
    const std::uint32_t plainTint = image.Pixel(plain.x + plain.width - 4, plain.y + plain.height / 2);
    EXPECT_LT(hoveredTint & 0xFF, plainTint & 0xFF);
    EXPECT_LT(plainTint & 0xFF, Argb(colours.inMonth) & 0xFF);

    const PlannerRect plainText = Inside(plain, 10, 0, 40, plain.height);
    EXPECT_TRUE(HasPixelNear(image, plainText, Argb(kGreen), 60));
    // Too pale to read in its own colour: its text takes the day numbers'.
    const PlannerRect paleText = Inside(pale, 10, 0, 40, pale.height);
    EXPECT_TRUE(HasPixelNear(image, paleText, Argb(colours.dayNumber), 60));
}

// Three lines fit: two entries, then how many of the five are left.
TEST_F(PlannerGridPainterTest, ACellWithMoreEntriesThanLinesSaysHowManyAreLeft) {
    constexpr PlannerRgb kGreen{0, 150, 0};
    grid.cells()[kPlainCell].items.assign(5, PlannerItem{PlannerItemKind::kSchedule, 1, "会议", kGreen});
    const PlannerRect more = grid.MoreRect(kPlainCell);
    ASSERT_GT(more.height, 0);
    ASSERT_EQ(grid.HiddenItemCount(kPlainCell), 3);
    const testkit::Image image = Render();
    EXPECT_TRUE(HasPixelNear(image, Inside(more, 10, 0, 40, more.height), Argb(colours.dayNumber), 60));
    EXPECT_FALSE(HasPixelNear(image, more, Argb(kGreen), 60));
    EXPECT_TRUE(HasPixelNear(image, grid.ItemRect(kPlainCell, 1), Argb(kGreen), 0));
}

TEST_F(PlannerGridPainterTest, GridLinesRunAlongTheCellsEdgesWhenAsked) {
    for (bool drawn : {true, false}) {
        SCOPED_TRACE(drawn);
        colours.drawGridLines = drawn;
        const testkit::Image image = Render();
        for (int cell : {kOutOfMonthCell, kPlainCell, 41}) {
            const PlannerRect rect = grid.CellRect(cell);
            EXPECT_EQ(image.Pixel(rect.x + rect.width / 2, rect.y) == Argb(colours.gridLine), drawn) << cell;
            EXPECT_EQ(image.Pixel(rect.x, rect.y + rect.height / 2) == Argb(colours.gridLine), drawn) << cell;
        }
    }
}

TEST_F(PlannerGridPainterTest, TheHeaderNamesEachColumnInTheMonthMode) {
    const testkit::Image image = Render();
    for (int column = 0; column < 7; ++column) {
        const PlannerRect cell = grid.CellRect(column);
        const PlannerRect heading{cell.x + 1, 0, cell.width - 2, kHeaderHeight};
        EXPECT_TRUE(HasPixelNear(image, heading, Argb(colours.dayNumber), 60)) << column;
    }
}

// One row of seven days: each title band holds its heading, the header the
// shown date.
TEST_F(PlannerGridPainterTest, TheWeekModeHeadsEachDay) {
    Show(kPlannerWeekMode);
    const testkit::Image image = Render();
    const PlannerRect header = grid.header();
    EXPECT_TRUE(
        HasPixelNear(image, {header.width / 3, 0, header.width / 3, header.height}, Argb(colours.dayNumber), 60));
    for (int cell = grid.FirstShownCell(); cell < grid.FirstShownCell() + grid.ShownCellCount(); ++cell) {
        const PlannerRect heading = Inside(grid.CellRect(cell), 4, 0, 40, kPlannerTitleBandHeight);
        EXPECT_TRUE(HasPixelNear(image, heading, Argb(colours.dayNumber), 60)) << cell;
    }
}

}  // namespace
