// The entry points the loader calls, on the real library loaded from a
// scratch module folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/win32/tests/widget_library.h"

namespace {

using EntryPointTest = WidgetTest;

std::vector<HWND> CalendarWindows() {
    testkit::WindowQuery query;
    query.title = "ZELLUM-CalendarWindow";
    query.processId = GetCurrentProcessId();
    return testkit::FindTopLevelWindows(query);
}

// Slot `slot` (1-8) of the table read as raw memory, the way a loader built
// elsewhere sees it. The 32-bit product's table is nine 32-bit slots, 36
// bytes: slot n at byte 4n. A 64-bit build keeps the 32-bit size first and
// holds each code address at pointer width after it.
std::uintptr_t SlotValue(const WidgetInterface& table, std::size_t slot) {
#if UINTPTR_MAX == 0xFFFFFFFFu
    static_assert(sizeof(WidgetInterface) == 36);
    std::uint32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const char*>(&table) + 4 * slot, sizeof value);
#else
    static_assert(sizeof(WidgetInterface) == 8 + 8 * sizeof(void*));
    std::uintptr_t value = 0;
    std::memcpy(&value, reinterpret_cast<const char*>(&table) + 8 + (slot - 1) * sizeof(void*), sizeof value);
#endif
    return value;
}

HWND EdgeStrip() {
    testkit::WindowQuery query;
    query.className = "ZELLUM-EdgeStrip";
    query.processId = GetCurrentProcessId();
    query.visibleOnly = true;
    return testkit::FindTopLevelWindow(query);
}

// The preferences dialog as it looks, also four times enlarged so the
// strokes of its 9-point text can be seen.
void SavePreferencesScreenshots(HWND dialog) {
    Sleep(400);  // let it paint
    const std::string path = std::string(WIDGET_SCREENSHOT_DIR) + "/preferences_dialog.png";
    EXPECT_TRUE(testkit::SaveWindowPng(dialog, path));
    const std::optional<testkit::Image> image = testkit::LoadImageFile(path);
    EXPECT_TRUE(image.has_value());
    if (image) {
        EXPECT_TRUE(
            testkit::SaveZoomedPng(*image, 4, std::string(WIDGET_SCREENSHOT_DIR) + "/preferences_dialog_zoomed.png"));
    }
}

TEST_F(EntryPointTest, TableOfAnotherSizeIsRefusedUntouchedAndTheRightOneFilledInOrder) {
    auto bind =
        reinterpret_cast<GetVexaWInterfaceFunction>(reinterpret_cast<void*>(Library().Export("GetVexaWInterface")));
    ASSERT_NE(bind, nullptr);
    EXPECT_EQ(bind(nullptr), 0);

    WidgetInterface refused;
    std::memset(&refused, 0xA5, sizeof refused);
    refused.size = 32;
    WidgetInterface before = refused;
    EXPECT_EQ(bind(&refused), 0);
    EXPECT_EQ(std::memcmp(&refused, &before, sizeof refused), 0);

    WidgetInterface table;
    std::memset(&table, 0, sizeof table);
    table.size = 36;
    ASSERT_EQ(bind(&table), 1);
    EXPECT_EQ(table.size, 36u);
    // Slots 1-8 in the table's order, each the function exported by that name.
    const char* names[] = {"GetMainWnd",   "InitWidget",   "Release",     "Show",
                           "ShowCalendar", "GetPreferWnd", "ChangeSkins", "IsWidgetWorking"};
    for (std::size_t slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(names[slot - 1]);
        FARPROC exported = Library().Export(names[slot - 1]);
        ASSERT_NE(exported, nullptr);
        EXPECT_EQ(SlotValue(table, slot), reinterpret_cast<std::uintptr_t>(exported));
    }
}

TEST_F(EntryPointTest, SecondInitWidgetReturnsZeroAndMakesNoSecondWindow) {
    EXPECT_EQ(Library().entries.IsWidgetWorking(), 0);
    EXPECT_EQ(Library().entries.Show(1), 0);  // not running: nothing to show
    ASSERT_EQ(Start(TestSettings(300, 100)), 1);
    EXPECT_EQ(Library().entries.IsWidgetWorking(), 1);
    EXPECT_EQ(Library().entries.InitWidget(nullptr), 0);
    EXPECT_EQ(CalendarWindows().size(), 1u);
    testkit::WindowQuery clock;
    clock.title = "ZELLUM-ClockWindow";
    clock.processId = GetCurrentProcessId();
    EXPECT_EQ(testkit::FindTopLevelWindows(clock).size(), 1u);

    EXPECT_EQ(Library().entries.Release(0), 1);
    EXPECT_EQ(Library().entries.IsWidgetWorking(), 0);
    EXPECT_TRUE(CalendarWindows().empty());
    EXPECT_EQ(Library().entries.GetMainWnd(), nullptr);
    EXPECT_EQ(Library().entries.Release(0), 1);  // nothing left to release
}

