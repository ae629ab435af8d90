#include "widget/clock/win32/clock_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/path_util.h"
#include "common/win32/gdiplus_session.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/time_test_server.h"
#include "testkit/win32/window_helpers.h"

namespace {

using testkit::TimeReply;
using testkit::TimeTestServer;

// 2008-08-07 00:00:01 UTC, 08:00:01 in China: one day (less a second) left.
constexpr Moment kDayBeforeTheGames = 1218067201;
constexpr char kOneDayLeft[] = " 距离2008年8月8日还有1天";

// Where the window sits on the test display, clear of everything else.
constexpr int kLeft = 120;
constexpr int kTop = 160;

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return largest;
}

int Brightness(std::uint32_t argb) {
    return static_cast<int>(((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF));
}

// The window's surface as straight-alpha ARGB pixels.
testkit::Image SurfacePixels(const ClockWindow& clock) {
    testkit::Image image;
    Gdiplus::Bitmap* surface = clock.Surface();
    if (surface == nullptr) {
        return image;
    }
    image.width = static_cast<int>(surface->GetWidth());
    image.height = static_cast<int>(surface->GetHeight());
    image.argb.resize(static_cast<std::size_t>(image.width) * image.height);
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(image.width);
    data.Height = static_cast<UINT>(image.height);
    data.Stride = image.width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = image.argb.data();
    Gdiplus::Rect whole(0, 0, image.width, image.height);
    if (surface->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                          &data) == Gdiplus::Ok) {
        surface->UnlockBits(&data);
    }
    return image;
}

// Pixels of the banner that text changed from the background, split by
// whether the text made them darker or lighter. The banner's band is a light,
// nearly opaque blue: white text changes it little, but only ever lighter.
struct TextPixels {
    int darker = 0;
    int lighter = 0;
};

TextPixels BannerText(const testkit::Image& surface, const testkit::Image& background) {
    TextPixels text;
    for (int y = kBannerFirstBox.top; y < kBannerSecondBox.top + kBannerSecondBox.height; ++y) {
        for (int x = kBannerSecondBox.left; x < ClockWindow::kWidth; ++x) {
            const std::uint32_t now = surface.Pixel(x, y);
            const std::uint32_t before = background.Pixel(x, y);
            if (ChannelDistance(now, before) <= 12) {
                continue;
            }
            const int change = Brightness(now) - Brightness(before);
            text.darker += change < -60 ? 1 : 0;
            text.lighter += change >= 0 ? 1 : 0;
        }
    }
    return text;
}

class ClockWindowTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("clock_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "skin");
        std::filesystem::create_directories(folder_ / "empty");
        owner_ =
            CreateWindowExA(0, "STATIC", "clock owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
        const std::optional<testkit::Image> background = testkit::LoadImageFile(ArtPath("clockbk.png"));
        const std::optional<testkit::Image> digits = testkit::LoadImageFile(ArtPath("digit.png"));
        ASSERT_TRUE(background && digits);
        background_ = *background;
        digits_ = *digits;
    }
    void TearDown() override {
        clock_.Destroy();
        DestroyWindow(owner_);
        std::filesystem::remove_all(folder_);
    }

    static std::string ArtPath(const char* name) { return JoinPath(CLOCK_ART_DIR, name); }
    std::string FolderPath(const char* name) const { return (folder_ / name).string(); }

    // Settings with the generated art and the time server at `port`.
    ClockWindow::Settings SettingsFor(unsigned short port) const {
        const std::string ini = FolderPath("network.ini");
        std::ofstream(ini, std::ios::binary) << "[hosts]\r\ntimeserver=127.0.0.1:" << port << "\r\n";
        return {CLOCK_ART_DIR, FolderPath("skin"), ini, 255};
    }

    bool Open(const ClockWindow::Settings& settings) {
        if (!clock_.Create(owner_, settings)) {
            return false;
        }
        clock_.MoveTo(kLeft, kTop);
        return true;
    }

    // Pumps the test thread's messages (the clock's timer among them) until
    // `condition` holds.
    static bool PumpUntil(const std::function<bool()>& condition, unsigned int timeoutMs) {
        const testkit::Stopwatch stopwatch;
        while (!condition()) {
            if (stopwatch.Milliseconds() > timeoutMs) {
                return false;
            }
            testkit::PumpMessages(50);
        }
        return true;
    }

    std::filesystem::path folder_;
    HWND owner_ = nullptr;
    testkit::Image background_;
    testkit::Image digits_;
    ClockWindow clock_{[] {
        NetworkTimeTiming timing;
        timing.retryDelayMs = 300;
        timing.readTimeoutMs = 500;
        return timing;
    }()};
};

