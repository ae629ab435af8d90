// Chinese GDI text as it reaches the screen in the test's Wine prefix: the
// captions of the open tray menu and the labels of a 9-point "宋体" dialog.
// Each must be smoothed (glyphs drawn in black and white at these sizes lose
// thin strokes) and carry about the ink of the same text drawn four times
// larger with antialiasing and shrunk back (missing strokes or characters
// carry less). Zoomed screenshots of both land in screenshots/ for reviewers.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"
#include "loader/command_line.h"
#include "loader/tests/win32/fixture_folder.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/win32/shutdown_dialog.h"
#include "loader/win32/tray_menu.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr int kZoom = 4;
// The tray menu's icon column, left of every caption.
constexpr int kMenuIconColumn = 28;
// And the room for a submenu's arrow, right of it.
constexpr int kMenuArrowColumn = 28;
// Darkness (0-1, of the darkest pixel) from which a pixel counts as ink for
// finding the text's box.
constexpr double kInkThreshold = 0.15;
// The screen's text must carry about as much ink as the smooth reference
// (missing strokes or characters carry less, a wrong font's heavy strokes
// more) ...
constexpr double kLeastInkShare = 0.5;
constexpr double kMostInkShare = 1.5;
// ... and be smoothed: glyphs drawn in black and white at these sizes are the
// ones that lose their thin strokes. Smoothed Chinese text has most inked
// pixels between the background and the ink's colour, black-and-white text
// none.
constexpr double kLeastSmoothedShare = 0.5;
// How many times larger the reference text is drawn.
constexpr int kReferenceScale = 4;

// Each pixel's darkness against the background, from 0 (the background) to 1
// (the darkest pixel of the area), row by row.
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<double> values;
};

int Luminance(std::uint32_t argb) {
    return static_cast<int>((((argb >> 16) & 0xFF) * 299 + ((argb >> 8) & 0xFF) * 587 + (argb & 0xFF) * 114) / 1000);
}

// The colour most pixels of the area have.
std::uint32_t BackgroundOf(const testkit::Image& image, const RECT& area) {
    std::vector<std::uint32_t> colours;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            colours.push_back(image.Pixel(x, y) & 0xFFFFFF);
        }
    }
    std::sort(colours.begin(), colours.end());
    std::uint32_t best = 0;
    std::size_t bestRun = 0;
    for (std::size_t i = 0; i < colours.size();) {
        std::size_t j = i;
        while (j < colours.size() && colours[j] == colours[i]) {
            ++j;
        }
        if (j - i > bestRun) {
            bestRun = j - i;
            best = colours[i];
        }
        i = j;
    }
    return best;
}

// The ink of `area` of `image`, cropped to the box of its inked pixels.
Ink InkOf(const testkit::Image& image, RECT area) {
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    area.right = std::min<LONG>(area.right, image.width);
    area.bottom = std::min<LONG>(area.bottom, image.height);
    Ink ink;
    if (area.right <= area.left || area.bottom <= area.top) {
        return ink;
    }
    const int background = Luminance(BackgroundOf(image, area));
    std::vector<double> darkness;
    double darkest = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const double value = std::max(0, background - Luminance(image.Pixel(x, y)));
            darkness.push_back(value);
            darkest = std::max(darkest, value);
        }
    }
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (darkest == 0) {
        return ink;
    }
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double& value = darkness[static_cast<std::size_t>(y) * width + x];
            value /= darkest;
            if (value >= kInkThreshold) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            ink.values.push_back(darkness[static_cast<std::size_t>(y) * width + x]);
        }
    }
    return ink;
}

