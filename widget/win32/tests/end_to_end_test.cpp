// The installed widget under the real tessary.exe: a scratch program folder
// laid out like dist/, the clock's time server and the weather feed on
// 127.0.0.1, and the files
// the widget writes when the loader ends, and the planner opened the ways
// a user opens it.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "common/path_util.h"
#include "common/win32/handles.h"
#include "controls/tests/win32/sound_files.h"
#include "services/product_identity.h"
#include "testkit/win32/http_test_server.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/time_test_server.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/view/calendar_view.h"
#include "widget/weather/weather_settings.h"
#include "widget/win32/calendar_layout.h"
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
        folder_.Write("Data\\network.ini", "[hosts]\r\ntimeserver=127.0.0.1:" + std::to_string(timeServer_.Port()) +
                                               "\r\nweather=127.0.0.1:" + std::to_string(feed_.Port()) + "\r\n");
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
    testkit::HttpTestServer feed_;
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

// The loader's visible top-level windows whose caption ends in `ending`.
testkit::WindowQuery TitleEndingIn(DWORD processId, const char* ending) {
    return {.titleEnding = ending, .processId = processId, .visibleOnly = true};
}

std::string ControlText(HWND dialog, int control) {
    return testkit::WindowText(GetDlgItem(dialog, control));
}

std::vector<std::string> FileTitles(const std::optional<std::string>& bytes) {
    std::vector<std::string> titles;
    for (const ReminderItem& item : ReminderFileItems(bytes.value_or("")).value_or(std::vector<ReminderItem>{})) {
        titles.push_back(item.title);
    }
    return titles;
}

bool Holds(const std::vector<std::string>& titles, const std::string& title) {
    return std::find(titles.begin(), titles.end(), title) != titles.end();
}

// A user's road: a schedule reminder for the next minute with a program and
// a sound, and a birthday for today, both made in their editors; both alert
// under the loader, and the pop-up deletes the schedule reminder.
TEST_F(WidgetEndToEndTest, RemindersMadeInTheEditorsAlertAtTheirMinuteAndThePopupDeletes) {
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(TestSettings(400, 120)));
    const std::string sound = folder_.PathOf("alert.wav");
    ASSERT_TRUE(sound_files::WriteSilentWave(sound, 300));
    const std::string marker = folder_.PathOf("program_ran.txt");
    SetEnvironmentVariableA("REMINDER_PROGRAM_MARKER", marker.c_str());
    // The reminder is set for the next minute of today: not across midnight.
    if (LocalTime now = ToLocalTime(SystemClock().Now()); now.hour == 23 && now.minute == 59) {
        Sleep(61000);
    }
    program_ = Launch("");
    SetEnvironmentVariableA("REMINDER_PROGRAM_MARKER", nullptr);
    ASSERT_TRUE(program_);
    const DWORD loader = GetProcessId(program_.get());
    HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);

    SendMessageA(calendar, WM_COMMAND, kMenuNewSchedule, 0);
    HWND schedule = testkit::WaitForWindow(TitleEndingIn(loader, "－日程提醒设置"), kWaitMs);
    ASSERT_NE(schedule, nullptr);
    const LocalTime next = ToLocalTime(SystemClock().Now() + 60);
    SetDlgItemTextA(schedule, 6000, "周报");
    SetDlgItemTextA(schedule, 6005, std::to_string(next.hour).c_str());
    SetDlgItemTextA(schedule, 6008, std::to_string(next.minute).c_str());
    SetDlgItemTextA(schedule, 6024, JoinPath(BuildBinFolder(), "reminder_program_fixture.exe").c_str());
    SetDlgItemTextA(schedule, 6026, sound.c_str());
    SendMessageA(schedule, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Holds(FileTitles(folder_.Read(ModuleFile("Calendar.dat"))), "周报"));

    SendMessageA(calendar, WM_COMMAND, kMenuNewBirthday, 0);
    HWND birthday = testkit::WaitForWindow(TitleEndingIn(loader, "－生日提醒设置"), kWaitMs);
    ASSERT_NE(birthday, nullptr);
    SetDlgItemTextA(birthday, 6026, "小明");
    SendMessageA(birthday, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Holds(FileTitles(folder_.Read(ModuleFile("Calendar.dat"))), "小明"));

    // Both alert within the minute after they were made (and a little more
    // for the alarm clock's once-a-second check).
    HWND schedulePopup = nullptr;
    HWND birthdayPopup = nullptr;
    testkit::Stopwatch watch;
    while ((schedulePopup == nullptr || birthdayPopup == nullptr) && watch.Milliseconds() < 140000) {
        for (HWND popup : testkit::FindTopLevelWindows(TitleEndingIn(loader, "－日程提醒"))) {
            const std::string title = ControlText(popup, 6049);
            if (title == "提醒标题：周报") {
                schedulePopup = popup;
            } else if (title == "提醒标题：小明生日") {
                birthdayPopup = popup;
            }
        }
        Sleep(500);
    }
    ASSERT_NE(schedulePopup, nullptr);
    ASSERT_NE(birthdayPopup, nullptr);
    char expectedTime[64];
    std::snprintf(expectedTime, sizeof expectedTime, "提醒时间：%04d年%02d月%02d日", next.year, next.month, next.day);
    EXPECT_EQ(ControlText(schedulePopup, 6050).rfind(expectedTime, 0), 0u) << ControlText(schedulePopup, 6050);
    char minute[8];
    std::snprintf(minute, sizeof minute, " %02d:%02d", next.hour, next.minute);
    EXPECT_NE(ControlText(schedulePopup, 6050).find(minute), std::string::npos) << ControlText(schedulePopup, 6050);
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the reminder's program did not run";
    EXPECT_TRUE(
        testkit::SaveWindowPng(schedulePopup, std::string(WIDGET_SCREENSHOT_DIR) + "/reminder_popup_under_loader.png"));

    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, kWaitMs, loader);
        PostMessageA(schedulePopup, WM_COMMAND, 4, 0);
        ASSERT_TRUE(answerer.Result().has_value());
        EXPECT_EQ(answerer.Result()->text, kDeleteReminderQuestion);
    }
    watch = testkit::Stopwatch();
    while (Holds(FileTitles(folder_.Read(ModuleFile("Calendar.dat"))), "周报") && watch.Milliseconds() < kWaitMs) {
        Sleep(200);
    }
    const std::vector<std::string> left = FileTitles(folder_.Read(ModuleFile("Calendar.dat")));
    EXPECT_FALSE(Holds(left, "周报"));
    EXPECT_TRUE(Holds(left, "小明"));

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);
}

}  // namespace

