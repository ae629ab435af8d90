// The calendar window in each shipped skin, on the real library: the skin
// named in the loader's Data\module.ini is drawn, ChangeSkins repaints in a
// new one at once, and a skin lacking a picture or colours takes the common
// ones.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/calendar/month_model.h"
#include "widget/win32/tests/widget_library.h"

namespace {

const std::string kArtModule = std::string(WIDGET_ART_DIR) + "/modules/Calendar/";

int Luma(std::uint32_t argb) {
    const int red = (argb >> 16) & 0xFF;
    const int green = (argb >> 8) & 0xFF;
    const int blue = argb & 0xFF;
    return (red * 299 + green * 587 + blue * 114) / 1000;
}

bool Near(std::uint32_t argb, std::uint32_t rgb, int tolerance) {
    for (int shift : {16, 8, 0}) {
        const int difference = static_cast<int>((argb >> shift) & 0xFF) - static_cast<int>((rgb >> shift) & 0xFF);
        if (difference > tolerance || difference < -tolerance) {
            return false;
        }
    }
    return true;
}

testkit::Image LoadArt(const std::string& relative) {
    std::optional<testkit::Image> image = testkit::LoadImageFile(kArtModule + relative);
    EXPECT_TRUE(image.has_value()) << relative;
    return image.value_or(testkit::Image{});
}

class CalendarSkinTest : public WidgetTest {
protected:
    // The widget reads the skin from the loader's Data\module.ini, which
    // here is beside the test program; other tests may keep hot keys there.
    void SetUp() override {
        std::string old;
        if (ReadWholeFile(SettingsPath(), old)) {
            previous_ = old;
        }
    }

    void TearDown() override {
        WidgetTest::TearDown();
        if (previous_) {
            EXPECT_EQ(ReplaceFileAtomically(SettingsPath(), *previous_), 0);
        } else {
            DeleteFileA(SettingsPath().c_str());  // gone already is as good
        }
        std::error_code ignored;  // a folder already gone is as good
        std::filesystem::remove_all(Folder().PathOf("SkinsPartial"), ignored);
    }

    static std::string SettingsPath() { return JoinPath(BuildBinFolder(), "Data\\module.ini"); }

    static void ChooseSkin(const std::string& name) {
        CreateDirectoryA(JoinPath(BuildBinFolder(), "Data").c_str(), nullptr);  // may exist
        ASSERT_EQ(ReplaceFileAtomically(SettingsPath(), "[qvcalendar.dll]\r\nskins=" + name + "\r\n"), 0);
    }

    std::uint32_t Pixel(int x, int y) const {
        Gdiplus::Color colour;
        Window()->GetBackBuffer()->GetPixel(x, y, &colour);
        return colour.GetValue();
    }

    // The month grid's pixels; the weather section above it may change its
    // height meanwhile, so the grid is found where the layout has it now.
    std::vector<std::uint32_t> GridPixels() const {
        const LayoutRect& grid = Window()->layout().grid;
        std::vector<std::uint32_t> pixels;
        for (int y = grid.y; y < grid.y + grid.height; ++y) {
            for (int x = grid.x; x < grid.x + grid.width; ++x) {
                pixels.push_back(Pixel(x, y));
            }
        }
        return pixels;
    }

    // A day of the shown month drawn from the plain tiles: not selected, no
    // holiday, weekend, solar term or reminder.
    int PlainDay() const {
        const MonthDays& days = Window()->view().days();
        for (int day = 1; day <= static_cast<int>(days.size()) && days[day - 1].valid != 0; ++day) {
            if (day != Window()->view().selected().day && days[day - 1].marks == 0 && days[day - 1].extraMarks == 0) {
                return day;
            }
        }
        return 0;
    }

    // How many opaque pixels of `day`'s tile in row `tileY` of `numbers`
    // differ from the window's; -1 when the tile has too few to tell.
    int TileMismatches(const testkit::Image& numbers, int day, int tileY) const {
        GridCell cell = CellOfDay(Window()->view().days(), day);
        const LayoutRect& grid = Window()->layout().grid;
        const int left = grid.x + cell.column * kDayCellWidth + (kDayCellWidth - kDayTileSize) / 2;
        const int top = grid.y + cell.row * kDayCellHeight;
        int opaque = 0;
        int mismatches = 0;
        for (int y = 0; y < kDayTileSize; ++y) {
            for (int x = 0; x < kDayTileSize; ++x) {
                const std::uint32_t expected = numbers.Pixel(DayTileX(day) + x, tileY + y);
                if ((expected >> 24) == 0xFF) {
                    ++opaque;
                    mismatches += Pixel(left + x, top + y) != expected;
                }
            }
        }
        return opaque < 5 ? -1 : mismatches;
    }

    // Pixels of the reminder panel's heading near `rgb`.
    int HeadingPixelsNear(std::uint32_t rgb) const {
        const LayoutRect& heading = Window()->layout().heading;
        int count = 0;
        for (int y = heading.y; y < heading.y + heading.height; ++y) {
            for (int x = heading.x; x < heading.x + heading.width; ++x) {
                count += Near(Pixel(x, y), rgb, 24);
            }
        }
        return count;
    }