// What differs between the text on the screen and its reference drawn
// `scale` times larger; empty when the screen's text is smooth and whole.
std::string BrokenStrokes(const Ink& shown, const Ink& reference, int scale) {
    std::ostringstream faults;
    if (shown.values.empty() || reference.values.empty()) {
        return shown.values.empty() ? "no ink on the screen" : "no ink in the reference";
    }
    const int width = reference.width / scale;
    const int height = reference.height / scale;
    if (std::abs(shown.width - width) > std::max(3, width / 8) || std::abs(shown.height - height) > 2) {
        faults << "ink box " << shown.width << "x" << shown.height << ", reference " << width << "x" << height << "; ";
    }
    double total = 0;
    int inked = 0;
    int partial = 0;
    for (double value : shown.values) {
        total += value;
        inked += value >= kInkThreshold ? 1 : 0;
        partial += value >= kInkThreshold && value <= 1 - kInkThreshold ? 1 : 0;
    }
    double wanted = 0;
    for (double value : reference.values) {
        wanted += value / (scale * scale);
    }
    if (total < kLeastInkShare * wanted || total > kMostInkShare * wanted) {
        faults << "ink " << total << " where the smooth text has " << wanted << "; ";
    }
    if (partial < kLeastSmoothedShare * inked) {
        faults << "only " << partial << " of " << inked << " inked pixels smoothed; ";
    }
    return faults.str();
}

// `text` (GBK) drawn in `font` made kReferenceScale times larger, with
// antialiasing asked for, black on a white bitmap with room around it. At
// that size no font uses hand-made bitmaps or drops a stroke, so shrunk
// back it shows how much ink each row and column of the text should have.
testkit::Image ReferenceText(const std::string& text, LOGFONTA font) {
    font.lfHeight *= kReferenceScale;
    font.lfWidth *= kReferenceScale;
    font.lfQuality = ANTIALIASED_QUALITY;
    const int height = std::abs(static_cast<int>(font.lfHeight)) * 3 + 8;
    const int width = height * static_cast<int>(text.size()) + 16;
    testkit::Image image;
    void* bits = nullptr;
    UniqueGdiObject bitmap = CreateTopDownDib(nullptr, width, height, &bits);
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    UniqueGdiObject smoothed(CreateFontIndirectA(&font));
    if (!bitmap || !dc || !smoothed || bits == nullptr) {
        return image;
    }
    {
        SelectedObject selectedBitmap(dc.get(), bitmap.get());
        SelectedObject selectedFont(dc.get(), smoothed.get());
        RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), RGB(0, 0, 0));
        TextOutA(dc.get(), 4, 4, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
    }
    image.width = width;
    image.height = height;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.argb.assign(pixels, pixels + static_cast<std::ptrdiff_t>(width) * height);
    return image;
}

std::string CheckText(const testkit::Image& screen, const RECT& area, const std::string& text, const LOGFONTA& font) {
    const testkit::Image reference = ReferenceText(text, font);
    return BrokenStrokes(InkOf(screen, area), InkOf(reference, RECT{0, 0, reference.width, reference.height}),
                         kReferenceScale);
}

// The screen's pixels inside `area` (screen coordinates), also saved zoomed
// as `name` for reviewers.
std::optional<testkit::Image> CaptureZoomed(const RECT& area, const std::string& name) {
    std::filesystem::create_directories("screenshots");
    const std::string path = "screenshots\\" + name + ".png";
    if (!testkit::SaveScreenAreaPng(area, path)) {
        return std::nullopt;
    }
    std::optional<testkit::Image> image = testkit::LoadImageFile(path);
    if (image) {
        EXPECT_TRUE(testkit::SaveZoomedPng(*image, kZoom, "screenshots\\" + name + "_zoomed.png"));
    }
    return image;
}

RECT Offset(RECT rect, const RECT& origin) {
    OffsetRect(&rect, -origin.left, -origin.top);
    return rect;
}

// The size the tray menu draws its captions at: the system menu font, at
// least 13 pixels high.
LOGFONTA MenuCaptionFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTA font = metrics.lfMenuFont;
    if (font.lfHeight < 0 && font.lfHeight > -13) {
        font.lfHeight = -13;
    }
    return font;
}

