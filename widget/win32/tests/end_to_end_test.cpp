// The installed widget under the real tessary.exe: a scratch program folder
// laid out like dist/, the clock's time server on 127.0.0.1, and the files
// the widget writes when the loader ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/win32/handles.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/time_test_server.h"
#include "testkit/win32/window_helpers.h"
#include "widget/win32/tests/widget_test_folder.h"

namespace {

constexpr unsigned kWaitMs = 15000;
constexpr char kModuleFolder[] = "modules\\Calendar";

class WidgetEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA("QvCalendar Loader Class", nullptr), nullptr) << "a tessary is already running";
        folder_.AddProgram();
        folder_.AddCalendarModule(kModuleFolder);
        folder_.Write("Data\\module.ini", "[qvcalendar.dll]\r\nload=1\r\n");
        folder_.Write("Data\\network.ini",
                      "[hosts]\r\ntimeserver=127.0.0.1:" + std::to_string(timeServer_.Port()) + "\r\n");
    }

    void TearDown() override {
        if (program_ && WaitForSingleObject(program_.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(program_.get(), 1);
            WaitForSingleObject(program_.get(), kWaitMs);
        }
    }

    std::string ModuleFile(const std::string& name) const { return std::string(kModuleFolder) + "\\" + name; }

    UniqueHandle Launch(const std::string& arguments) {
        UniqueHandle started = testkit::StartProgram(folder_.PathOf("tessary.exe"), arguments, folder_.Path());
        if (!started) {
            ADD_FAILURE() << "cannot start tessary.exe: " << GetLastError();
        }
        return started;
    }

    HWND WaitForTitle(const char* title) const {
        testkit::WindowQuery query;
        query.title = title;
        query.processId = GetProcessId(program_.get());
        query.visibleOnly = true;
        return testkit::WaitForWindow(query, kWaitMs);
    }

    testkit::TimeTestServer timeServer_{testkit::TimeReply::Time(1214874000)};  // 2008-07-01 09:00 in Beijing
    WidgetTestFolder folder_{"end_to_end"};
    UniqueHandle program_;
};

TEST_F(WidgetEndToEndTest, CalendarAndClockRunUnderTheLoaderAndTheirFilesAreWrittenAtExit) {
    WidgetSettings settings = TestSettings(400, 120);
    settings.showHolidayDetails = 0;  // read as 1: a saved file holds 1
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(settings));
    std::string reminders = ReminderFileBytes({OnceReminder("年会", 2031, 1, 20, 18, 0)});
    reminders[0] = 0x11;  // a header no save writes
    folder_.Write(ModuleFile("Calendar.dat"), reminders);

    program_ = Launch("");
    ASSERT_TRUE(program_);
    HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);
    HWND clock = WaitForTitle("ZELLUM-ClockWindow");
    ASSERT_NE(clock, nullptr);
    const RECT rect = testkit::WindowRectangle(calendar);
    EXPECT_EQ(rect.left, 400);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right - rect.left, 229);
    const RECT clockRect = testkit::WindowRectangle(clock);
    EXPECT_TRUE(clockRect.left >= rect.left && clockRect.right <= rect.right && clockRect.top >= rect.top &&
                clockRect.bottom <= rect.bottom);

    // The clock asks the configured time server (what it shows cannot be
    // read back from a layered window).
    testkit::Stopwatch watch;
    while (timeServer_.ConnectionCount() == 0 && watch.Milliseconds() < kWaitMs) {
        Sleep(100);
    }
    EXPECT_GE(timeServer_.ConnectionCount(), 1u);
    testkit::PumpMessages(500);
    EXPECT_TRUE(testkit::SaveScreenAreaPng(rect, std::string(WIDGET_SCREENSHOT_DIR) + "/calendar_under_loader.png"));

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(second.get(), kWaitMs), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);

    std::optional<std::string> saved = folder_.Read(ModuleFile("Alarmcfg.dat"));
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->size(), 44u);
    EXPECT_EQ(SettingsFileFields(*saved),
              (std::vector<std::int32_t>{400, 120, 629, rect.bottom, 0, 255, 0, 0, 1, 1, 257}));
    std::optional<std::string> written = folder_.Read(ModuleFile("Calendar.dat"));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->substr(0, 4), std::string("\xC3\x60\x00\x00", 4));
    std::optional<std::vector<ReminderItem>> items = ReminderFileItems(*written);
    ASSERT_TRUE(items.has_value());
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0].title, "年会");
}

TEST_F(WidgetEndToEndTest, TheGlobalHotKeyFromModuleIniTogglesTheCalendar) {
    // Control+Alt+F12 for the calendar, under the section name as the user
    // spelt it: sections are found whatever their case.
    folder_.Write("Data\\module.ini", "[QvCalendar.DLL]\r\nload=1\r\nwModifiers=3\r\nwVirtualKeyCode=123\r\n");
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(TestSettings(400, 120)));
    program_ = Launch("");
    ASSERT_TRUE(program_);
    HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);
    // Just after start the loader shows its first module once more from a
    // timer; let that pass so it does not undo the hide below.
    Sleep(500);

    // The key is registered under the global atom named after its section;
    // the system would post WM_HOTKEY with that atom when it is pressed.
    const ATOM atom = GlobalFindAtomA("{E39CE64E-6267-47b2-8FD7-3D761A8ECCDD}-QvCalendar.DLL");
    ASSERT_NE(atom, 0);
    const auto waitUntilVisible = [&](bool visible) {
        testkit::Stopwatch watch;
        while ((IsWindowVisible(calendar) != FALSE) != visible && watch.Milliseconds() < kWaitMs) {
            Sleep(50);
        }
        return (IsWindowVisible(calendar) != FALSE) == visible;
    };
    PostMessageA(calendar, WM_HOTKEY, atom, MAKELPARAM(MOD_ALT | MOD_CONTROL, VK_F12));
    EXPECT_TRUE(waitUntilVisible(false));
    PostMessageA(calendar, WM_HOTKEY, atom, MAKELPARAM(MOD_ALT | MOD_CONTROL, VK_F12));
    EXPECT_TRUE(waitUntilVisible(true));

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);
    // The loader ended, so its atom went with it.
    EXPECT_EQ(GlobalFindAtomA("{E39CE64E-6267-47b2-8FD7-3D761A8ECCDD}-QvCalendar.DLL"), 0);
}

}  // namespace
