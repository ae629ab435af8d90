#include "controls/win32/image_button.h"

#include <gtest/gtest.h>

#include "controls/tests/win32/win32_test_support.h"
#include "controls/win32/image_cache.h"
#include "testkit/win32/window_helpers.h"

namespace cmmctrls {
namespace {

using controls_test::MessageLogWindow;

constexpr UINT kId = 77;

// A button at (10, 20), 30 x 40, on a parent that logs what it is posted.
class ImageButtonTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Open(40, 600, 200, 100));
        const RECT rect = {10, 20, 40, 60};
        ASSERT_NE(button.Create(nullptr, "播放", WS_CHILD | WS_VISIBLE, rect, parent.GetSafeHwnd(), kId), 0);
    }

    // Sends a mouse message to the button as Windows would and lets the
    // posted replies arrive.
    void Mouse(UINT message, WPARAM keys, int x, int y) {
        SendMessageA(button.GetSafeHwnd(), message, keys, MAKELPARAM(x, y));
        testkit::PumpMessages(30);
    }

    MessageLogWindow parent;
    CImageButton button;
};

TEST_F(ImageButtonTest, CreateReadiesTheCore) {
    const CImageButton_base& core = button.GetCore();
    EXPECT_EQ(core.GetID(), kId);
    EXPECT_EQ(core.GetText(), "播放");
    EXPECT_EQ(core.GetBounds(), (geometry::Rect{10, 20, 30, 40}));
    EXPECT_EQ(GetDlgCtrlID(button.GetSafeHwnd()), static_cast<int>(kId));
    // A second Create would make the button click twice.
    EXPECT_EQ(button.Create(nullptr, "x", WS_CHILD, {0, 0, 5, 5}, parent.GetSafeHwnd(), 5), 0);
}

TEST_F(ImageButtonTest, HoverAsksTheParentToRepaintTheButtonsRectangle) {
    Mouse(WM_MOUSEMOVE, 0, 5, 5);
    Mouse(WM_MOUSEMOVE, 0, 6, 6);  // still hover: nothing new
    const auto repaints = parent.Of(kImageButtonRepaint);
    ASSERT_EQ(repaints.size(), 1u);
    EXPECT_EQ(repaints[0].wParam, 655380u);
    EXPECT_EQ(repaints[0].lParam, 1966120);
    EXPECT_EQ(button.GetCore().GetStates(), CButtonCore::Hover);
    Mouse(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_EQ(parent.Of(kImageButtonRepaint).size(), 2u);
    EXPECT_EQ(button.GetCore().GetStates(), CButtonCore::Normal);
}

TEST_F(ImageButtonTest, PressReleasedOutsideStillClicksOnce) {
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 50, 70);
    Mouse(WM_LBUTTONUP, 0, 50, 70);
    const auto clicks = parent.Of(kImageButtonClick);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].wParam, kId);
    EXPECT_EQ(clicks[0].lParam, 0);
    EXPECT_EQ(parent.Of(kImageButtonRepaint).size(), 2u);
}

TEST_F(ImageButtonTest, DisabledWindowFollowsTheMouseButIgnoresPresses) {
    EnableWindow(button.GetSafeHwnd(), FALSE);
    Mouse(WM_MOUSEMOVE, 0, 5, 5);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Mouse(WM_LBUTTONUP, 0, 5, 5);
    Mouse(WM_MOUSELEAVE, 0, 0, 0);
    EXPECT_TRUE(parent.Of(kImageButtonClick).empty());
    EXPECT_EQ(parent.Of(kImageButtonRepaint).size(), 1u);  // the hover only
    EXPECT_EQ(button.GetCore().GetStates(), CButtonCore::Hover);
}

TEST_F(ImageButtonTest, AQuickSecondClickIsAClickToo) {
    // Real input this time: two clicks in a row, fast enough to be a
    // double click, are two presses and two clicks.
    POINT centre = {25, 40};
    ClientToScreen(parent.GetSafeHwnd(), &centre);
    SetForegroundWindow(parent.GetSafeHwnd());
    SetCursorPos(centre.x, centre.y);
    testkit::PumpMessages(50);
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
    testkit::PumpMessages(200);
    SetCursorPos(1279, 799);  // away from every test's windows
    EXPECT_EQ(parent.Of(kImageButtonClick).size(), 2u);
}

// Four 8 x 8 pictures side by side: normal red, hover green, pressed blue,
// disabled grey.
std::unique_ptr<Gdiplus::Bitmap> FourStates() {
    return controls_test::MakeBitmap(32, 8, PixelFormat32bppARGB, [](int x, int) {
        constexpr std::uint32_t kColours[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF808080u};
        return kColours[x / 8];
    });
}