namespace {

// The loader's window and its menu commands for the planner.
constexpr char kLoaderClass[] = "QvCalendar Loader Class";
constexpr WPARAM kShowCalendarCommand = 64903;  // 显示桌面日历
constexpr WPARAM kShowPlannerCommand = 64904;   // 显示日程提醒表...
constexpr WPARAM kHideAllCommand = 64901;       // 全部隐藏

// Waits until `window` is visible or not.
bool WaitUntilVisible(HWND window, bool visible) {
    testkit::Stopwatch watch;
    while ((IsWindowVisible(window) != FALSE) != visible && watch.Milliseconds() < kWaitMs) {
        Sleep(50);
    }
    return (IsWindowVisible(window) != FALSE) == visible;
}

}  // namespace

TEST_F(WidgetEndToEndTest, ThePlannerOpensFromTheLoaderTheHotKeyAndTheCalendarsTitle) {
    // Control+Alt+F11 shows and hides the planner.
    folder_.Write("Data\\module.ini",
                  "[qvcalendar.dll]\r\nload=1\r\n[sch.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=122\r\n");
    WidgetSettings settings = TestSettings(400, 120);
    settings.fixedPosition = 1;  // a press on the title would start moving the window
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(settings));
    const LocalTime now = ToLocalTime(SystemClock().Now());
    ReminderItem birthday = NewBirthdayReminder({now.year, now.month, now.day}, SystemClock().Now());
    birthday.title = "小红";
    birthday.param = 2;
    folder_.Write(ModuleFile("Calendar.dat"),
                  ReminderFileBytes({OnceReminder("项目周会", now.year, now.month, now.day, 10, 0), birthday}));
    program_ = Launch("");
    ASSERT_TRUE(program_);
    const HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);
    Sleep(500);  // the loader's first show from its timer passes
    const DWORD loader = GetProcessId(program_.get());
    const HWND loaderWindow = FindWindowA(kLoaderClass, nullptr);
    ASSERT_NE(loaderWindow, nullptr);

    // The loader's menu command calls ShowCalendar(1), 全部隐藏 ShowCalendar(0).
    PostMessageA(loaderWindow, WM_COMMAND, kShowPlannerCommand, 0);
    const HWND planner = testkit::WaitForWindow(TitleEndingIn(loader, "－日程提醒表"), kWaitMs);
    ASSERT_NE(planner, nullptr);
    EXPECT_TRUE(IsZoomed(planner));
    testkit::PumpMessages(500);
    EXPECT_TRUE(testkit::SaveWindowPng(planner, std::string(WIDGET_SCREENSHOT_DIR) + "/planner_under_loader.png"));
    PostMessageA(loaderWindow, WM_COMMAND, kHideAllCommand, 0);
    EXPECT_TRUE(WaitUntilVisible(planner, false));

    const ATOM atom = GlobalFindAtomA("{E39CE64E-6267-47b2-8FD7-3D761A8ECCDD}-sch.dll");
    ASSERT_NE(atom, 0);
    PostMessageA(calendar, WM_HOTKEY, atom, MAKELPARAM(MOD_ALT | MOD_CONTROL, VK_F11));
    EXPECT_TRUE(WaitUntilVisible(planner, true));
    PostMessageA(calendar, WM_HOTKEY, atom, MAKELPARAM(MOD_ALT | MOD_CONTROL, VK_F11));
    EXPECT_TRUE(WaitUntilVisible(planner, false));

    // Two presses on the calendar's title text, quickly: a double click.
    PostMessageA(loaderWindow, WM_COMMAND, kShowCalendarCommand, 0);
    ASSERT_TRUE(WaitUntilVisible(calendar, true));
    const LayoutRect title = LayOutCalendar({}).title;
    const LPARAM point = MAKELPARAM(title.x + title.width / 2, title.y + title.height / 2);
    for (int press = 0; press < 2; ++press) {
        PostMessageA(calendar, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(calendar, WM_LBUTTONUP, 0, point);
    }
    EXPECT_TRUE(WaitUntilVisible(planner, true));

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);
}

