#include "tools/artgen/tests/art_fixture.h"
#include "tools/artgen/tests/image_readers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace artgen {
namespace {

using testing::Area;
using testing::Count;
using testing::CountVisible;
using testing::GeneratedArt;
using testing::Luma;
using testing::Picture;

bool Opaque(const Rgba& p) {
    return p.a == 255;
}

TEST(LoaderArt, AboutLeavesADarkEmptySpotForTheVersion) {
    const Image& about = Picture("Skins/about.png");
    // White text, Tahoma 12 pixels, three blanks then "V4.0"-like versions,
    // starting at (232, 97).
    const Area version{232, 97, 100, 16};
    double darkest = 255;
    double lightest = 0;
    for (int y = version.y; y < version.y + version.height; ++y) {
        for (int x = version.x; x < version.x + version.width; ++x) {
            ASSERT_EQ(about.at(x, y).a, 255);
            darkest = std::min(darkest, Luma(about.at(x, y)));
            lightest = std::max(lightest, Luma(about.at(x, y)));
        }
    }
    EXPECT_LT(lightest, 110);           // white text will stand out
    EXPECT_LT(lightest - darkest, 40);  // and nothing else is drawn there
    EXPECT_EQ(about.at(0, 0).a, 0);     // rounded corners
    EXPECT_EQ(about.at(444, 239).a, 0);
}

TEST(LoaderArt, NoticeHasItsCloseSpotAndALightTextArea) {
    const Image& notice = Picture("Skins/sysmsg.png");
    const auto nearWhite = [](const Rgba& p) { return Opaque(p) && Luma(p) > 200; };
    // The cross of the close spot (x 175-186, y 7-17) on the dark title bar.
    EXPECT_GE(Count(notice, Area{175, 7, 12, 11}, nearWhite), 10);
    EXPECT_EQ(Count(notice, Area{150, 3, 20, 18}, nearWhite), 0);
    // Black text goes at (10, 33), 183 x 67.
    EXPECT_EQ(Count(notice, Area{10, 33, 182, 67}, [](const Rgba& p) { return Luma(p) < 225; }), 0);
    EXPECT_EQ(Count(notice, Area{10, 33, 182, 67}, Opaque), 182 * 67);
    EXPECT_EQ(notice.at(0, 0).a, 0);
    EXPECT_EQ(notice.at(192, 124).a, 0);
}

const ArtFile* Icon(const std::string& name) {
    const ArtFile* file = GeneratedArt().Find("resources/" + name);
    EXPECT_NE(file, nullptr) << name;
    return file;
}

std::string DayFile(int day) {
    std::ostringstream name;
    name << "day_" << (day < 10 ? "0" : "") << day << ".ico";
    return name.str();
}

TEST(LoaderArt, DayIconsShowTheirNumberOnATransparentGround) {
    std::vector<const Image*> small;
    for (int day = 1; day <= 31; ++day) {
        SCOPED_TRACE(day);
        const ArtFile* file = Icon(DayFile(day));
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(file->images.size(), 2u);
        EXPECT_EQ(file->images[1].width(), 32);
        const Image& icon = file->images[0];
        ASSERT_EQ(icon.width(), 16);
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{15, 0}, std::pair{0, 15}, std::pair{15, 15}}) {
            EXPECT_EQ(icon.at(x, y).a, 0) << x << "," << y;
        }
        // The number: dark opaque pixels on the page's white body.
        const int ink = Count(icon, Area{1, 4, 14, 11}, [](const Rgba& p) { return Opaque(p) && Luma(p) < 80; });
        EXPECT_GE(ink, day < 10 ? 14 : 28);
        EXPECT_GE(Count(icon, Area{1, 4, 14, 11}, [](const Rgba& p) { return Opaque(p) && Luma(p) > 230; }), 40);
        for (const Image* other : small) {
            EXPECT_FALSE(*other == icon);
        }
        small.push_back(&icon);
    }
}

// The system monitor's fallback scan of the tray, from its rule: rows from
// three above the bottom edge upwards, each from left to right; a pixel
// counts when it and the pixels two rows above and below are nearly black
// (red, green, blue below 4); nine counting pixels side by side mark the
// icon, at (x of the ninth - 1, row - 6).
std::optional<std::pair<int, int>> ScanForMarker(const Image& screen) {
    const auto black = [&](int x, int y) {
        const Rgba& p = screen.at(x, y);
        return p.r < 4 && p.g < 4 && p.b < 4;
    };
    for (int row = screen.height() - 1 - 3; row >= 2; --row) {
        int run = 0;
        for (int x = 0; x < screen.width(); ++x) {
            const bool counts = row + 2 < screen.height() && black(x, row) && black(x, row - 2) && black(x, row + 2);
            run = counts ? run + 1 : 0;
            if (run == 9) {
                return std::pair{x - 1, row - 6};
            }
        }
    }
    return std::nullopt;
}