struct ShownItem {
    std::string caption;
    RECT rect;  // screen coordinates
};

TEST(ChineseTextTest, TrayMenuCaptionsHaveEveryStroke) {
    LoaderWindowHarness harness("chinese_text_menu");
    ASSERT_TRUE(harness.Start("127.0.0.1:9"));
    const HWND owner = harness.Handle();
    const HMENU menu = harness.Window().Menu();
    ASSERT_NE(menu, nullptr);

    std::optional<testkit::Image> screen;
    RECT menuRect{};
    std::vector<ShownItem> items;
    std::atomic<bool> seen{false};
    std::thread watcher([&] {
        testkit::WindowQuery query;
        query.className = "#32768";
        query.processId = GetCurrentProcessId();
        query.visibleOnly = true;
        const HWND popup = testkit::WaitForWindow(query, 5000);
        if (popup == nullptr) {
            return;
        }
        Sleep(400);  // let it paint
        menuRect = testkit::WindowRectangle(popup);
        for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            const TrayMenu::Item* item = TrayMenu::ItemAt(menu, static_cast<UINT>(position));
            RECT rect{};  // with no window given, found on the open menu, in screen coordinates
            if (item != nullptr && !item->separator && item->caption.find('&') == std::string::npos &&
                GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect)) {
                items.push_back({item->caption, rect});
            }
        }
        screen = CaptureZoomed(menuRect, "tray_menu_text");
        seen = true;
        testkit::PostToWindow(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    // Opened for the tray icon itself: the menu runs its own loop here until
    // the watcher closes it.
    SendMessageA(owner, kShowTrayMenuMessage, static_cast<WPARAM>(-1), 0);
    watcher.join();
    ASSERT_TRUE(seen.load());
    ASSERT_TRUE(screen.has_value());
    ASSERT_GE(items.size(), 4u);

    const LOGFONTA font = MenuCaptionFont();
    for (const ShownItem& item : items) {
        RECT text = Offset(item.rect, menuRect);
        SCOPED_TRACE(testing::Message() << item.caption << " at " << text.left << "," << text.top << "-" << text.right
                                        << "," << text.bottom);
        text.left += kMenuIconColumn + 2;
        text.right -= kMenuArrowColumn;
        EXPECT_EQ(CheckText(*screen, text, item.caption, font), "");
    }
}

TEST(ChineseTextTest, DialogLabelsInNinePointSongtiHaveEveryStroke) {
    FixtureFolder folder("chinese_text_dialog");
    folder.Write("Data\\module.ini", "[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=0\r\n");
    std::unique_ptr<ShutdownDialog> dialog =
        ShutdownDialog::Open(GetModuleHandleA(nullptr), folder.PathOf("Data\\module.ini"), "定时关机设置");
    ASSERT_NE(dialog, nullptr);
    const HWND window = dialog->Handle();
    ASSERT_NE(window, nullptr);
    testkit::PumpMessages(400);
    const RECT dialogRect = testkit::WindowRectangle(window);
    const std::optional<testkit::Image> screen = CaptureZoomed(dialogRect, "dialog_text");
    ASSERT_TRUE(screen.has_value());

    int labels = 0;
    for (HWND child : testkit::ChildWindows(window)) {
        const std::string text = testkit::WindowText(child);
        const LONG kind = GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        if (testkit::WindowClassName(child) != "Static" || text.empty() || kind == SS_BITMAP || kind == SS_ICON) {
            continue;
        }
        SCOPED_TRACE(text);
        LOGFONTA font{};
        const auto controlFont = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        ASSERT_NE(GetObjectA(controlFont, sizeof font, &font), 0);
        EXPECT_EQ(CheckText(*screen, Offset(testkit::WindowRectangle(child), dialogRect), text, font), "");
        ++labels;
    }
    EXPECT_GE(labels, 3);
}

}  // namespace