namespace {

// A forecast document of the feed for the day ending tomorrow at 08:00.
std::string TomorrowsForecast(const std::string& city) {
    LocalTime end = ToLocalTime(static_cast<Moment>(std::time(nullptr)));
    end.day += 1;
    end.hour = 8;
    end.minute = end.second = 0;
    const LocalTime normal = ToLocalTime(FromLocalTime(end));
    char endTime[32];
    std::snprintf(endTime, sizeof endTime, "%04d-%02d-%02d 08:00:00", normal.year, normal.month, normal.day);
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<weather><city>" + city +
           "</city><description>多云</description><skycode1>1</skycode1><skycode2>1</skycode2>"
           "<mintemperature>22</mintemperature><maxtemperature>30</maxtemperature><endtime>" +
           endTime + "</endtime><winddirection>东南风</winddirection><windpower>2级</windpower></weather>";
}

}  // namespace

TEST_F(WidgetEndToEndTest, TheWeatherSectionShowsTheServedForecast) {
    WeatherSettings weather;
    weather.cityName = "上海";
    folder_.Write(ModuleFile("Weathercfg.dat"), EncodeWeatherSettings(weather));
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(TestSettings(400, 120)));
    feed_.SetResponse("/weather/58367_24.xml", {.body = TomorrowsForecast("上海")});
    feed_.SetResponse("/weather/58367_48.xml", {.body = TomorrowsForecast("上海")});
    program_ = Launch("");
    ASSERT_TRUE(program_);
    const HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);
    const HWND clock = WaitForTitle("ZELLUM-ClockWindow");
    ASSERT_NE(clock, nullptr);

    // Once the forecast is shown the short layout puts the clock 80 + 38
    // pixels below the calendar's top (52 + 38 while it loads).
    testkit::Stopwatch watch;
    auto clockOffset = [&] { return testkit::WindowRectangle(clock).top - testkit::WindowRectangle(calendar).top; };
    while (clockOffset() != 80 + 38 && watch.Milliseconds() < kWaitMs) {
        Sleep(100);
    }
    EXPECT_EQ(clockOffset(), 80 + 38);
    EXPECT_EQ(feed_.Requests().size(), 2u);
    EXPECT_EQ(folder_.Read(ModuleFile("Data\\58367_24.xml")), TomorrowsForecast("上海"));
    testkit::PumpMessages(500);
    EXPECT_TRUE(testkit::SaveScreenAreaPng(testkit::WindowRectangle(calendar),
                                           std::string(WIDGET_SCREENSHOT_DIR) + "/weather_under_loader.png"));

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);
}

