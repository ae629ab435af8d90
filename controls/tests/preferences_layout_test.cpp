#include "controls/preferences_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cmmctrls {
namespace {

TEST(PreferencesCaption, KeepsAtMostThirtyNineBytes) {
    const std::string sixty(60, 'x');
    EXPECT_EQ(TruncateCaption(sixty.c_str()), std::string(39, 'x'));
    EXPECT_EQ(TruncateCaption(std::string(39, 'y').c_str()), std::string(39, 'y'));
    EXPECT_EQ(TruncateCaption("属性设置"), "属性设置");
    EXPECT_EQ(TruncateCaption(""), "");
    EXPECT_EQ(TruncateCaption(nullptr), "");
}

TEST(PreferencesCaption, NeverCutsACharacterInHalf) {
    // Twenty two-byte characters: byte 39 is the first half of the
    // twentieth, so nineteen characters (38 bytes) remain.
    std::string chinese;
    for (int i = 0; i < 20; ++i) {
        chinese += "设";
    }
    ASSERT_EQ(chinese.size(), 40u);
    EXPECT_EQ(TruncateCaption(chinese.c_str()), chinese.substr(0, 38));
    // One ASCII letter first: the characters end exactly at byte 39.
    const std::string shifted = "a" + chinese;
    EXPECT_EQ(TruncateCaption(shifted.c_str()), shifted.substr(0, 39));
}

TEST(PreferencesOptions, SeparatorTitleInAnyCase) {
    for (const char* title : {"SEPERATOR", "seperator", "SePeRaToR"}) {
        EXPECT_TRUE(IsSeparatorTitle(title)) << title;
    }
    for (const char* title : {"SEPARATOR", "SEPERATOR ", "SEPERATO", "", "分隔"}) {
        EXPECT_FALSE(IsSeparatorTitle(title)) << title;
    }
    EXPECT_FALSE(IsSeparatorTitle(nullptr));
}

TEST(PreferencesResize, FiveStepsEndingAtTheWantedHeight) {
    using Heights = std::vector<std::int32_t>;
    // Pages of client heights 100 and 203: a difference of 103 goes in steps
    // of 20, and the last step also takes the remaining 3.
    EXPECT_EQ(ResizeHeights(300, 403), (Heights{320, 340, 360, 380, 403}));
    EXPECT_EQ(ResizeHeights(403, 300), (Heights{383, 363, 343, 323, 300}));
    EXPECT_EQ(ResizeHeights(300, 302), (Heights{300, 300, 300, 300, 302}));
    EXPECT_EQ(ResizeHeights(10, 10), (Heights{10, 10, 10, 10, 10}));
}

}  // namespace
}  // namespace cmmctrls