TEST_F(EntryPointTest, WindowIsATopmostToolPopupAtTheSavedPlaceWithTheClockInside) {
    ASSERT_EQ(Start(TestSettings(300, 100)), 1);
    HWND window = WindowHandle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_POPUP, static_cast<LONG>(WS_POPUP));
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    for (LONG bit : std::initializer_list<LONG>{WS_EX_TOOLWINDOW, WS_EX_TOPMOST, WS_EX_LAYERED}) {
        EXPECT_EQ(exStyle & bit, bit);
    }
    EXPECT_EQ(exStyle & WS_EX_TRANSPARENT, 0);
    RECT rect = WindowRect();
    EXPECT_EQ(rect.left, 300);
    EXPECT_EQ(rect.top, 100);
    EXPECT_EQ(rect.right - rect.left, 229);

    HWND clock = Window()->clockWindow();
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(GetWindow(clock, GW_OWNER), window);
    RECT clockRect = testkit::WindowRectangle(clock);
    EXPECT_GE(clockRect.left, rect.left);
    EXPECT_LE(clockRect.right, rect.right);
    EXPECT_GE(clockRect.top, rect.top);
    EXPECT_LE(clockRect.bottom, rect.bottom);
}

TEST_F(EntryPointTest, NegativeSavedLeftOrTopIsPlacedAtZero) {
    struct Case {
        int left, top, expectedLeft, expectedTop;
    };
    for (const Case& c : {Case{-50, 120, 0, 120}, Case{310, -30, 310, 0}, Case{-5, -5, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top);
        ASSERT_EQ(Start(TestSettings(c.left, c.top)), 1);
        RECT rect = WindowRect();
        EXPECT_EQ(rect.left, c.expectedLeft);
        EXPECT_EQ(rect.top, c.expectedTop);
        Library().entries.Release(0);
    }
}

TEST_F(EntryPointTest, ClickThroughAddsTheTransparentStyle) {
    WidgetSettings settings = TestSettings(300, 100);
    settings.clickThrough = 1;
    settings.alwaysOnTop = 0;
    ASSERT_EQ(Start(settings), 1);
    const LONG exStyle = GetWindowLongA(WindowHandle(), GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    EXPECT_EQ(exStyle & WS_EX_TOPMOST, 0);
}

TEST_F(EntryPointTest, HidingToTheEdgeLeavesAFivePixelStripThatShowingRemoves) {
    WidgetSettings settings = TestSettings(300, 10);
    settings.autoHide = 1;
    ASSERT_EQ(Start(settings), 1);
    RECT rect = WindowRect();

    EXPECT_NE(Library().entries.Show(0), 0);  // it was visible
    EXPECT_FALSE(IsWindowVisible(WindowHandle()));
    EXPECT_FALSE(IsWindowVisible(Window()->clockWindow()));
    HWND strip = EdgeStrip();
    ASSERT_NE(strip, nullptr);
    RECT stripRect = testkit::WindowRectangle(strip);
    EXPECT_EQ(stripRect.top, 0);
    EXPECT_EQ(stripRect.bottom - stripRect.top, 5);
    EXPECT_EQ(stripRect.left, rect.left + 21);
    EXPECT_EQ(stripRect.right, rect.right);
    EXPECT_NE(GetWindowLongA(strip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(testkit::WindowText(strip), "");

    // Hiding again keeps the one strip.
    Library().entries.Show(0);
    testkit::WindowQuery strips;
    strips.className = "ZELLUM-EdgeStrip";
    strips.processId = GetCurrentProcessId();
    EXPECT_EQ(testkit::FindTopLevelWindows(strips).size(), 1u);

    EXPECT_NE(Library().entries.Show(1), 0);
    EXPECT_EQ(EdgeStrip(), nullptr);
    EXPECT_TRUE(IsWindowVisible(WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(Window()->clockWindow()));
    RECT shown = WindowRect();
    EXPECT_EQ(shown.left, rect.left);
    EXPECT_EQ(shown.top, rect.top);
}

TEST_F(EntryPointTest, ClickingTheStripBringsTheCalendarBack) {
    WidgetSettings settings = TestSettings(300, 10);
    settings.autoHide = 1;
    ASSERT_EQ(Start(settings), 1);
    Library().entries.Show(0);
    HWND strip = EdgeStrip();
    ASSERT_NE(strip, nullptr);
    SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
    SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(5, 2));
    testkit::PumpMessages(200);  // the strip posts its message
    EXPECT_TRUE(IsWindowVisible(WindowHandle()));
    EXPECT_FALSE(Window()->hidden());
    EXPECT_EQ(EdgeStrip(), nullptr);
}

TEST_F(EntryPointTest, HidingWithoutHideToEdgeLeavesNoStrip) {
    ASSERT_EQ(Start(TestSettings(300, 10)), 1);
    Library().entries.Show(0);
    EXPECT_FALSE(IsWindowVisible(WindowHandle()));
    EXPECT_EQ(EdgeStrip(), nullptr);
}

TEST_F(EntryPointTest, ReleaseWritesTheSettingsAndTheReminders) {
    WidgetSettings settings = TestSettings(320, 140);
    settings.alpha = 200;
    settings.showHolidayDetails = 0;  // read as 1 and saved so
    ReminderItem item = OnceReminder("会议", 2030, 5, 6, 9, 30);
    item.id = 77;
    ASSERT_EQ(Start(settings, {item}), 1);
    Command(kCommandCollapseGrid);
    const RECT rect = WindowRect();
    ASSERT_EQ(Library().entries.Release(0), 1);

    std::optional<std::string> saved = Folder().Read("Alarmcfg.dat");
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->size(), 44u);
    EXPECT_EQ(SettingsFileFields(*saved),
              (std::vector<std::int32_t>{320, 140, 320 + 229, rect.bottom, 0, 200, 0, 0, 1, 1, 0x100}));
    EXPECT_EQ(rect.top, 140);

    std::optional<std::string> reminders = Folder().Read("Calendar.dat");
    ASSERT_TRUE(reminders.has_value());
    std::optional<std::vector<ReminderItem>> items = ReminderFileItems(*reminders);
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0].title, "会议");
    EXPECT_EQ((*items)[0].start, item.start);
}

// The messages 3026 that the test's host window received.
std::vector<MSG> hostReceived;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == 3026) {
        hostReceived.push_back({window, message, wParam, lParam, 0, {}});
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(EntryPointTest, RightClickAsksTheHostForItsMenu) {
    std::vector<MSG>& received = hostReceived;
    received.clear();
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = HostProcedure;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.lpszClassName = "WidgetTestHost";
    RegisterClassA(&hostClass);
    HWND host =
        CreateWindowExA(0, "WidgetTestHost", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, hostClass.hInstance, nullptr);
    ASSERT_NE(host, nullptr);
    ASSERT_EQ(Start(TestSettings(300, 100), {}, host), 1);

    SendMessageA(WindowHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 200));
    EXPECT_TRUE(received.empty());  // the release asks, not the press
    SendMessageA(WindowHandle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 200));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].hwnd, host);
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(received[0].lParam, 0);
    Library().entries.Release(0);
    DestroyWindow(host);
}