TEST_F(ClockWindowTest, IsAnOwnedLayeredToolWindowShownWithoutActivation) {
    TimeTestServer server(TimeReply::Silent());
    ASSERT_TRUE(Open(SettingsFor(server.Port())));
    const HWND window = clock_.GetSafeHwnd();
    EXPECT_EQ(testkit::WindowClassName(window), "ZELLUM-ClockWindow");
    EXPECT_EQ(testkit::WindowText(window), "ZELLUM-ClockWindow");
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    EXPECT_NE(GetWindowLongPtrA(window, GWL_STYLE) & WS_POPUP, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetForegroundWindow(), window);
    const RECT bounds = testkit::WindowRectangle(window);
    EXPECT_EQ(bounds.left, kLeft);
    EXPECT_EQ(bounds.top, kTop);
    EXPECT_EQ(bounds.right - bounds.left, ClockWindow::kWidth);
    EXPECT_EQ(bounds.bottom - bounds.top, ClockWindow::kHeight);

    EXPECT_TRUE(clock_.Show(false));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(clock_.Show(true));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(clock_.Create(owner_, SettingsFor(server.Port()))) << "a second window";
}

TEST_F(ClockWindowTest, BannerCountsDownFromTheServersTime) {
    TimeTestServer server(TimeReply::Time(kDayBeforeTheGames));
    ASSERT_TRUE(Open(SettingsFor(server.Port())));
    ASSERT_TRUE(PumpUntil([&] { return clock_.ShownFace().banner.secondLine == kOneDayLeft; }, 5000));
    EXPECT_EQ(clock_.ShownFace().banner.firstLine, " 北京2008年奥运会开幕");
    // The text is drawn, in black by default.
    const TextPixels text = BannerText(SurfacePixels(clock_), background_);
    EXPECT_GT(text.darker, 50);
    EXPECT_EQ(text.lighter, 0);
    if (!clock_.ShownFace().colonShown) {
        clock_.SetAlpha(255);  // one more redraw, so the picture shows the colon
    }
    EXPECT_TRUE(testkit::SaveWindowPng(clock_.GetSafeHwnd(), JoinPath(CLOCK_SCREENSHOT_DIR, "clock_window.png")));
}

TEST_F(ClockWindowTest, TextTurnsWhiteInASkinWithTwhite) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    std::ofstream(FolderPath("skin/twhite.txt")) << "";
    ASSERT_TRUE(Open(SettingsFor(server.Port())));
    EXPECT_EQ(clock_.ShownFace().banner.firstLine, "同一个世界 同一个梦想");
    TextPixels text = BannerText(SurfacePixels(clock_), background_);
    EXPECT_GT(text.lighter, 50);
    EXPECT_EQ(text.darker, 0);

    clock_.SetSkinFolder(FolderPath("empty"));
    text = BannerText(SurfacePixels(clock_), background_);
    EXPECT_GT(text.darker, 50);
    EXPECT_EQ(text.lighter, 0);
}

