#include "widget/settings/widget_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <utility>

#include "widget/settings/tests/scratch_folder.h"

namespace {

constexpr ScreenRect kWorkArea = {0, 0, 1280, 1024};

std::string Bytes(const char* text, std::size_t size) {
    return std::string(text, size);
}

// Every field different from its default, the left edge negative: written
// out by hand, little-endian.
WidgetSettings Distinct() {
    WidgetSettings settings;
    settings.windowRect = {-5, 10, 300, 400};
    settings.autoHide = 0;
    settings.alpha = 128;
    settings.fixedPosition = 1;
    settings.clickThrough = 1;
    settings.alwaysOnTop = 0;
    settings.showHolidayDetails = 1;
    settings.layoutFlags = 0x100;
    return settings;
}
const std::string kDistinctBytes = Bytes(
    "\xFB\xFF\xFF\xFF"   // left -5
    "\x0A\x00\x00\x00"   // top 10
    "\x2C\x01\x00\x00"   // right 300
    "\x90\x01\x00\x00"   // bottom 400
    "\x00\x00\x00\x00"   // autoHide
    "\x80\x00\x00\x00"   // alpha 128
    "\x01\x00\x00\x00"   // fixedPosition
    "\x01\x00\x00\x00"   // clickThrough
    "\x00\x00\x00\x00"   // alwaysOnTop
    "\x01\x00\x00\x00"   // showHolidayDetails
    "\x00\x01\x00\x00",  // layoutFlags: reminder section only
    44);

WidgetSettings WithRect(WidgetSettings settings, const ScreenRect& rect) {
    settings.windowRect = rect;
    return settings;
}

using WidgetSettingsFile = ScratchFolder;

TEST(WidgetSettings, DefaultsSitAtTheTopRightOfTheWorkArea) {
    struct Case {
        ScreenRect workArea;
        ScreenRect window;
    };
    const Case cases[] = {
        {{0, 0, 1280, 1024}, {1031, 20, 1260, 298}},
        {{100, 30, 1920, 1040}, {1671, 50, 1900, 328}},  // taskbar at the left and at the top
    };
    for (const Case& c : cases) {
        const WidgetSettings settings = DefaultWidgetSettings(c.workArea);
        EXPECT_EQ(settings.windowRect, c.window);
        EXPECT_EQ(settings.autoHide, 1);
        EXPECT_EQ(settings.alpha, 255);
        EXPECT_EQ(settings.fixedPosition, 0);
        EXPECT_EQ(settings.clickThrough, 0);
        EXPECT_EQ(settings.alwaysOnTop, 1);
        EXPECT_EQ(settings.showHolidayDetails, 1);
        EXPECT_EQ(settings.layoutFlags, 257u);
    }
}

TEST_F(WidgetSettingsFile, WritesTheFieldsInFileOrderAndReadsThemBack) {
    const std::string path = PathOf("Alarmcfg.dat");
    ASSERT_TRUE(SaveWidgetSettings(path, Distinct()));
    EXPECT_EQ(Contents(path), kDistinctBytes);
    EXPECT_EQ(LoadWidgetSettings(path, kWorkArea), Distinct());
}

TEST_F(WidgetSettingsFile, MissingOrShortFilesGiveTheDefaults) {
    EXPECT_EQ(LoadWidgetSettings(PathOf("absent.dat"), kWorkArea), DefaultWidgetSettings(kWorkArea));
    for (std::size_t size : {std::size_t{0}, std::size_t{4}, std::size_t{43}}) {
        SCOPED_TRACE(size);
        const std::string path = WriteFile("Alarmcfg.dat", kDistinctBytes.substr(0, size));
        EXPECT_EQ(LoadWidgetSettings(path, kWorkArea), DefaultWidgetSettings(kWorkArea));
    }
    // Bytes after the 44 of the settings are not read.
    const std::string longer = WriteFile("Alarmcfg.dat", kDistinctBytes + "\x07\x07");
    EXPECT_EQ(LoadWidgetSettings(longer, kWorkArea), Distinct());
}

TEST_F(WidgetSettingsFile, HolidayDetailsAreAlwaysShownAfterLoading) {
    std::string bytes = kDistinctBytes;
    bytes[36] = '\0';  // showHolidayDetails 0
    EXPECT_EQ(LoadWidgetSettings(WriteFile("Alarmcfg.dat", bytes), kWorkArea).showHolidayDetails, 1);
}

TEST(WidgetSettings, RectanglesPastTheWorkAreaMoveInsideWithTheirSize) {
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* name;
        ScreenRect workArea;
        ScreenRect stored;
        ScreenRect placed;
    };
    const Case cases[] = {
        {"past the right edge", kWorkArea, {1200, 500, 1429, 778}, {1031, 20, 1260, 298}},
        {"past the bottom only", kWorkArea, {100, 900, 400, 1100}, {960, 20, 1260, 220}},
        {"wider than the work area", {0, 0, 800, 600}, {0, 0, 1000, 100}, {-220, 20, 780, 120}},
        {"offset work area", {100, 30, 1920, 1040}, {1800, 40, 2000, 140}, {1700, 50, 1900, 150}},
        {"touching the edges stays", kWorkArea, {1051, 746, 1280, 1024}, {1051, 746, 1280, 1024}},
        {"negative left and top stay", kWorkArea, {-50, -10, 179, 268}, {-50, -10, 179, 268}},
        // A damaged file: a window of no size, or one that cannot be moved
        // inside the 32-bit range, is put where a fresh install puts it.
        {"empty", kWorkArea, {0, 0, 0, 0}, {1031, 20, 1260, 298}},
        {"inverted", kWorkArea, {500, 500, 400, 600}, {1031, 20, 1260, 298}},
        {"too wide to move", kWorkArea, {kMin, 0, kMax, 100}, {1031, 20, 1260, 298}},
        {"too high to move", kWorkArea, {0, kMin + 5, 100, kMax}, {1031, 20, 1260, 298}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WidgetSettings placed = NormalizeWidgetSettings(WithRect(Distinct(), c.stored), c.workArea);
        EXPECT_EQ(placed.windowRect, c.placed);
        EXPECT_EQ(placed, WithRect(Distinct(), c.placed));  // nothing else changes
    }
}

// The opacity is handed on as one byte: a damaged value is held in its range.
TEST(WidgetSettings, AlphaOutsideItsRangeIsHeldAtTheNearestEnd) {
    const std::pair<int, int> cases[] = {{-1, 0}, {0, 0}, {255, 255}, {256, 255}, {100000, 255}};
    for (const auto& [stored, loaded] : cases) {
        WidgetSettings settings = Distinct();
        settings.alpha = stored;
        EXPECT_EQ(NormalizeWidgetSettings(settings, kWorkArea).alpha, loaded) << stored;
    }
}

TEST(WidgetSettings, AlphaTextSaysHowTransparentTheWindowsAre) {
    const std::pair<int, const char*> cases[] = {
        {128, "透明度 50%"}, {255, "透明度 0%"}, {0, "透明度 100%"},   {1, "透明度 100%"},
        {3, "透明度 99%"},   {254, "透明度 1%"}, {-20, "透明度 100%"}, {400, "透明度 0%"},
    };
    for (const auto& [alpha, text] : cases) {
        EXPECT_EQ(AlphaText(alpha), text) << alpha;
    }
}

TEST_F(WidgetSettingsFile, AFailedSaveReportsFalseAndLeavesWhatWasThere) {
    // No folder to write into.
    EXPECT_FALSE(SaveWidgetSettings(PathOf("missing/Alarmcfg.dat"), Distinct()));
    // A folder in the way of the file: it cannot be replaced, and nothing is
    // left beside it.
    const std::string blocked = PathOf("Alarmcfg.dat");
    std::filesystem::create_directory(blocked);
    WriteFile("Alarmcfg.dat/inside.txt", "kept");
    EXPECT_FALSE(SaveWidgetSettings(blocked, Distinct()));
    EXPECT_EQ(Contents(PathOf("Alarmcfg.dat/inside.txt")), "kept");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

}  // namespace
