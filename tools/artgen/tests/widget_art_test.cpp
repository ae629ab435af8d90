#include "tools/artgen/tests/art_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace artgen {
namespace {

using testing::Area;
using testing::Count;
using testing::CountVisible;
using testing::Picture;
using testing::SamePixels;

const std::string kCommskins = "modules/Calendar/Commskins/";

// Pictures cut into cells: every cell is drawn, and within a column the
// rows (states) differ from each other.
struct Sheet {
    std::string file;
    int cellWidth;
    int cellHeight;
    int columns;
    int rows;
    int minimumInk;  // visible pixels a cell needs at least
};

TEST(WidgetArt, EveryCellIsDrawnAndEveryStateDiffers) {
    const Sheet sheets[] = {
        {"numbers.png", 21, 21, 31, 8, 15}, {"digit.png", 20, 22, 10, 1, 40},     {"wbutton.png", 18, 18, 5, 2, 100},
        {"cbutton.png", 16, 16, 11, 3, 12}, {"calcell.png", 100, 22, 1, 2, 1500}, {"holiday.png", 16, 16, 3, 1, 150},
        {"weekdays.png", 25, 18, 7, 1, 12},
    };
    for (const Sheet& sheet : sheets) {
        SCOPED_TRACE(sheet.file);
        const Image& image = Picture(kCommskins + sheet.file);
        ASSERT_GE(image.width(), sheet.cellWidth * sheet.columns);
        ASSERT_GE(image.height(), sheet.cellHeight * sheet.rows);
        for (int column = 0; column < sheet.columns; ++column) {
            for (int row = 0; row < sheet.rows; ++row) {
                const Area cell{column * sheet.cellWidth, row * sheet.cellHeight, sheet.cellWidth, sheet.cellHeight};
                EXPECT_GE(CountVisible(image, cell), sheet.minimumInk) << "column " << column << " row " << row;
                for (int other = 0; other < row; ++other) {
                    const Area otherCell{cell.x, other * sheet.cellHeight, sheet.cellWidth, sheet.cellHeight};
                    EXPECT_FALSE(SamePixels(image, cell, otherCell))
                        << "column " << column << ": rows " << other << " and " << row << " look the same";
                }
            }
        }
    }
}

bool Orange(const Rgba& p) {
    return p.a > 200 && p.r > 200 && p.g > 100 && p.g < 180 && p.b < 80;
}
bool Reddish(const Rgba& p) {
    return p.a > 150 && p.r > 150 && p.g < 110 && p.b < 110;
}
bool Greenish(const Rgba& p) {
    return p.a > 150 && p.g > p.r + 60 && p.g > p.b + 20;
}
bool Dark(const Rgba& p) {
    return p.a > 150 && p.r < 90 && p.g < 90 && p.b < 90;
}
bool AccentBlue(const Rgba& p) {
    return p.a == 255 && p.b > 150 && p.b > p.r + 80;
}

// The calendar's day states: rows y 0 solar term, 42 holiday or weekend, 84
// selected, 126 other; the row 21 below each adds the reminder mark.
TEST(WidgetArt, DayTilesTellTheirStateByColourAndTheReminderByAMark) {
    const Image& numbers = Picture(kCommskins + "numbers.png");
    struct State {
        int y;
        bool (*ink)(const Rgba&);
        const char* name;
    };
    const State states[] = {{0, Greenish, "solar term"},
                            {42, Reddish, "holiday or weekend"},
                            {84, AccentBlue, "selected"},
                            {126, Dark, "other"}};
    for (int day = 1; day <= 31; ++day) {
        for (const State& state : states) {
            SCOPED_TRACE(::testing::Message() << "day " << day << ", " << state.name);
            const int x = (day - 1) * 21;
            const Area tile{x, state.y, 21, 21};
            const Area reminderTile{x, state.y + 21, 21, 21};
            EXPECT_GE(Count(numbers, tile, state.ink), 8);
            // The mark sits in the top-right corner, where the number is not.
            const Area corner{x + 14, state.y, 7, 6};
            const Area reminderCorner{x + 14, state.y + 21, 7, 6};
            EXPECT_EQ(Count(numbers, corner, Orange), 0);
            EXPECT_GE(Count(numbers, reminderCorner, Orange), 6);
            EXPECT_GE(Count(numbers, reminderTile, state.ink), 8);
            // Tiles are cut out of a transparent sheet: their corners stay
            // empty, so no tile spills into its neighbour.
            for (const auto& [cx, cy] : {std::pair{0, 0}, std::pair{0, 20}, std::pair{20, 20}}) {
                EXPECT_EQ(numbers.at(x + cx, state.y + cy).a, 0) << cx << "," << cy;
                EXPECT_EQ(numbers.at(x + cx, state.y + 21 + cy).a, 0) << cx << "," << cy;
            }
        }
    }
}

TEST(WidgetArt, WeekdayHeaderRunsSundayToSaturdayWithTheWeekendInRed) {
    const Image& weekdays = Picture(kCommskins + "weekdays.png");
    for (int column = 0; column < 7; ++column) {
        const bool weekend = column == 0 || column == 6;
        const int red = Count(weekdays, Area{column * 25, 0, 25, 18}, Reddish);
        if (weekend) {
            EXPECT_GE(red, 8) << column;
        } else {
            EXPECT_EQ(red, 0) << column;
        }
    }
}

TEST(WidgetArt, ColonTileStandsApartFromTheDigits) {
    const Image& digits = Picture(kCommskins + "digit.png");
    EXPECT_EQ(CountVisible(digits, Area{200, 0, 3, 22}), 0);  // x 200-202 lie between the tiles
    const Area colon{203, 0, 20, 22};
    // Two dots one above the other, nothing on the row between them.
    EXPECT_GE(CountVisible(digits, Area{203, 0, 20, 11}), 8);
    EXPECT_GE(CountVisible(digits, Area{203, 12, 20, 10}), 8);
    EXPECT_EQ(CountVisible(digits, Area{203, 11, 20, 1}), 0);
    // Centred 13 pixels into the tile, so that at x 43 it falls between the
    // hour ending at 46 and the minute starting at 66.
    EXPECT_EQ(CountVisible(digits, Area{203, 0, 9, 22}), 0);
    EXPECT_EQ(CountVisible(digits, Area{219, 0, 4, 22}), 0);
    EXPECT_GT(CountVisible(digits, colon), 0);
}

struct SkyCase {
    int code;
    int smallX, smallY, largeX, largeY;
};

// Small tiles 54 x 50, large tiles 114 x 100. Codes 21-25 share the tiles
// of 8-12 and 26-28 those of 15-17. The large tile of 13 is the top row's
// free slot (684, 0), in line with its small tile; (684, 100) is 19's.
constexpr SkyCase kSkyCases[] = {
    {0, 0, 300, 0, 0},        {1, 54, 300, 114, 0},     {2, 108, 300, 228, 0},    {3, 162, 300, 342, 0},
    {4, 216, 300, 456, 0},    {5, 270, 300, 570, 0},    {6, 702, 300, 570, 100},  {7, 378, 300, 798, 0},
    {8, 432, 300, 0, 100},    {9, 486, 300, 114, 100},  {10, 540, 300, 228, 100}, {11, 594, 300, 342, 100},
    {12, 648, 300, 456, 100}, {13, 324, 300, 684, 0},   {14, 810, 300, 798, 100}, {15, 0, 350, 0, 200},
    {16, 54, 350, 114, 200},  {17, 108, 350, 228, 200}, {18, 378, 350, 798, 200}, {19, 756, 300, 684, 100},
    {20, 324, 350, 684, 200}, {21, 432, 300, 0, 100},   {22, 486, 300, 114, 100}, {23, 540, 300, 228, 100},
    {24, 594, 300, 342, 100}, {25, 648, 300, 456, 100}, {26, 0, 350, 0, 200},     {27, 54, 350, 114, 200},
    {28, 108, 350, 228, 200}, {29, 162, 350, 342, 200}, {30, 216, 350, 456, 200}, {31, 270, 350, 570, 200},
};

// A tile is drawn inside its cell and leaves the cell's outermost pixels
// empty, so neighbouring tiles never bleed into each other.
void ExpectTileInside(const Image& sheet, const Area& tile) {
    EXPECT_GE(CountVisible(sheet, tile), tile.width * tile.height / 12);
    EXPECT_EQ(CountVisible(sheet, Area{tile.x, tile.y, tile.width, 1}), 0);
    EXPECT_EQ(CountVisible(sheet, Area{tile.x, tile.y + tile.height - 1, tile.width, 1}), 0);
    EXPECT_EQ(CountVisible(sheet, Area{tile.x, tile.y, 1, tile.height}), 0);
    EXPECT_EQ(CountVisible(sheet, Area{tile.x + tile.width - 1, tile.y, 1, tile.height}), 0);
}

TEST(WidgetArt, EverySkyCodeHasASmallAndALargePictogram) {
    const Image& sheet = Picture(kCommskins + "symbol.png");
    ASSERT_EQ(sheet.width(), 912);
    ASSERT_EQ(sheet.height(), 400);
    for (const SkyCase& c : kSkyCases) {
        SCOPED_TRACE(c.code);
        ExpectTileInside(sheet, Area{c.smallX, c.smallY, 54, 50});
        ExpectTileInside(sheet, Area{c.largeX, c.largeY, 114, 100});
    }
}

TEST(WidgetArt, SkyCodesOnDifferentTilesLookDifferent) {
    const Image& sheet = Picture(kCommskins + "symbol.png");
    for (const SkyCase& a : kSkyCases) {
        for (const SkyCase& b : kSkyCases) {
            if (b.code <= a.code) {
                continue;
            }
            if (a.smallX != b.smallX || a.smallY != b.smallY) {
                EXPECT_FALSE(SamePixels(sheet, Area{a.smallX, a.smallY, 54, 50}, Area{b.smallX, b.smallY, 54, 50}))
                    << "small " << a.code << " and " << b.code;
            }
            if (a.largeX != b.largeX || a.largeY != b.largeY) {
                EXPECT_FALSE(SamePixels(sheet, Area{a.largeX, a.largeY, 114, 100}, Area{b.largeX, b.largeY, 114, 100}))
                    << "large " << a.code << " and " << b.code;
            }
        }
    }
}

// The calendar window is a layered window: its background carries per-pixel
// alpha (a soft shadow around an opaque card), and it stretches to the
// window's height between its top and bottom 24 rows.
TEST(WidgetArt, SkinBackgroundsAreLayeredCardsThatStretchVertically) {
    for (const char* skin : {"SkinsDefault", "SkinsJade", "SkinsAmber"}) {
        SCOPED_TRACE(skin);
        const Image& back = Picture(std::string("modules/Calendar/") + skin + "/mainback.png");
        ASSERT_EQ(back.width(), 229);
        ASSERT_EQ(back.height(), 278);
        EXPECT_EQ(back.at(0, 0).a, 0);
        EXPECT_GE(back.at(114, 139).a, 240);
        const Rgba shadow = back.at(114, 274);
        EXPECT_GT(shadow.a, 0);
        EXPECT_LT(shadow.a, 128);
        for (int y = 24; y < 278 - 24; ++y) {
            for (int x = 0; x < 229; ++x) {
                ASSERT_EQ(back.at(x, y).a, back.at(x, 24).a) << x << "," << y;
            }
        }
    }
}

TEST(WidgetArt, PanelsDrawnOverTheCardAreTranslucent) {
    for (const char* file : {"clockbk.png", "detail.png", "download.png", "calcell.png"}) {
        SCOPED_TRACE(file);
        const Image& image = Picture(kCommskins + file);
        const Area all{0, 0, image.width(), image.height()};
        EXPECT_GT(Count(image, all, [](const Rgba& p) { return p.a > 0 && p.a < 255; }), 0);
    }
    const Image& clock = Picture(kCommskins + "clockbk.png");
    EXPECT_EQ(clock.at(0, 0).a, 0);  // rounded corner
}

TEST(WidgetArt, DetailPanelHasItsTwoDayTabsBelowIt) {
    const Image& detail = Picture(kCommskins + "detail.png");
    const Area selected{0, 150, 64, 20};
    const Area other{64, 150, 64, 20};
    EXPECT_GE(CountVisible(detail, selected), 64 * 20 / 2);
    EXPECT_GE(CountVisible(detail, other), 64 * 20 / 2);
    EXPECT_FALSE(SamePixels(detail, selected, other));
    EXPECT_GE(Count(detail, selected, AccentBlue), 30);  // the selected tab's accent edge
    EXPECT_EQ(Count(detail, other, AccentBlue), 0);
}

const std::string kCalendar = "modules/Calendar/";

int Luma(const Rgba& p) {
    return (p.r * 299 + p.g * 587 + p.b * 114) / 1000;
}
bool Light(const Rgba& p) {
    return p.a > 150 && Luma(p) > 190;
}
bool JadeGreen(const Rgba& p) {
    return p.a == 255 && p.g > p.r + 60 && p.g > p.b + 20;
}
bool AmberOrange(const Rgba& p) {
    return p.a == 255 && p.r > p.g + 40 && p.g > p.b + 40;
}
bool NightIndigo(const Rgba& p) {
    // Violet-blue: red about as strong as green, unlike the default blue.
    return p.a == 255 && p.b > p.g + 80 && p.r + 15 > p.g;
}

// What each skin is told apart by: its accent on the card's top edge and
// the selected day's disc, in the window and in the thumbnail.
struct SkinCase {
    const char* folder;
    const char* accentText;  // as colors.ini writes it; nullptr: no file
    bool (*accent)(const Rgba&);
    bool dark;
};
constexpr SkinCase kSkinCases[] = {
    {"SkinsDefault", nullptr, AccentBlue, false},
    {"SkinsJade", "accent=#14976F", JadeGreen, false},
    {"SkinsAmber", "accent=#D9822B", AmberOrange, false},
    {"SkinsNight", "accent=#6366F1", NightIndigo, true},
};

// A skin's own copy of a common picture, else Commskins'.
const Image& SkinPicture(const std::string& skin, const std::string& name) {
    const std::string own = kCalendar + skin + "/" + name;
    return testing::GeneratedArt().Find(own) != nullptr ? Picture(own) : Picture(kCommskins + name);
}

TEST(WidgetArt, EachSkinCarriesItsAccentThroughTheCardTheSelectionAndTheThumbnail) {
    for (const SkinCase& skin : kSkinCases) {
        SCOPED_TRACE(skin.folder);
        const Image& back = Picture(kCalendar + skin.folder + "/mainback.png");
        EXPECT_TRUE(skin.accent(back.at(114, 4)));
        // The 8th, selected: a disc of the accent around a white number.
        const Image& numbers = SkinPicture(skin.folder, "numbers.png");
        EXPECT_GE(Count(numbers, Area{7 * 21, 84, 21, 21}, skin.accent), 100);
        // The thumbnail's August 2008 has the 8th selected, in row 0 and
        // column 5 of its grid at (27, 198).
        const Image& preview = Picture(kCalendar + skin.folder + "/mainback.bmp");
        EXPECT_GE(Count(preview, Area{27 + 5 * 25 + 2, 198, 21, 21}, skin.accent), 100);
        const int cardLuma = Luma(preview.at(12, 150));
        EXPECT_TRUE(skin.dark ? cardLuma < 60 : cardLuma > 200) << cardLuma;
    }
}

TEST(WidgetArt, SkinsOtherThanTheDefaultNameTheirColoursInColorsIni) {
    for (const SkinCase& skin : kSkinCases) {
        SCOPED_TRACE(skin.folder);
        const ArtFile* colours = testing::GeneratedArt().Find(kCalendar + skin.folder + "/colors.ini");
        if (skin.accentText == nullptr) {
            EXPECT_EQ(colours, nullptr);
            continue;
        }
        ASSERT_NE(colours, nullptr);
        EXPECT_EQ(colours->text.rfind("[colors]\r\n", 0), 0u);
        EXPECT_NE(colours->text.find(std::string(skin.accentText) + "\r\n"), std::string::npos);
        for (const char* key : {"ink=#", "muted=#", "accentDeep=#", "accentSoft=#", "holiday=#", "hairline=#"}) {
            EXPECT_NE(colours->text.find(std::string("\n") + key), std::string::npos) << key;
        }
    }
}

TEST(WidgetArt, NightSkinIsADarkCardWithLightTextAndWhiteClockText) {
    const std::string night = "SkinsNight";
    EXPECT_LT(Luma(Picture(kCalendar + night + "/mainback.png").at(114, 139)), 50);
    const Image& numbers = SkinPicture(night, "numbers.png");
    for (int day = 1; day <= 31; ++day) {
        const Area plain{(day - 1) * 21, 126, 21, 21};
        EXPECT_GE(Count(numbers, plain, Light), 8) << day;
        EXPECT_EQ(Count(numbers, plain, Dark), 0) << day;
    }
    const Image& weekdays = SkinPicture(night, "weekdays.png");
    EXPECT_GE(Count(weekdays, Area{25, 0, 25, 18}, [](const Rgba& p) { return p.a > 150 && Luma(p) > 150; }), 8);
    EXPECT_GE(Count(SkinPicture(night, "digit.png"), Area{0, 0, 200, 22}, Light), 200);
    // Panels drawn over the card stay dark, so the light text reads on them.
    for (const auto& [name, x, y] :
         {std::tuple{"clockbk.png", 93, 20}, std::tuple{"detail.png", 93, 80}, std::tuple{"download.png", 150, 22}}) {
        const Rgba panel = SkinPicture(night, name).at(x, y);
        EXPECT_GT(panel.a, 100) << name;
        EXPECT_LT(Luma(panel), 80) << name;
    }
    for (const SkinCase& skin : kSkinCases) {
        EXPECT_EQ(testing::GeneratedArt().Find(kCalendar + skin.folder + "/twhite.txt") != nullptr, skin.dark)
            << skin.folder;
    }
}

TEST(WidgetArt, ThumbnailsOfTheSkinsDifferFromEachOther) {
    for (std::size_t i = 0; i < std::size(kSkinCases); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const Image& a = Picture(kCalendar + kSkinCases[i].folder + "/mainback.bmp");
            const Image& b = Picture(kCalendar + kSkinCases[j].folder + "/mainback.bmp");
            int differing = 0;
            for (int y = 0; y < a.height() && y < b.height(); ++y) {
                for (int x = 0; x < a.width() && x < b.width(); ++x) {
                    const Rgba p = a.at(x, y);
                    const Rgba q = b.at(x, y);
                    differing += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24;
                }
            }
            EXPECT_GT(differing, 1000) << kSkinCases[i].folder << " and " << kSkinCases[j].folder;
        }
    }
}

}  // namespace
}  // namespace artgen