TEST(LoaderArt, MarkerIconIsFoundByTheTrayScan) {
    const ArtFile* file = Icon("marker.ico");
    ASSERT_NE(file, nullptr);
    for (const Image& marker : file->images) {
        SCOPED_TRACE(marker.width());
        for (const Rgba tray : {Hex(0xD4D0C8), Hex(0x245EDC), Hex(0x202020)}) {
            // The tray of 40 x 20 pixels at the screen's corner, the icon in it.
            Image screen(marker.width() + 24, marker.height() + 4, tray);
            const int left = 12;
            const int top = 2;
            screen.Paste(FlattenOver(marker, tray), left, top);
            const auto found = ScanForMarker(screen);
            ASSERT_TRUE(found);
            EXPECT_GE(found->first, left);
            EXPECT_LT(found->first, left + marker.width());
            if (marker.width() == 16) {
                // The tray's size: the lowest five black rows, 8 to 12, are
                // found first, so the point is 4 rows below the icon's top.
                EXPECT_EQ(found->second, top + 4);
            }
        }
    }
}

// "<id> <TYPE> "<file>"" lines of a resource script, by id.
std::map<int, std::pair<std::string, std::string>> ScriptEntries(const std::string& path) {
    std::map<int, std::pair<std::string, std::string>> entries;
    const ArtFile* file = GeneratedArt().Find(path);
    EXPECT_NE(file, nullptr) << path;
    if (file == nullptr) {
        return entries;
    }
    std::istringstream lines(file->text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        int id = 0;
        std::string type;
        std::string name;
        if (line.rfind("//", 0) == 0 || !(fields >> id >> type >> name)) {
            continue;
        }
        entries[id] = {type, name.substr(1, name.size() - 2)};
    }
    return entries;
}

TEST(LoaderArt, ResourceScriptsNameEveryIconAndBitmapByItsNumber) {
    std::map<int, std::pair<std::string, std::string>> loader = {
        {128, {"ICON", "tessary.ico"}},      {8043, {"ICON", "marker.ico"}},    {8044, {"ICON", "widget.ico"}},
        {176, {"BITMAP", "menu_icons.bmp"}}, {178, {"BITMAP", "timesync.bmp"}}, {179, {"BITMAP", "shutdown.bmp"}},
    };
    // Days 1-28 are 133-160; there is no 161; 29 is 164, 30 and 31 are 162 and 163.
    for (int day = 1; day <= 28; ++day) {
        loader[132 + day] = {"ICON", DayFile(day)};
    }
    loader[164] = {"ICON", DayFile(29)};
    loader[162] = {"ICON", DayFile(30)};
    loader[163] = {"ICON", DayFile(31)};
    EXPECT_EQ(ScriptEntries("resources/loader_art.rc"), loader);

    const std::map<int, std::pair<std::string, std::string>> widget = {{8044, {"ICON", "widget.ico"}},
                                                                       {6015, {"BITMAP", "reminder_list.bmp"}}};
    EXPECT_EQ(ScriptEntries("resources/widget_art.rc"), widget);

    for (const auto& entries : {loader, widget}) {
        for (const auto& [id, entry] : entries) {
            EXPECT_NE(GeneratedArt().Find("resources/" + entry.second), nullptr) << id;
        }
    }
}

bool IsKey(const Rgba& p) {
    return p.r == 0 && p.g == 128 && p.b == 128;
}

// Image lists mask these with red 0, green 128, blue 128: every icon has
// keyed ground around a drawing that never uses the key colour itself.
TEST(LoaderArt, MaskedIconStripsKeyTheirGround) {
    const std::pair<const char*, int> strips[] = {{"resources/menu_icons.bmp", 11},
                                                  {"resources/reminder_list.bmp", 3},
                                                  {"resources/viewer_tree.bmp", 7},
                                                  {"Trevalo/Skins/treeimg.bmp", 7}};
    for (const auto& [path, count] : strips) {
        SCOPED_TRACE(path);
        const Image& strip = Picture(path);
        ASSERT_EQ(strip.width(), 16 * count);
        ASSERT_EQ(strip.height(), 16);
        for (int i = 0; i < count; ++i) {
            const Area cell{i * 16, 0, 16, 16};
            EXPECT_TRUE(IsKey(strip.at(i * 16, 0))) << i;
            EXPECT_GE(Count(strip, cell, IsKey), 40) << i;
            EXPECT_GE(Count(strip, cell, [](const Rgba& p) { return !IsKey(p); }), 20) << i;
        }
    }
}

TEST(LoaderArt, WindowIconsComeInTheSizesWindowsAsksFor) {
    for (const char* name : {"tessary.ico", "widget.ico", "trevalo.ico"}) {
        SCOPED_TRACE(name);
        const ArtFile* file = Icon(name);
        ASSERT_NE(file, nullptr);
        std::vector<int> sizes;
        for (const Image& image : file->images) {
            sizes.push_back(image.width());
            EXPECT_EQ(image.at(0, 0).a, 0);  // rounded, on a transparent ground
            EXPECT_EQ(image.at(image.width() / 2, image.height() / 2).a, 255);
        }
        EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
    }
}

}  // namespace
}  // namespace artgen