TEST_F(ClockWindowTest, ASkinsOwnPicturesGoBeforeTheCommonOnesAndFollowItsChange) {
    // The dark skin's panel and digits, beside its twhite.txt.
    const std::filesystem::path night = std::filesystem::path(CLOCK_ART_DIR).parent_path() / "SkinsNight";
    std::filesystem::create_directories(folder_ / "night");
    for (const char* name : {"clockbk.png", "digit.png", "twhite.txt"}) {
        std::filesystem::copy_file(night / name, folder_ / "night" / name);
    }
    TimeTestServer server(TimeReply::CloseAtOnce());
    ClockWindow::Settings settings = SettingsFor(server.Port());
    settings.skinFolder = FolderPath("night");
    ASSERT_TRUE(Open(settings));
    // A spot of the panel clear of digits and text: between the minute and
    // the weekday, above the separator.
    const auto panelBrightness = [this] { return Brightness(SurfacePixels(clock_).Pixel(112, 36)); };
    EXPECT_GT(SurfacePixels(clock_).Pixel(112, 36) >> 24, 100u);
    EXPECT_LT(panelBrightness(), 3 * 80);
    // The white banner text on the dark band.
    const testkit::Image surface = SurfacePixels(clock_);
    int white = 0;
    for (int y = kBannerFirstBox.top; y < kBannerFirstBox.top + kBannerFirstBox.height; ++y) {
        for (int x = kBannerFirstBox.left; x < ClockWindow::kWidth; ++x) {
            white += Brightness(surface.Pixel(x, y)) > 3 * 220 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 30);

    clock_.SetSkinFolder(FolderPath("empty"));
    EXPECT_GT(panelBrightness(), 3 * 200);
}

TEST_F(ClockWindowTest, DrawsTheDigitTilesAndBlinksTheColon) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    ASSERT_TRUE(Open(SettingsFor(server.Port())));
    bool colonSeen[2] = {false, false};
    for (int redraw = 0; redraw < 2; ++redraw) {
        clock_.SetAlpha(255);  // redraws now
        const ClockFace& face = clock_.ShownFace();
        colonSeen[face.colonShown ? 1 : 0] = true;
        const testkit::Image surface = SurfacePixels(clock_);
        std::vector<DigitTile> tiles(face.digits.begin(), face.digits.end());
        tiles.push_back({kColonLeft, kColonSourceLeft});
        int wrong = 0;
        for (std::size_t i = 0; i < tiles.size(); ++i) {
            const bool drawn = i < 4 || face.colonShown;
            for (int y = 0; y < kDigitHeight; ++y) {
                for (int x = 0; x < kDigitWidth; ++x) {
                    const std::uint32_t tile = digits_.Pixel(tiles[i].sourceLeft + x, y);
                    if ((tile >> 24) != 0xFF) {
                        continue;  // only opaque tile pixels show unchanged
                    }
                    const int left = tiles[i].left + x;
                    const int top = kDigitTop + y;
                    const std::uint32_t expected = drawn ? tile : background_.Pixel(left, top);
                    wrong += ChannelDistance(surface.Pixel(left, top), expected) > 2 ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(wrong, 0) << "redraw " << redraw;
    }
    EXPECT_TRUE(colonSeen[0] && colonSeen[1]) << "the colon shows at every second redraw";
}

TEST_F(ClockWindowTest, MakesNoFramesWhileHiddenAndOneAtOnceWhenShown) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    ASSERT_TRUE(Open(SettingsFor(server.Port())));
    const HWND window = clock_.GetSafeHwnd();
    const unsigned long atStart = clock_.FramesShown();
    EXPECT_GE(atStart, 1u) << "the first frame comes with the window";
    ASSERT_TRUE(PumpUntil([&] { return clock_.FramesShown() >= atStart + 2; }, 5000)) << "the timer redraws";

    // Hidden through the clock and through the window itself, as the
    // calendar's placement does.
    const std::function<void(bool)> ways[] = {
        [&](bool show) { clock_.Show(show); },
        [&](bool show) {
            SetWindowPos(
                window, nullptr, 0, 0, 0, 0,
                SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        },
    };
    for (const auto& showOrHide : ways) {
        showOrHide(false);
        ASSERT_FALSE(IsWindowVisible(window));
        const unsigned long hidden = clock_.FramesShown();
        clock_.SetAlpha(200);  // kept for the next frame, not drawn now
        testkit::PumpMessages(1300);
        EXPECT_EQ(clock_.FramesShown(), hidden);

        showOrHide(true);
        ASSERT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(clock_.FramesShown(), hidden + 1) << "drawn at once when shown";
        EXPECT_TRUE(PumpUntil([&] { return clock_.FramesShown() >= hidden + 3; }, 5000)) << "and redrawn again";
    }
}

TEST_F(ClockWindowTest, WithoutImagesTheWindowStillRuns) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    ClockWindow::Settings settings = SettingsFor(server.Port());
    settings.commskinsFolder = FolderPath("empty");
    ASSERT_TRUE(Open(settings));
    testkit::PumpMessages(600);  // a redraw by the timer
    const testkit::Image surface = SurfacePixels(clock_);
    ASSERT_EQ(surface.width, ClockWindow::kWidth);
    int drawn = 0;
    for (int y = kDigitTop; y < kDigitTop + kDigitHeight; ++y) {
        for (int x = 0; x < kWeekdayBox.left; ++x) {
            drawn += (surface.Pixel(x, y) >> 24) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(drawn, 0) << "no digits without digit.png, no background without clockbk.png";
    EXPECT_EQ(clock_.ShownFace().banner.firstLine, "同一个世界 同一个梦想");
}

TEST_F(ClockWindowTest, DestroyDoesNotWaitForAHangingFetch) {
    TimeTestServer server(TimeReply::Silent());
    ClockWindow clock;  // the real hourly timing: a fetch waits 15 s for its answer
    ASSERT_TRUE(clock.Create(owner_, SettingsFor(server.Port())));
    ASSERT_TRUE(PumpUntil([&] { return server.ConnectionCount() == 1; }, 5000));
    const HWND window = clock.GetSafeHwnd();
    const testkit::Stopwatch stopwatch;
    clock.Destroy();
    EXPECT_LT(stopwatch.Milliseconds(), 1000);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(clock.GetSafeHwnd(), nullptr);
    EXPECT_EQ(clock.Surface(), nullptr);
}

}  // namespace