TEST(ImageButtonBase, RendersThePictureOfTheState) {
    auto skin = FourStates();
    auto target = controls_test::MakeBitmap(16, 16, PixelFormat32bppARGB, [](int, int) { return 0u; });
    Gdiplus::Graphics graphics(target.get());
    CImageButton_base core;
    core.CreateCore(1, "", {0, 0, 16, 16});
    core.SetImage(skin.get(), {0, 0, 8, 8}, {8, 0, 8, 8}, {16, 0, 8, 8}, {24, 0, 8, 8});
    struct Case {
        bool enabled;
        CButtonCore::eMouseEvent event;
        std::uint32_t colour;
    };
    for (const Case& c :
         {Case{true, CButtonCore::MouseLeave, 0xFFFF0000u}, Case{true, CButtonCore::MouseMove, 0xFF00FF00u},
          Case{true, CButtonCore::LeftButtonDown, 0xFF0000FFu}, Case{false, CButtonCore::MouseMove, 0xFF808080u}}) {
        core.Enable(c.enabled);
        core.OnMouseEvent(c.event, c.event == CButtonCore::LeftButtonDown ? kLeftButtonHeld : 0, {3, 3});
        ASSERT_TRUE(core.Render(&graphics, {2, 2, 12, 12}));
        graphics.Flush(Gdiplus::FlushIntentionSync);
        EXPECT_EQ(controls_test::PixelOf(*target, 8, 8), c.colour) << "state " << core.GetStates();
        EXPECT_EQ(controls_test::PixelOf(*target, 0, 0), 0u);
    }
}

TEST(ImageButtonBase, RefusesToDrawWithoutSurfaceImageOrArea) {
    auto skin = FourStates();
    auto target = controls_test::MakeBitmap(4, 4, PixelFormat32bppARGB, [](int, int) { return 0u; });
    Gdiplus::Graphics graphics(target.get());
    CImageButton_base core;
    EXPECT_FALSE(core.Render(&graphics, {0, 0, 4, 4}));  // no image yet
    core.SetImage(skin.get(), {0, 0, 8, 8}, {}, {}, {});
    EXPECT_FALSE(core.Render(nullptr, {0, 0, 4, 4}));
    EXPECT_FALSE(core.Render(&graphics, {0, 0, 0, 4}));
    EXPECT_FALSE(core.Render(&graphics, {0, 0, 4, 0}));
    EXPECT_EQ(controls_test::PixelOf(*target, 1, 1), 0u);
    EXPECT_TRUE(core.Render(&graphics, {0, 0, 4, 4}));
}

TEST(ImageCache, SharesOneImagePerFile) {
    const std::string path = controls_test::ArtPath("modules/Calendar/Commskins/cbutton.png");
    CImageCache cache;
    Gdiplus::Bitmap* first = cache.CreateFileImage(path.c_str());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetLastStatus(), Gdiplus::Ok);
    EXPECT_EQ(first->GetWidth(), 176u);
    EXPECT_EQ(cache.CreateFileImage(path.c_str(), "unused"), first);
    CImageCache::Item item;
    ASSERT_TRUE(cache.GetItem(path.c_str(), &item));
    EXPECT_EQ(item.refCount, 2);
    EXPECT_TRUE(cache.ReleaseFileImage(path.c_str()));
    EXPECT_TRUE(cache.GetItem(path.c_str(), &item));
    EXPECT_TRUE(cache.ReleaseFileImage(path.c_str()));
    EXPECT_FALSE(cache.GetItem(path.c_str(), &item));
    EXPECT_FALSE(cache.ReleaseFileImage(path.c_str()));
}

TEST(ImageCache, UnreadableFilesAreCachedAsFailedImages) {
    CImageCache cache;
    const std::string missing = controls_test::ArtPath("no_such_skin.png");
    const std::string tooLong = controls_test::ArtPath(std::string(300, 'a') + ".png");
    for (const std::string& path : {missing, tooLong}) {
        Gdiplus::Bitmap* image = cache.CreateFileImage(path.c_str());
        ASSERT_NE(image, nullptr);
        EXPECT_NE(image->GetLastStatus(), Gdiplus::Ok);
        EXPECT_TRUE(cache.GetItem(path.c_str(), nullptr));
        EXPECT_TRUE(cache.ReleaseFileImage(path.c_str()));
    }
    EXPECT_EQ(cache.CreateFileImage(nullptr), nullptr);
}

}  // namespace
}  // namespace cmmctrls
