#include "toolkit/win32/transparent_button.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "testkit/win32/window_helpers.h"
#include "toolkit/tests/win32/control_fixture.h"

namespace {

using control_test::BmpPixel;
using control_test::CodesFrom;
using control_test::ParentWindow;
using control_test::Rendering;
using control_test::SkinPath;

constexpr int kButtonId = 41;
constexpr COLORREF kMask = RGB(0, 128, 128);
constexpr COLORREF kParentColour = RGB(10, 200, 30);

class TransParentButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(parent_.get(), nullptr);
        ASSERT_TRUE(button_.Create(parent_.get(), kButtonId, RECT{10, 10, 50, 50}));
        ASSERT_TRUE(button_.SetBitmap(SkinPath("close1.bmp"), SkinPath("close2.bmp"), SkinPath("close3.bmp"),
                                      SkinPath("min1.bmp"), kMask));
    }
    HWND Button() const { return button_.GetSafeHwnd(); }

    ParentWindow parent_{RECT{20, 20, 220, 120}, kParentColour};
    CTransParentButton button_;
};

// A pixel of `image` that is (or is not) the mask colour.
std::optional<POINT> FindPixel(const std::string& image, bool masked) {
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 28; ++x) {
            if ((BmpPixel(image, x, y) == kMask) == masked) {
                return POINT{x, y};
            }
        }
    }
    return std::nullopt;
}

TEST_F(TransParentButtonTest, TakesTheNormalImagesSize) {
    RECT place{};
    GetWindowRect(Button(), &place);
    EXPECT_EQ(place.right - place.left, 28);
    EXPECT_EQ(place.bottom - place.top, 20);
}

TEST_F(TransParentButtonTest, StretchOptionKeepsTheGivenSize) {
    CTransParentButton stretched;
    ASSERT_TRUE(stretched.Create(parent_.get(), 42, RECT{60, 10, 120, 50}));
    ASSERT_TRUE(stretched.SetBitmap(SkinPath("close1.bmp"), "", "", "", kMask, kTransParentStretch));
    RECT place{};
    GetWindowRect(stretched.GetSafeHwnd(), &place);
    EXPECT_EQ(place.right - place.left, 60);
    EXPECT_EQ(place.bottom - place.top, 40);
}

TEST_F(TransParentButtonTest, MissingNormalImageIsRefused) {
    CTransParentButton button;
    EXPECT_FALSE(button.SetBitmap(SkinPath("no_such.bmp"), "", "", "", kMask));
}

TEST_F(TransParentButtonTest, ClickInsideTellsTheParent) {
    control_test::Click(Button(), 5, 5);
    EXPECT_EQ(CodesFrom(parent_.commands, kButtonId), std::vector<int>{BN_CLICKED});
}

TEST_F(TransParentButtonTest, ReleaseOutsideOrWithoutPressIsNoClick) {
    control_test::PressAndRelease(Button(), POINT{5, 5}, POINT{100, 5});
    PostMessageA(Button(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    testkit::PumpMessages(50);
    EXPECT_TRUE(parent_.commands.empty());
}

TEST_F(TransParentButtonTest, ParentShowsThroughTheMaskColour) {
    const std::optional<POINT> masked = FindPixel(SkinPath("close1.bmp"), true);
    const std::optional<POINT> drawn = FindPixel(SkinPath("close1.bmp"), false);
    ASSERT_TRUE(masked && drawn) << "the close picture has both kinds of pixels";
    const Rendering picture(Button());
    EXPECT_EQ(picture.Pixel(masked->x, masked->y), kParentColour);
    EXPECT_EQ(picture.Pixel(drawn->x, drawn->y), BmpPixel(SkinPath("close1.bmp"), drawn->x, drawn->y));
}

TEST_F(TransParentButtonTest, StateImagesFollowHoverPressAndDisabling) {
    // A pixel on the hover and pressed faces, left of the glyph, which the
    // normal image leaves to the parent.
    constexpr POINT kFace{3, 10};
    ASSERT_EQ(BmpPixel(SkinPath("close1.bmp"), kFace.x, kFace.y), kMask);
    ASSERT_NE(BmpPixel(SkinPath("close2.bmp"), kFace.x, kFace.y), BmpPixel(SkinPath("close3.bmp"), kFace.x, kFace.y));
    const auto shows = [&](const char* image) {
        return Rendering(Button()).Pixel(kFace.x, kFace.y) == BmpPixel(SkinPath(image), kFace.x, kFace.y);
    };
    EXPECT_EQ(Rendering(Button()).Pixel(kFace.x, kFace.y), kParentColour);
    PostMessageA(Button(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    testkit::PumpMessages(50);
    EXPECT_TRUE(shows("close2.bmp"));
    PostMessageA(Button(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    testkit::PumpMessages(50);
    EXPECT_TRUE(shows("close3.bmp"));
    PostMessageA(Button(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    testkit::PumpMessages(50);
    EnableWindow(Button(), FALSE);
    const Rendering disabled(Button());
    const std::optional<POINT> minFace = FindPixel(SkinPath("min1.bmp"), false);
    ASSERT_TRUE(minFace);
    EXPECT_EQ(disabled.Pixel(minFace->x, minFace->y), BmpPixel(SkinPath("min1.bmp"), minFace->x, minFace->y));
}

TEST_F(TransParentButtonTest, DestroyingTheObjectDestroysTheWindow) {
    HWND window = nullptr;
    {
        CTransParentButton button;
        ASSERT_TRUE(button.Create(parent_.get(), 43, RECT{0, 0, 10, 10}));
        window = button.GetSafeHwnd();
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
