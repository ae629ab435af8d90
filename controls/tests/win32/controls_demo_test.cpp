// The skin controls together, as the calendar widget will use them: a
// layered window with the default skin and three image buttons, and the
// preferences frame with two pages beside it. The screenshot it leaves in
// screenshots/controls_demo.png is for reviewers to look at.

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "controls/tests/win32/preferences_frame_support.h"
#include "controls/tests/win32/win32_test_support.h"
#include "controls/win32/image_button.h"
#include "controls/win32/image_cache.h"
#include "controls/win32/layer_window.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"

namespace cmmctrls {
namespace {

using controls_test::ArtPath;
using controls_test::PixelOf;

constexpr char kBackground[] = "modules/Calendar/SkinsDefault/mainback.png";
constexpr char kButtons[] = "modules/Calendar/Commskins/cbutton.png";
constexpr int kWidth = 229;
constexpr int kHeight = 320;  // taller than the skin's 278: its middle stretches
constexpr int kBorder = 24;   // rows of detail at the skin's top and bottom

// The demo's skin window: the background, a title and three buttons drawn
// into the back buffer and pushed to the screen; buttons repaint themselves
// through their repaint requests.
class SkinWindow : public CLayerWindow {
public:
    static constexpr std::array<int, 3> kTiles = {0, 16, 80};  // previous, next, settings in cbutton.png

    explicit SkinWindow(CImageCache& cache) : cache_(cache) {}
    ~SkinWindow() override {
        DestroyWindow();
        cache_.ReleaseFileImage(ArtPath(kBackground).c_str());
        cache_.ReleaseFileImage(ArtPath(kButtons).c_str());
    }

    bool Open(int x, int y) {
        Gdiplus::Bitmap* skin = cache_.CreateFileImage(ArtPath(kBackground).c_str());
        Gdiplus::Bitmap* buttons = cache_.CreateFileImage(ArtPath(kButtons).c_str());
        if (skin->GetLastStatus() != Gdiplus::Ok || buttons->GetLastStatus() != Gdiplus::Ok) {
            return false;
        }
        background_.reset(ZoomGpBitmap(&skin, kWidth, kHeight, 0, -kBorder));
        if (!background_ || !CreateEx(WS_EX_TOOLWINDOW, "CONTROLS_DEMO_SKIN", "skin demo", WS_POPUP, x, y, kWidth,
                                      kHeight, nullptr, nullptr)) {
            return false;
        }
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            const int left = 160 + static_cast<int>(i) * 20;
            const RECT rect = {left, 8, left + 16, 24};
            if (!buttons_[i].Create(nullptr, "", WS_CHILD | WS_VISIBLE, rect, GetSafeHwnd(), 101 + i)) {
                return false;
            }
            const int tile = kTiles[i];
            buttons_[i].GetCore().SetImage(buttons, {tile, 0, 16, 16}, {tile, 16, 16, 16}, {tile, 32, 16, 16},
                                           {tile, 0, 16, 16});
        }
        ShowWindow(GetSafeHwnd(), SW_SHOWNOACTIVATE);
        Paint();
        return true;
    }

    void Paint() {
        Gdiplus::Graphics* graphics = GetGraphics();
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics->DrawImage(background_.get(), 0, 0, kWidth, kHeight);
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
        DrawTitle(*graphics);
        for (CImageButton& button : buttons_) {
            button.GetCore().Render(graphics, button.GetCore().GetBounds());
        }
        SetLayerBitmap(GetBackBuffer(), 255);
    }

    CImageButton& Button(std::size_t i) { return buttons_[i]; }
    Gdiplus::Bitmap& Background() { return *background_; }
    // The title's box, where the back buffer is not the skin.
    static constexpr geometry::Rect kTitle = {21, 40, 187, 30};

    std::vector<WPARAM> clicks;
    int repaints = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kImageButtonClick) {
            clicks.push_back(wParam);
            return 0;
        }
        if (message == kImageButtonRepaint) {
            ++repaints;
            Repaint(UnpackRepaintRect(static_cast<std::uint32_t>(wParam), static_cast<std::int32_t>(lParam)));
            return 0;
        }
        return CLayerWindow::WindowProc(message, wParam, lParam);
    }

private:
    // Redraws the background under the button at `rect`, then the button.
    void Repaint(const geometry::Rect& rect) {
        Gdiplus::Graphics* graphics = GetGraphics();
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics->DrawImage(background_.get(), Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height), rect.x, rect.y,
                            rect.width, rect.height, Gdiplus::UnitPixel);
        graphics->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
        for (CImageButton& button : buttons_) {
            if (button.GetCore().GetBounds() == rect) {
                button.GetCore().Render(graphics, rect);
            }
        }
        SetLayerBitmap(GetBackBuffer(), 255);
    }

    static void DrawTitle(Gdiplus::Graphics& graphics) {
        // GDI+ text keeps its alpha on a 32-bit image; GDI text would not.
        Gdiplus::FontFamily family(L"WenQuanYi Zen Hei");
        const Gdiplus::FontFamily* use =
            family.GetLastStatus() == Gdiplus::Ok ? &family : Gdiplus::FontFamily::GenericSansSerif();
        Gdiplus::Font font(use, 15, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush ink(Gdiplus::Color(0xFF1F2937));
        graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
        const Gdiplus::RectF box(kTitle.x, kTitle.y, kTitle.width, kTitle.height);
        Gdiplus::StringFormat oneLine(Gdiplus::StringFormatFlagsNoWrap);
        graphics.DrawString(L"\u76AE\u80A4\u63A7\u4EF6\u6F14\u793A", -1, &font, box, &oneLine, &ink);
    }

    CImageCache& cache_;
    std::unique_ptr<Gdiplus::Bitmap> background_;
    std::array<CImageButton, 3> buttons_;
};