    // A point of the card between its edge and the content column, halfway
    // down the window.
    std::uint32_t CardPixel() const { return Pixel(12, Window()->layout().height / 2); }

private:
    std::optional<std::string> previous_;
};

// The skins as shipped: where each one's day tiles come from, and its
// reminder heading's colour (accentDeep of its colors.ini, or built in).
struct ShippedSkin {
    const char* name;
    const char* numbers;  // relative to the art's modules/Calendar
    std::uint32_t heading;
    bool dark;
};
constexpr ShippedSkin kShippedSkins[] = {
    {"SkinsDefault", "Commskins/numbers.png", 0x1D4AAE, false},
    {"SkinsJade", "SkinsJade/numbers.png", 0x0C6F51, false},
    {"SkinsAmber", "SkinsAmber/numbers.png", 0xA85E14, false},
    {"SkinsNight", "SkinsNight/numbers.png", 0xA5B4FC, true},
};

TEST_F(CalendarSkinTest, EachShippedSkinDrawsTheWindowInItsPicturesAndColours) {
    for (const ShippedSkin& skin : kShippedSkins) {
        SCOPED_TRACE(skin.name);
        ChooseSkin(skin.name);
        ASSERT_EQ(Start(TestSettings(300, 40)), 1);
        const int day = PlainDay();
        ASSERT_NE(day, 0);
        EXPECT_EQ(TileMismatches(LoadArt(skin.numbers), day, 126), 0);
        EXPECT_GE(HeadingPixelsNear(skin.heading), 5);
        const int card = Luma(CardPixel());
        EXPECT_TRUE(skin.dark ? card < 60 : card > 200) << card;
        testkit::PumpMessages(300);
        EXPECT_TRUE(testkit::SaveWindowPng(
            WindowHandle(), std::string(WIDGET_SCREENSHOT_DIR) + "/calendar_skin_" + skin.name + ".png"));
        Library().entries.Release(0);
    }
}

TEST_F(CalendarSkinTest, ChangeSkinsRepaintsInTheNewSkinAtOnce) {
    ChooseSkin("SkinsDefault");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);
    const int day = PlainDay();
    ASSERT_NE(day, 0);
    const std::vector<std::uint32_t> before = GridPixels();
    EXPECT_GT(Luma(CardPixel()), 200);

    ChooseSkin("SkinsNight");
    EXPECT_EQ(Library().entries.ChangeSkins(), 1);
    const std::vector<std::uint32_t> after = GridPixels();
    ASSERT_EQ(after.size(), before.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i) {
        changed += after[i] != before[i];
    }
    EXPECT_GT(changed, after.size() / 2);
    // A dark card with light day numbers, the skin's own tiles.
    EXPECT_LT(Luma(CardPixel()), 60);
    EXPECT_EQ(TileMismatches(LoadArt("SkinsNight/numbers.png"), day, 126), 0);
    const testkit::Image night = LoadArt("SkinsNight/numbers.png");
    int lightStrokes = 0;
    for (int y = 0; y < kDayTileSize; ++y) {
        for (int x = 0; x < kDayTileSize; ++x) {
            const std::uint32_t tile = night.Pixel(DayTileX(day) + x, 126 + y);
            lightStrokes += (tile >> 24) == 0xFF && Luma(tile) > 190;
        }
    }
    EXPECT_GE(lightStrokes, 5);
    EXPECT_GE(HeadingPixelsNear(0xA5B4FC), 5);
    EXPECT_EQ(HeadingPixelsNear(0x1D4AAE), 0);

    ChooseSkin("SkinsDefault");
    EXPECT_EQ(Library().entries.ChangeSkins(), 1);
    EXPECT_EQ(GridPixels(), before);
}

TEST_F(CalendarSkinTest, ASkinLackingAPictureOrGoodColoursTakesTheCommonOnes) {
    // The night skin without its day tiles, and a colours file that names
    // no usable colour.
    const std::string partial = Folder().PathOf("SkinsPartial");
    std::filesystem::copy(kArtModule + "SkinsNight", partial, std::filesystem::copy_options::recursive);
    ASSERT_TRUE(DeleteFileA(JoinPath(partial, "numbers.png").c_str()));
    Folder().Write("SkinsPartial\\colors.ini", "[colors]\r\naccentDeep=#A5B4F\r\nink=light\r\n");
    ChooseSkin("SkinsPartial");
    ASSERT_EQ(Start(TestSettings(300, 40)), 1);

    const int day = PlainDay();
    ASSERT_NE(day, 0);
    EXPECT_EQ(TileMismatches(LoadArt("Commskins/numbers.png"), day, 126), 0);
    EXPECT_LT(Luma(CardPixel()), 60);  // its own background still
    EXPECT_GE(HeadingPixelsNear(0x1D4AAE), 5);
    EXPECT_EQ(HeadingPixelsNear(0xA5B4FC), 0);
}

}  // namespace
