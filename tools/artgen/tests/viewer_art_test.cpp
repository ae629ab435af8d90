#include "tools/artgen/tests/art_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace artgen {
namespace {

using testing::Area;
using testing::Count;
using testing::Picture;

const std::string kSkins = "Trevalo/Skins/";

bool IsKey(const Rgba& p) {
    return p.r == 0 && p.g == 128 && p.b == 128;
}

Area All(const Image& image) {
    return Area{0, 0, image.width(), image.height()};
}

// Frame pieces are blitted as they are: no pixel of them may be the mask
// colour.
TEST(ViewerArt, FramePiecesAreOpaque) {
    for (const char* piece : {"title1", "title2", "title3", "bottom1", "bottom2", "bottom3", "tabback", "tab1", "tab2",
                              "combut1", "combut2", "combut3"}) {
        SCOPED_TRACE(piece);
        const Image& image = Picture(kSkins + piece + ".bmp");
        EXPECT_EQ(Count(image, All(image), IsKey), 0);
    }
}

// The title bar is its left end, the middle tiled, and its right end: the
// columns where they meet are alike, so the joins do not show.
TEST(ViewerArt, TitleAndBottomPiecesJoinSeamlessly) {
    const std::pair<const char*, const char*> joins[] = {{"title1", "title2"},   {"title2", "title2"},
                                                         {"title2", "title3"},   {"bottom1", "bottom2"},
                                                         {"bottom2", "bottom2"}, {"bottom2", "bottom3"}};
    for (const auto& [left, right] : joins) {
        SCOPED_TRACE(std::string(left) + " | " + right);
        const Image& a = Picture(kSkins + left + ".bmp");
        const Image& b = Picture(kSkins + right + ".bmp");
        ASSERT_EQ(a.height(), b.height());
        for (int y = 0; y < a.height(); ++y) {
            EXPECT_EQ(a.at(a.width() - 1, y), b.at(0, y)) << y;
        }
    }
}

// Buttons are drawn over their parent through the mask colour: the ground
// around the drawing is keyed, and each state looks different.
TEST(ViewerArt, ButtonsKeyTheirGroundAndShowTheirStates) {
    const char* const stateSets[][3] = {
        {"min1", "min2", "min3"},      {"max1", "max2", "max3"},        {"close1", "close2", "close3"},
        {"vback1", "vback4", nullptr}, {"vfor1", "vfor4", nullptr},     {"vrefresh1", "vrefresh4", nullptr},
        {"vstop1", "vstop4", nullptr}, {"vclose1", "vclose4", nullptr}, {"favor1", "favor4", nullptr},
        {"open1", nullptr, nullptr},   {"save1", nullptr, nullptr},     {"search1", nullptr, nullptr},
        {"help1", nullptr, nullptr},   {"file1", nullptr, nullptr},     {"navbar1", nullptr, nullptr},
        {"vie1", nullptr, nullptr},
    };
    for (const auto& states : stateSets) {
        SCOPED_TRACE(states[0]);
        const Image& normal = Picture(kSkins + states[0] + ".bmp");
        EXPECT_TRUE(IsKey(normal.at(0, 0)));
        EXPECT_TRUE(IsKey(normal.at(normal.width() - 1, normal.height() - 1)));
        EXPECT_GE(Count(normal, All(normal), [](const Rgba& p) { return !IsKey(p); }), 12);
        for (int i = 1; i < 3 && states[i] != nullptr; ++i) {
            const Image& other = Picture(kSkins + states[i] + ".bmp");
            ASSERT_EQ(other.width(), normal.width());
            EXPECT_FALSE(other == normal) << states[i];
        }
    }
    // Closing lights up red under the pointer.
    const Image& closeHover = Picture(kSkins + "close2.bmp");
    EXPECT_GE(Count(closeHover, All(closeHover), [](const Rgba& p) { return p.r > 200 && p.g < 110; }), 200);
}

// The trees tell their kinds of node apart by these images alone, so no two
// of the seven may look the same.
TEST(ViewerArt, TreeImagesAreSevenDifferentPictures) {
    const Image& strip = Picture(kSkins + "treeimg.bmp");
    ASSERT_EQ(strip.width(), 7 * 16);
    for (int a = 0; a < 7; ++a) {
        for (int b = a + 1; b < 7; ++b) {
            EXPECT_FALSE(testing::SamePixels(strip, Area{a * 16, 0, 16, 16}, Area{b * 16, 0, 16, 16})) << a << " " << b;
        }
    }
}

}  // namespace
}  // namespace artgen
