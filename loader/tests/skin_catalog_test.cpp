// The skin dialog's rules: skin folders by prefix, the skin a preview
// stands for, preview paths compared without case, the thumbnail grid's
// places and its scrolling.

#include "loader/skin_catalog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(SkinCatalog, SkinFoldersAreTheOnesStartingWithThePrefixInAnyCase) {
    struct Case {
        const char* folder;
        bool skin;
    } const cases[] = {
        {"SkinsBlue", true}, {"skinsRed", true},     {"SKINS", true}, {"Skins", true},     {"Other", false},
        {"Skin", false},     {"MySkinsBlue", false}, {"", false},     {"Skins蓝色", true}, {"皮肤Skins", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasSkinPrefix(c.folder, kCalendarSkinKind.folderPrefix), c.skin) << c.folder;
    }
}

TEST(SkinCatalog, ASkinNameIsTheFolderOfItsPreview) {
    struct Case {
        std::string preview;
        std::string name;
    } const cases[] = {
        {"C:\\Suite\\Modules\\Calendar\\SkinsBlue\\mainback.bmp", "SkinsBlue"},
        {"C:\\Suite\\Modules\\Calendar\\SkinsBlue\\\\mainback.bmp", "SkinsBlue"},  // doubled separator
        {"C:\\Suite\\Modules\\Calendar\\Skins蓝色\\mainback.bmp", "Skins蓝色"},
        // 0x81 0x5C is one GBK character whose second byte is a backslash.
        {"C:\\Suite\\Skins\x81\x5C\\mainback.bmp", "Skins\x81\x5C"},
        {"SkinsBlue\\mainback.bmp", "SkinsBlue"},
        {"mainback.bmp", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkinNameOfPreview(c.preview), c.name) << c.preview;
    }
}

TEST(SkinCatalog, TheCurrentSkinsPreviewIsFoundWithoutRegardToCase) {
    const std::string current = SkinPreviewPath("C:\\Suite\\Modules\\Calendar", "skinsblue");
    EXPECT_EQ(current, "C:\\Suite\\Modules\\Calendar\\skinsblue\\mainback.bmp");
    EXPECT_TRUE(SamePathIgnoringCase(current, "C:\\SUITE\\modules\\Calendar\\SkinsBlue\\MAINBACK.bmp"));
    EXPECT_FALSE(SamePathIgnoringCase(current, "C:\\Suite\\Modules\\Calendar\\SkinsBlu\\mainback.bmp"));
    // Second bytes of double-byte characters are not letters: 0x81 0x41 and
    // 0x81 0x61 are two different characters.
    EXPECT_FALSE(SamePathIgnoringCase("Skins\x81\x41", "Skins\x81\x61"));
    EXPECT_TRUE(SamePathIgnoringCase("Skins\x81\x41", "SKINS\x81\x41"));
    EXPECT_EQ(SkinPreviewPath("C:\\Suite\\Modules\\Calendar", ""), "");  // no current skin, nothing selected
}

TEST(ThumbnailGrid, ColumnsAreWholeCellsWithTheirMargins) {
    struct Case {
        int width;
        int columns;
    } const cases[] = {{500, 4}, {496, 4}, {495, 3}, {124, 1}, {100, 1}, {0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ((ThumbnailGrid{120, 150, c.width}.Columns()), c.columns) << c.width;
    }
}

TEST(ThumbnailGrid, ThumbnailsFillRowsLeftToRight) {
    const ThumbnailGrid grid{120, 150, 500};
    EXPECT_EQ(grid.X(0), 4);
    EXPECT_EQ(grid.Y(0), 4);
    EXPECT_EQ(grid.X(3), 3 * 124 + 4);
    EXPECT_EQ(grid.Y(3), 4);
    EXPECT_EQ(grid.X(4), 4);  // the fifth begins the second row
    EXPECT_EQ(grid.Y(4), 154 + 4);
    EXPECT_EQ(grid.ContentWidth(5), 500);
    EXPECT_EQ(grid.ContentHeight(5), 2 * 154 + 4);
    EXPECT_EQ(grid.ContentWidth(2), 2 * 124 + 4);
    EXPECT_EQ(grid.ContentHeight(0), 4);
}

TEST(ThumbnailGrid, ScrollingMovesByLinesPagesAndWheelNotchesWithinTheContent) {
    EXPECT_EQ(MaxScrollPosition(312, 200), 112);
    EXPECT_EQ(MaxScrollPosition(100, 200), 0);
    struct Case {
        int position;
        ScrollRequest request;
        int track;
        int expected;
    } const cases[] = {
        {10, ScrollRequest::kLineDown, 0, 11},   {10, ScrollRequest::kLineUp, 0, 9},
        {10, ScrollRequest::kPageDown, 0, 30},   {10, ScrollRequest::kPageUp, 0, 0},
        {100, ScrollRequest::kPageDown, 0, 112}, {0, ScrollRequest::kLineUp, 0, 0},
        {0, ScrollRequest::kTrack, 57, 57},      {0, ScrollRequest::kTrack, 500, 112},
        {50, ScrollRequest::kTop, 0, 0},         {50, ScrollRequest::kBottom, 0, 112},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollPosition(c.position, c.request, c.track, 112), c.expected)
            << c.position << " " << static_cast<int>(c.request);
    }
    EXPECT_EQ(WheelScrollPosition(20, 120, 112), 15);   // one notch away from the user: up
    EXPECT_EQ(WheelScrollPosition(20, -240, 112), 30);  // two notches towards the user
    EXPECT_EQ(WheelScrollPosition(20, 60, 112), 20);    // half a notch moves nothing
    EXPECT_EQ(WheelScrollPosition(110, -120, 112), 112);
    EXPECT_EQ(WheelScrollPosition(3, 120, 112), 0);
    EXPECT_EQ(WheelScrollPosition(0, -120, 0), 0);  // everything fits
}

}  // namespace