TEST_F(EntryPointTest, ChangeSkinsShowsTheWindowWhereItIsWithItsClock) {
    ASSERT_EQ(Start(TestSettings(300, 100)), 1);
    Library().entries.Show(0);
    EXPECT_EQ(Library().entries.ChangeSkins(), 1);
    EXPECT_TRUE(IsWindowVisible(WindowHandle()));
    EXPECT_TRUE(IsWindowVisible(Window()->clockWindow()));
    EXPECT_EQ(WindowRect().left, 300);
    EXPECT_EQ(WindowRect().top, 100);
}

TEST_F(EntryPointTest, PreferencesRunModallyOverTheCalendarAndReturnZero) {
    ASSERT_EQ(Start(TestSettings(300, 100)), 1);
    HWND owner = nullptr;
    std::thread canceller([&owner] {
        testkit::WindowQuery query;
        query.className = "#32770";
        query.processId = GetCurrentProcessId();
        query.visibleOnly = true;
        if (HWND dialog = testkit::WaitForWindow(query, 5000)) {
            owner = GetWindow(dialog, GW_OWNER);
            SavePreferencesScreenshots(dialog);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    WidgetHost host{};
    const int result = Library().entries.GetPreferWnd(&host);
    canceller.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(owner, WindowHandle());
}

}  // namespace