bool Inside(const geometry::Rect& rect, int x, int y) {
    return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

class ControlsDemo : public testing::Test {
protected:
    static constexpr int kSkinLeft = 420;
    static constexpr int kSkinTop = 60;

    void SetUp() override { ASSERT_TRUE(skin.Open(kSkinLeft, kSkinTop)); }

    bool OverAButton(int x, int y) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (Inside(skin.Button(i).GetCore().GetBounds(), x, y)) {
                return true;
            }
        }
        return false;
    }

    CImageCache cache;
    SkinWindow skin{cache};
};

TEST_F(ControlsDemo, LayeredWindowShowsTheSkinsPixels) {
    auto png = testkit::LoadImageFile(ArtPath(kBackground));
    ASSERT_TRUE(png.has_value());
    ASSERT_EQ(png->height, 278);
    Gdiplus::Bitmap* buffer = skin.GetBackBuffer();
    ASSERT_NE(buffer, nullptr);
    // The skin's detailed rows land unscaled at the top and bottom of the
    // back buffer, alpha included.
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        if (y >= kBorder && y < kHeight - kBorder) {
            continue;
        }
        const int skinRow = y < kBorder ? y : y - (kHeight - 278);
        for (int x = 0; x < kWidth; ++x) {
            if (!OverAButton(x, y) && PixelOf(*buffer, x, y) != png->Pixel(x, skinRow) && ++wrong <= 5) {
                ADD_FAILURE() << "back buffer " << x << "," << y << ": " << std::hex << PixelOf(*buffer, x, y)
                              << " skin " << png->Pixel(x, skinRow);
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(png->Pixel(0, 0) >> 24, 0x40u) << "the skin's corner should be see-through";

    // The screen shows the back buffer blended by its alpha: over black,
    // as there is no compositor.
    testkit::PumpMessages(100);
    const RECT bounds = testkit::WindowRectangle(skin.GetSafeHwnd());
    ASSERT_EQ(bounds.right - bounds.left, kWidth);
    ASSERT_EQ(bounds.bottom - bounds.top, kHeight);
    const controls_test::ScreenPixels screen = controls_test::ReadScreen(bounds);
    wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t expected = controls_test::PremultipliedOverBlack(PixelOf(*buffer, x, y));
            const std::uint32_t shown = screen.At(bounds.left + x, bounds.top + y);
            if (controls_test::ColourDistance(shown, expected) > 3 && ++wrong <= 5) {
                ADD_FAILURE() << "screen " << x << "," << y << ": " << std::hex << shown << " expected " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(ControlsDemo, ClickingAButtonPostsItsIdentifierToTheWindow) {
    CImageButton& next = skin.Button(1);
    HWND button = next.GetSafeHwnd();
    const geometry::Rect bounds = next.GetCore().GetBounds();
    const std::uint32_t normal = PixelOf(*skin.GetBackBuffer(), bounds.x + 8, bounds.y + 12);

    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    testkit::PumpMessages(50);
    EXPECT_EQ(skin.repaints, 1);
    const std::uint32_t hover = PixelOf(*skin.GetBackBuffer(), bounds.x + 8, bounds.y + 12);
    EXPECT_NE(hover, normal) << "the hover picture was not drawn";

    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    testkit::PumpMessages(50);
    EXPECT_EQ(skin.clicks, (std::vector<WPARAM>{102}));
    EXPECT_EQ(skin.repaints, 3);  // pressed, then hover again
    EXPECT_EQ(PixelOf(*skin.GetBackBuffer(), bounds.x + 8, bounds.y + 12), hover);
}

TEST_F(ControlsDemo, SkinWindowAndPreferencesFrameTogether) {
    // The settings button shows its hover picture in the screenshot.
    SendMessageA(skin.Button(2).GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    controls_test::FrameRun run({{"常规", 300, 110, {"开机时自动运行", "显示农历和节气", "整点报时"}},
                                 {"SEPERATOR", 0, 0, {}},
                                 {"提醒", 300, 160, {"提醒时播放声音", "提前五分钟提醒", "在日历上标出有提醒的日子"}}},
                                -1, "万年历－属性设置");
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    SetWindowPos(frame, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    testkit::SendWithTimeout(frame, WM_COMMAND, 1026, 0);
    EXPECT_TRUE(IsWindowVisible(run.Page(2)));
    testkit::PumpMessages(300);

    const RECT frameBounds = testkit::WindowRectangle(frame);
    const RECT skinBounds = testkit::WindowRectangle(skin.GetSafeHwnd());
    RECT overlap = {};
    EXPECT_FALSE(IntersectRect(&overlap, &frameBounds, &skinBounds)) << "windows overlap";
    const RECT area = {0, 40, skinBounds.right + 40, std::max(frameBounds.bottom, skinBounds.bottom) + 20};
    const std::string path = std::string(CONTROLS_SCREENSHOT_DIR) + "/controls_demo.png";
    ASSERT_TRUE(testkit::SaveScreenAreaPng(area, path));
    auto shot = testkit::LoadImageFile(path);
    ASSERT_TRUE(shot.has_value());
    EXPECT_EQ(shot->width, area.right - area.left);
    EXPECT_EQ(shot->height, area.bottom - area.top);
}

}  // namespace
}  // namespace cmmctrls
