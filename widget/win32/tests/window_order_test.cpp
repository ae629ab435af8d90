// The windows the calendar owns stay above it whichever way it is shown: the
// first show, the loader's Show (the tray menu), the edge strip, the hot key,
// and a move afterwards. Checked in the window order and on the screen,
// where the clock's own pixels must show, not the calendar's under them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "common/file_io.h"
#include "common/path_util.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/settings/preferences_rules.h"
#include "widget/win32/tests/widget_library.h"

namespace {

// Control+Alt+F12 for the calendar, as the loader's Data\module.ini keeps it.
constexpr char kHotKeySettings[] = "[qvcalendar.dll]\r\nload=1\r\nwModifiers=3\r\nwVirtualKeyCode=123\r\n";

// True when `upper` lies above `lower` among the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND below = GetWindow(upper, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
        if (below == lower) {
            return true;
        }
    }
    return false;
}

// The test's visible top-level windows from the top, by class, for failure
// messages.
std::string StackText() {
    std::string text;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
            text += testkit::WindowClassName(window) +
                    ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? "(topmost) " : " ");
        }
    }
    return text;
}

bool CloseColours(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) {
            return false;
        }
    }
    return true;
}

// What a layered window shows of its pixel on a screen without a
// compositor: nothing under it shows through, its colour is scaled by its
// opacity.
std::uint32_t Premultiplied(std::uint32_t argb) {
    const std::uint32_t alpha = argb >> 24;
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
        result |= (((argb >> shift) & 0xFF) * alpha / 255) << shift;
    }
    return result;
}

std::uint32_t BitmapPixel(Gdiplus::Bitmap& bitmap, int x, int y) {
    Gdiplus::Color colour;
    bitmap.GetPixel(x, y, &colour);
    return colour.GetValue();
}

// What the screen shows where the clock lies, measured on the pixels where
// the clock is opaque and clearly differs from what the calendar would show
// there if it lay on top.
struct ClockOnScreen {
    int telling = 0;     // such pixels
    int clockShown = 0;  // of them, the screen shows the clock's colour
};

class WindowOrderTest : public WidgetTest {
protected:
    // The hot key lives in the loader's Data\module.ini beside the test
    // program, which other tests use too: it is put back afterwards.
    void SetUp() override {
        std::string old;
        if (ReadWholeFile(SettingsPath(), old)) {
            previous_ = old;
        }
        CreateDirectoryA(JoinPath(BuildBinFolder(), "Data").c_str(), nullptr);  // may exist
        ASSERT_EQ(ReplaceFileAtomically(SettingsPath(), kHotKeySettings), 0);
    }

    void TearDown() override {
        WidgetTest::TearDown();
        if (previous_) {
            EXPECT_EQ(ReplaceFileAtomically(SettingsPath(), *previous_), 0);
        } else {
            DeleteFileA(SettingsPath().c_str());  // gone already is as good
        }
    }

    static std::string SettingsPath() { return JoinPath(BuildBinFolder(), "Data\\module.ini"); }

    void PressHotKey() const {
        const ATOM atom = GlobalFindAtomA(HotKeyAtomName(kCalendarHotKeySection).c_str());
        ASSERT_NE(atom, 0);
        SendMessageA(WindowHandle(), WM_HOTKEY, atom, MAKELPARAM(MOD_ALT | MOD_CONTROL, VK_F12));
    }

    void ClickEdgeStrip() const {
        HWND strip = Window()->edgeStrip();
        ASSERT_NE(strip, nullptr);
        SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
        SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(5, 2));
    }

    // The screen over the clock (saved as `name`) against the clock's and
    // the calendar's own pictures.
    ClockOnScreen MeasureClockOnScreen(const std::string& name) const {
        testkit::PumpMessages(300);  // the strip's message, the redraws
        const RECT clock = testkit::WindowRectangle(Window()->clockWindow());
        const RECT calendar = WindowRect();
        const std::string path = std::string(WIDGET_SCREENSHOT_DIR) + "/" + name;
        EXPECT_TRUE(testkit::SaveScreenAreaPng(clock, path));
        const std::optional<testkit::Image> screen = testkit::LoadImageFile(path);
        Gdiplus::Bitmap* clockPicture = Window()->clock().Surface();
        Gdiplus::Bitmap* calendarPicture = Window()->GetBackBuffer();
        ClockOnScreen result;
        if (!screen || clockPicture == nullptr || calendarPicture == nullptr) {
            ADD_FAILURE() << "nothing to compare for " << name;
            return result;
        }
        for (int y = 0; y < std::min<int>(screen->height, clockPicture->GetHeight()); ++y) {
            for (int x = 0; x < std::min<int>(screen->width, clockPicture->GetWidth()); ++x) {
                const int calendarX = clock.left + x - calendar.left;
                const int calendarY = clock.top + y - calendar.top;
                if (calendarX < 0 || calendarY < 0 || calendarX >= static_cast<int>(calendarPicture->GetWidth()) ||
                    calendarY >= static_cast<int>(calendarPicture->GetHeight())) {
                    continue;
                }
                const std::uint32_t own = BitmapPixel(*clockPicture, x, y);
                const std::uint32_t under = Premultiplied(BitmapPixel(*calendarPicture, calendarX, calendarY));
                if ((own >> 24) != 0xFF || CloseColours(own, under, 48)) {
                    continue;
                }
                ++result.telling;
                if (CloseColours(screen->Pixel(x, y), own, 8)) {
                    ++result.clockShown;
                }
            }
        }
        return result;
    }

private:
    std::optional<std::string> previous_;
};

TEST_F(WindowOrderTest, ClockIsAboveTheCalendarAfterEveryWayOfShowingIt) {
    struct Case {
        const char* name;
        bool hideToEdge;
        std::function<void()> hideAndShow;
    };
    const Case cases[] = {
        {"first_show", false, [] {}},
        {"loader_show", false,
         [this] {
             Library().entries.Show(0);
             Library().entries.Show(1);
         }},
        {"edge_strip", true,
         [this] {
             Library().entries.Show(0);
             ClickEdgeStrip();
         }},
        {"hot_key", false,
         [this] {
             PressHotKey();
             EXPECT_FALSE(IsWindowVisible(WindowHandle()));
             PressHotKey();
         }},
        {"moved_after_show", false,
         [this] {
             Library().entries.Show(0);
             Library().entries.Show(1);
             SetWindowPos(WindowHandle(), nullptr, 340, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WidgetSettings settings = TestSettings(300, 10);
        settings.autoHide = c.hideToEdge ? 1 : 0;
        ASSERT_EQ(Start(settings), 1);
        c.hideAndShow();
        testkit::PumpMessages(300);
        ASSERT_TRUE(IsWindowVisible(WindowHandle()));
        const HWND clock = Window()->clockWindow();
        ASSERT_TRUE(IsWindowVisible(clock));
        EXPECT_TRUE(IsAbove(clock, WindowHandle())) << StackText();

        const ClockOnScreen shown = MeasureClockOnScreen(std::string("clock_above_calendar_") + c.name + ".png");
        EXPECT_GE(shown.telling, 200);
        EXPECT_GE(shown.clockShown, shown.telling * 9 / 10);
        Library().entries.Release(0);
    }
}

}  // namespace