namespace {

// The screen under `area` as pixels (through a PNG in the screenshots
// folder, which also keeps it for the reviewers).
std::optional<testkit::Image> ScreenPixels(const RECT& area, const std::string& name) {
    const std::string path = std::string(WIDGET_SCREENSHOT_DIR) + "/" + name;
    if (!testkit::SaveScreenAreaPng(area, path)) {
        return std::nullopt;
    }
    return testkit::LoadImageFile(path);
}

std::size_t DifferingPixels(const testkit::Image& a, const testkit::Image& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < std::min(a.argb.size(), b.argb.size()); ++i) {
        count += a.argb[i] != b.argb[i] ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST_F(WidgetEndToEndTest, ASkinChosenInTheSkinDialogRedrawsTheCalendarAtOnce) {
    folder_.Write("Data\\module.ini", "[qvcalendar.dll]\r\nload=1\r\nskins=SkinsDefault\r\n");
    folder_.Write(ModuleFile("Alarmcfg.dat"), SettingsFileBytes(TestSettings(40, 40)));
    program_ = Launch("");
    ASSERT_TRUE(program_);
    const HWND calendar = WaitForTitle("ZELLUM-CalendarWindow");
    ASSERT_NE(calendar, nullptr);
    testkit::PumpMessages(500);
    const RECT area = testkit::WindowRectangle(calendar);
    const std::optional<testkit::Image> before = ScreenPixels(area, "calendar_before_skin_change.png");
    ASSERT_TRUE(before);

    const HWND loader = FindWindowA("QvCalendar Loader Class", nullptr);
    ASSERT_NE(loader, nullptr);
    PostMessageA(loader, WM_COMMAND, 70000, 0);  // 更换皮肤...
    const HWND dialog = WaitForTitle("泽鲁桌面日历V4.0－更换皮肤");
    ASSERT_NE(dialog, nullptr);
    // Keep the dialog clear of the calendar: without a window manager a
    // later window may be drawn over an earlier topmost one.
    const RECT dialogRect = testkit::WindowRectangle(dialog);
    SetWindowPos(dialog, nullptr, area.right + 20, dialogRect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    testkit::PumpMessages(500);

    // A thumbnail that is not lit (not the current skin) is another skin.
    HWND other = nullptr;
    for (HWND child : testkit::ChildWindows(dialog)) {
        if (testkit::WindowClassName(child) != "CZellumThumbButton") {
            continue;
        }
        const std::optional<testkit::Image> face = ScreenPixels(testkit::WindowRectangle(child), "thumbnail.png");
        ASSERT_TRUE(face);
        if ((face->Pixel(4, 4) & 0xFFFFFF) == 0xF8FF7B) {  // the unlit ground
            other = child;
            break;
        }
    }
    ASSERT_NE(other, nullptr) << "no thumbnail of another skin";
    SendMessageA(other, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(other, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(IsWindow(dialog));

    const std::optional<std::string> settings = folder_.Read("Data\\module.ini");
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->find("skins=SkinsDefault"), std::string::npos) << *settings;
    EXPECT_NE(settings->find("skins=Skins"), std::string::npos) << *settings;
    testkit::PumpMessages(500);
    const std::optional<testkit::Image> after = ScreenPixels(area, "calendar_after_skin_change.png");
    ASSERT_TRUE(after);
    // The background of the whole card changes with the skin.
    EXPECT_GT(DifferingPixels(*before, *after), before->argb.size() / 4);

    UniqueHandle second = Launch("exit");
    ASSERT_TRUE(second);
    EXPECT_EQ(WaitForSingleObject(program_.get(), kWaitMs), WAIT_OBJECT_0);
}
