#include "widget/view/skin_colors.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

constexpr SkinRgb kJade{0x14, 0x97, 0x6F};
constexpr SkinRgb kNightInk{0xE6, 0xEA, 0xF2};

TEST(SkinRgb, ReadsSixHexDigitsAfterAHash) {
    EXPECT_EQ(ParseSkinRgb("#14976F"), kJade);
    EXPECT_EQ(ParseSkinRgb("#14976f"), kJade);
    EXPECT_EQ(ParseSkinRgb("#000000"), (SkinRgb{0, 0, 0}));
    EXPECT_EQ(ParseSkinRgb("#FFffFF"), (SkinRgb{255, 255, 255}));
}

TEST(SkinRgb, RefusesAnythingElse) {
    for (const char* value :
         {"", "#", "14976F", "#14976", "#14976F0", "#14976G", "# 14976", "0x14976F", "#-14976", "red", "#1497 6F"}) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(ParseSkinRgb(value).has_value());
    }
}

TEST(SkinColors, NoTextOrNoSectionGivesTheBuiltInColours) {
    for (const char* text : {"", "\r\n\r\n", "ink=#FFFFFF\r\n", "[other]\r\nink=#FFFFFF\r\n", "just words"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseSkinColors(text), kDefaultSkinColors);
    }
}

TEST(SkinColors, AFullFileSetsEveryColour) {
    const SkinColors colors = ParseSkinColors(
        "[colors]\r\n"
        "ink=#010203\r\nmuted=#040506\r\naccent=#070809\r\naccentDeep=#0A0B0C\r\n"
        "accentSoft=#0D0E0F\r\nholiday=#101112\r\nhairline=#131415\r\n");
    EXPECT_EQ(colors.ink, (SkinRgb{1, 2, 3}));
    EXPECT_EQ(colors.muted, (SkinRgb{4, 5, 6}));
    EXPECT_EQ(colors.accent, (SkinRgb{7, 8, 9}));
    EXPECT_EQ(colors.accentDeep, (SkinRgb{10, 11, 12}));
    EXPECT_EQ(colors.accentSoft, (SkinRgb{13, 14, 15}));
    EXPECT_EQ(colors.holiday, (SkinRgb{16, 17, 18}));
    EXPECT_EQ(colors.hairline, (SkinRgb{19, 20, 21}));
}

TEST(SkinColors, APartialFileKeepsTheOthersBuiltIn) {
    SkinColors expected = kDefaultSkinColors;
    expected.accent = kJade;
    EXPECT_EQ(ParseSkinColors("[colors]\naccent=#14976F\n"), expected);
}

TEST(SkinColors, GarbledValuesKeepTheBuiltInColour) {
    const SkinColors colors = ParseSkinColors(
        "[colors]\r\n"
        "ink=white\r\n"
        "muted=#12345\r\n"
        "accent\r\n"
        "=#14976F\r\n"
        "holiday=#ZZ0000\r\n"
        "hairline=#14976F\r\n");
    SkinColors expected = kDefaultSkinColors;
    expected.hairline = kJade;
    EXPECT_EQ(colors, expected);
}

TEST(SkinColors, ForgivesCaseBlanksCommentsBomAndBareLineFeeds) {
    const SkinColors colors = ParseSkinColors(
        "\xEF\xBB\xBF; the night skin\n"
        "  [ COLORS ]  \n"
        "\tINK = #e6eaf2 \n"
        "AccentDEEP=#14976F");
    SkinColors expected = kDefaultSkinColors;
    expected.ink = kNightInk;
    expected.accentDeep = kJade;
    EXPECT_EQ(colors, expected);
}

TEST(SkinColors, OnlyTheColorsSectionCounts) {
    const SkinColors colors = ParseSkinColors(
        "ink=#000001\r\n"
        "[colors]\r\naccent=#14976F\r\n"
        "[clock]\r\nink=#000002\r\n"
        "[colors\r\nmuted=#000003\r\n");
    SkinColors expected = kDefaultSkinColors;
    expected.accent = kJade;
    EXPECT_EQ(colors, expected);
}

TEST(SkinColors, AGoodLaterValueWinsAndABadOneChangesNothing) {
    const SkinColors colors = ParseSkinColors("[colors]\nink=#000001\nink=#E6EAF2\nink=broken\n");
    EXPECT_EQ(colors.ink, kNightInk);
}

TEST(SkinColors, BinaryGarbageAndNulBytesAreHarmless) {
    // A NUL inside a key or after a value spoils that line only.
    const char raw[] = "\xFF\xFE[\n=\n]\n[colors]\n\0ink=#000001\nmuted=#000002\0\nhairline=#14976F\n";
    SkinColors expected = kDefaultSkinColors;
    expected.hairline = kJade;
    EXPECT_EQ(ParseSkinColors(std::string_view(raw, sizeof raw - 1)), expected);
}

}  // namespace
