#include "controls/win32/layer_window.h"

#include <gtest/gtest.h>

#include <set>

#include "controls/tests/win32/win32_test_support.h"
#include "testkit/win32/window_helpers.h"

namespace cmmctrls {
namespace {

using controls_test::ColourDistance;
using controls_test::MakeBitmap;
using controls_test::PixelOf;
using controls_test::PremultipliedOverBlack;
using controls_test::ReadScreen;

// A layered window at a place of its own, clear of the other tests' windows.
class LayerWindowTest : public testing::Test {
protected:
    static constexpr int kLeft = 600;
    static constexpr int kTop = 420;

    void SetUp() override {
        ASSERT_TRUE(window.CreateEx(WS_EX_TOOLWINDOW, "CONTROLS_TEST_LAYER", "", WS_POPUP, kLeft, kTop, 10, 10, nullptr,
                                    nullptr));
        ShowWindow(window.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    }

    RECT Bounds() const { return testkit::WindowRectangle(window.GetSafeHwnd()); }

    CLayerWindow window;
};

// Quarters of 60 x 40: opaque red, green at half alpha, nothing, and a blue
// whose alpha falls from left to right.
std::uint32_t Quarters(int x, int y) {
    if (y < 20) {
        return x < 30 ? 0xFFFF0000u : 0x8000FF00u;
    }
    if (x < 30) {
        return 0x00000000u;
    }
    const auto alpha = static_cast<std::uint32_t>(255 - (x - 30) * 8);
    return (alpha << 24) | 0x2040FFu;
}

TEST_F(LayerWindowTest, ShowsTheImagesPixelsWithTheirAlpha) {
    auto image = MakeBitmap(60, 40, PixelFormat32bppARGB, Quarters);
    for (int opacity : {255, 128}) {
        SCOPED_TRACE(opacity);
        window.SetLayerBitmap(image.get(), static_cast<BYTE>(opacity));
        testkit::PumpMessages(100);
        const RECT bounds = Bounds();
        EXPECT_EQ(bounds.left, kLeft);
        EXPECT_EQ(bounds.top, kTop);
        EXPECT_EQ(bounds.right - bounds.left, 60);
        EXPECT_EQ(bounds.bottom - bounds.top, 40);
        // Without a compositor the screen shows each pixel over black.
        const controls_test::ScreenPixels screen = ReadScreen(bounds);
        int wrong = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 60; ++x) {
                const std::uint32_t expected = PremultipliedOverBlack(Quarters(x, y), opacity);
                if (ColourDistance(screen.At(kLeft + x, kTop + y), expected) > 3 && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << screen.At(kLeft + x, kTop + y)
                                  << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(LayerWindowTest, EveryFrameShowsItsOwnImageWhetherTheSizeStaysOrChanges) {
    struct Frame {
        int width;
        int height;
        std::uint32_t colour;  // opaque
    };
    // The device bitmap is kept between frames of one size and made again on
    // a change: each frame must show its own pixels, never the last one's.
    const Frame frames[] = {{60, 40, 0xFFE02020u}, {60, 40, 0xFF2040E0u}, {30, 20, 0xFF20C040u}, {60, 40, 0xFFE0E020u}};
    unsigned long shown = window.FramesShown();
    for (const Frame& frame : frames) {
        SCOPED_TRACE(testing::Message() << frame.width << "x" << frame.height << " " << std::hex << frame.colour);
        auto image =
            MakeBitmap(frame.width, frame.height, PixelFormat32bppARGB, [&](int, int) { return frame.colour; });
        window.SetLayerBitmap(image.get(), 255);
        EXPECT_EQ(window.FramesShown(), ++shown);
        testkit::PumpMessages(100);
        const RECT bounds = Bounds();
        EXPECT_EQ(bounds.right - bounds.left, frame.width);
        EXPECT_EQ(bounds.bottom - bounds.top, frame.height);
        const controls_test::ScreenPixels screen = ReadScreen(bounds);
        EXPECT_LE(ColourDistance(screen.At(kLeft + 1, kTop + 1), frame.colour & 0xFFFFFFu), 3);
        EXPECT_LE(ColourDistance(screen.At(kLeft + frame.width - 2, kTop + frame.height - 2), frame.colour & 0xFFFFFFu),
                  3);
    }
    // Images that are not shown are not counted.
    auto other = MakeBitmap(10, 10, PixelFormat24bppRGB, [](int, int) { return 0xFFFFFFFFu; });
    window.SetLayerBitmap(other.get(), 255);
    window.SetLayerBitmap(nullptr, 255);
    EXPECT_EQ(window.FramesShown(), shown);
}

TEST_F(LayerWindowTest, ImagesOfAnyOtherFormatChangeNothing) {
    auto shown = MakeBitmap(60, 40, PixelFormat32bppARGB, Quarters);
    window.SetLayerBitmap(shown.get(), 255);
    testkit::PumpMessages(100);
    const RECT before = Bounds();
    const controls_test::ScreenPixels screenBefore = ReadScreen(before);

    const auto white = [](int, int) { return 0xFFFFFFFFu; };
    for (Gdiplus::PixelFormat format : {PixelFormat24bppRGB, PixelFormat32bppRGB, PixelFormat32bppPARGB}) {
        auto other = MakeBitmap(30, 30, format, white);
        window.SetLayerBitmap(other.get(), 255);
    }
    window.SetLayerBitmap(nullptr, 255);
    testkit::PumpMessages(100);
    const RECT after = Bounds();
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(ReadScreen(after).rgb, screenBefore.rgb);
}

TEST_F(LayerWindowTest, BackBufferFollowsTheClientSize) {
    HWND hwnd = window.GetSafeHwnd();
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ASSERT_NE(window.GetBackBuffer(), nullptr);
    EXPECT_EQ(window.GetBackBuffer()->GetWidth(), 10u);
    EXPECT_EQ(window.GetBackBuffer()->GetPixelFormat(), kLayerPixelFormat);

    window.GetGraphics()->Clear(Gdiplus::Color(0xFF123456));
    SetWindowPos(hwnd, nullptr, 0, 0, 120, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Gdiplus::Bitmap* buffer = window.GetBackBuffer();
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->GetWidth(), 120u);
    EXPECT_EQ(buffer->GetHeight(), 50u);
    EXPECT_EQ(PixelOf(*buffer, 0, 0), 0u);  // made anew, not carried over

    // An empty client area has no buffer to draw into; pushing nothing is harmless.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(window.GetBackBuffer(), nullptr);
    EXPECT_EQ(window.GetGraphics(), nullptr);
    window.SetLayerBitmap(window.GetBackBuffer(), 255);

    window.TurnLayeredStyle(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    window.TurnLayeredStyle(0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    window.TurnLayeredStyle(1);
    EXPECT_NE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
}

TEST_F(LayerWindowTest, PushingTheBackBufferShowsWhatWasDrawn) {
    SetWindowPos(window.GetSafeHwnd(), nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Gdiplus::Graphics* graphics = window.GetGraphics();
    ASSERT_NE(graphics, nullptr);
    graphics->Clear(Gdiplus::Color(0, 0, 0, 0));
    Gdiplus::SolidBrush brush(Gdiplus::Color(0xFF10C060));
    graphics->FillRectangle(&brush, 10, 5, 20, 20);
    window.SetLayerBitmap(window.GetBackBuffer(), 255);
    testkit::PumpMessages(100);
    const controls_test::ScreenPixels screen = ReadScreen(Bounds());
    EXPECT_LE(ColourDistance(screen.At(kLeft + 15, kTop + 10), 0x10C060), 3);
    EXPECT_EQ(screen.At(kLeft + 2, kTop + 2), 0u);
}

// A 40 x 20 source whose columns differ in colour and alpha; rows repeat.
std::uint32_t Column(int x, int) {
    const auto c = static_cast<std::uint32_t>(x);
    return ((100 + c * 3) << 24) | ((c * 6) << 16) | ((255 - c * 6) << 8) | ((c * 37) % 256);
}

TEST(ZoomGpBitmap, KeepsBordersAndStretchesTheMiddle) {
    auto source = MakeBitmap(40, 20, PixelFormat32bppARGB, Column);
    Gdiplus::Bitmap* in = source.get();
    std::unique_ptr<Gdiplus::Bitmap> zoomed(CLayerWindow::ZoomGpBitmap(&in, 100, 20, 0, 10));
    ASSERT_NE(zoomed, nullptr);
    EXPECT_EQ(in, source.get());
    ASSERT_EQ(zoomed->GetWidth(), 100u);
    ASSERT_EQ(zoomed->GetHeight(), 20u);
    EXPECT_EQ(zoomed->GetPixelFormat(), PixelFormat32bppARGB);
    std::multiset<int> middleSources;
    int previous = 10;
    for (int x = 0; x < 100; ++x) {
        for (int y : {0, 9, 19}) {
            const std::uint32_t pixel = PixelOf(*zoomed, x, y);
            if (x < 10) {
                EXPECT_EQ(pixel, Column(x, y)) << "column " << x;
            } else if (x >= 90) {
                EXPECT_EQ(pixel, Column(x - 60, y)) << "column " << x;
            } else if (y == 0) {
                // Each middle column is one of source columns 10-29, in order.
                int found = -1;
                for (int s = previous; s < 30 && found < 0; ++s) {
                    found = Column(s, 0) == pixel ? s : -1;
                }
                ASSERT_GE(found, 0) << "column " << x << " is " << std::hex << pixel;
                middleSources.insert(found);
                previous = found;
            }
        }
    }
    for (int s = 10; s < 30; ++s) {
        EXPECT_EQ(middleSources.count(s), 4u) << "source column " << s;
    }
}

TEST(ZoomGpBitmap, VerticalBordersAndReplacingTheSource) {
    // Rows instead of columns: the source is the column pattern turned.
    Gdiplus::Bitmap* source =
        MakeBitmap(20, 40, PixelFormat32bppARGB, [](int x, int y) { return Column(y, x); }).release();
    Gdiplus::Bitmap* in = source;
    Gdiplus::Bitmap* zoomed = CLayerWindow::ZoomGpBitmap(&in, 20, 100, 1, -10);
    ASSERT_NE(zoomed, nullptr);
    EXPECT_EQ(in, zoomed);  // the source was freed and replaced
    std::unique_ptr<Gdiplus::Bitmap> owned(zoomed);
    for (int y : {0, 9, 90, 99}) {
        EXPECT_EQ(PixelOf(*zoomed, 5, y), Column(y < 10 ? y : y - 60, 5)) << "row " << y;
    }
}

TEST(ZoomGpBitmap, RefusesWhatDoesNotFitAndLeavesTheSource) {
    auto source = MakeBitmap(40, 20, PixelFormat32bppARGB, Column);
    struct Case {
        unsigned width;
        unsigned height;
        int border;
    };
    for (const Case& c : {Case{50, 20, 50}, Case{100, 5, -5}, Case{0x80000000u, 20, 0}}) {
        Gdiplus::Bitmap* in = source.get();
        EXPECT_EQ(CLayerWindow::ZoomGpBitmap(&in, c.width, c.height, 1, c.border), nullptr) << c.border;
        EXPECT_EQ(in, source.get());
    }
    EXPECT_EQ(source->GetWidth(), 40u);
    Gdiplus::Bitmap* none = nullptr;
    EXPECT_EQ(CLayerWindow::ZoomGpBitmap(&none, 10, 10, 1, 0), nullptr);
    EXPECT_EQ(CLayerWindow::ZoomGpBitmap(nullptr, 10, 10, 1, 0), nullptr);
}

TEST(ZoomGpBitmap, PalettedImagesAreScaledInto32Bits) {
    auto paletted = std::make_unique<Gdiplus::Bitmap>(16, 16, PixelFormat8bppIndexed);
    ASSERT_EQ(paletted->GetLastStatus(), Gdiplus::Ok);
    Gdiplus::Bitmap* in = paletted.get();
    std::unique_ptr<Gdiplus::Bitmap> zoomed(CLayerWindow::ZoomGpBitmap(&in, 32, 8, 0, 4));
    ASSERT_NE(zoomed, nullptr);
    EXPECT_EQ(zoomed->GetPixelFormat(), PixelFormat32bppARGB);
    EXPECT_EQ(zoomed->GetWidth(), 32u);
}

}  // namespace
}  // namespace cmmctrls
