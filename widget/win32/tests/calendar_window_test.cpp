// The calendar window on the real library: navigation, the panel's
// commands and reminder messages, the pop-up menu, and what it draws.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "common/local_time.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/win32/tests/widget_library.h"

namespace {

using CalendarWindowTest = WidgetTest;

GregorianDate Today() {
    LocalTime now = ToLocalTime(SystemClock().Now());
    return {now.year, now.month, now.day};
}

std::uint32_t IdOfTitle(const CCalendarWindow& window, const std::string& title) {
    for (const auto& [id, item] : window.reminders().items()) {
        if (item.title == title) {
            return id;
        }
    }
    return 0;
}

std::vector<std::string> Titles(const ReminderMap& items) {
    std::vector<std::string> titles;
    for (const auto& [id, item] : items) {
        titles.push_back(item.title);
    }
    std::sort(titles.begin(), titles.end());
    return titles;
}

std::vector<std::string> FileTitles(const std::string& bytes) {
    std::optional<std::vector<ReminderItem>> items = ReminderFileItems(bytes);
    EXPECT_TRUE(items.has_value());
    std::vector<std::string> titles;
    for (const ReminderItem& item : items.value_or(std::vector<ReminderItem>{})) {
        titles.push_back(item.title);
    }
    std::sort(titles.begin(), titles.end());
    return titles;
}

// Moves the calendar to a month by year steps and the month menu's command.
void ShowMonth(const CCalendarWindow& window, int year, int month) {
    for (int steps = 0; steps < 200 && window.view().selected().year != year; ++steps) {
        SendMessageA(window.GetSafeHwnd(), WM_COMMAND,
                     window.view().selected().year < year ? kCommandNextYear : kCommandPreviousYear, 0);
    }
    SendMessageA(window.GetSafeHwnd(), WM_COMMAND, kMenuFirstMonth + static_cast<std::uint32_t>(month - 1), 0);
}

// The centre of day `day`'s cell, in window pixels.
POINT CentreOfDay(const CCalendarWindow& window, int day) {
    GridCell cell = CellOfDay(window.view().days(), day);
    const LayoutRect& grid = window.layout().grid;
    return {grid.x + cell.column * kDayCellWidth + kDayCellWidth / 2,
            grid.y + cell.row * kDayCellHeight + kDayCellHeight / 2};
}

// How many opaque pixels of day `day`'s tile in numbers.png row `tileY`
// differ from what the window drew; -1 when the tile has too few opaque
// pixels to tell (the plain rows have only their number's strokes).
int TileMismatches(CCalendarWindow& window, const testkit::Image& numbers, int day, int tileY) {
    GridCell cell = CellOfDay(window.view().days(), day);
    const LayoutRect& grid = window.layout().grid;
    const int left = grid.x + cell.column * kDayCellWidth + (kDayCellWidth - kDayTileSize) / 2;
    const int top = grid.y + cell.row * kDayCellHeight;
    Gdiplus::Bitmap* drawn = window.GetBackBuffer();
    int opaque = 0;
    int mismatches = 0;
    for (int y = 0; y < kDayTileSize; ++y) {
        for (int x = 0; x < kDayTileSize; ++x) {
            const std::uint32_t expected = numbers.Pixel(DayTileX(day) + x, tileY + y);
            if ((expected >> 24) != 0xFF) {
                continue;
            }
            ++opaque;
            Gdiplus::Color colour;
            drawn->GetPixel(left + x, top + y, &colour);
            if (colour.GetValue() != expected) {
                ++mismatches;
            }
        }
    }
    return opaque < 5 ? -1 : mismatches;
}

testkit::Image Numbers() {
    std::optional<testkit::Image> numbers =
        testkit::LoadImageFile(std::string(WIDGET_ART_DIR) + "/modules/Calendar/Commskins/numbers.png");
    EXPECT_TRUE(numbers.has_value());
    return numbers.value_or(testkit::Image{});
}

void SaveScreenshot(HWND window, const char* name) {
    testkit::PumpMessages(300);
    EXPECT_TRUE(testkit::SaveWindowPng(window, std::string(WIDGET_SCREENSHOT_DIR) + "/" + name));
}

TEST_F(CalendarWindowTest, YearNavigationStopsAt2050And1900KeepingMonthAndDay) {
    struct Case {
        std::uint32_t command;
        int limit;
    };
    for (const Case& c : {Case{kCommandNextYear, 2050}, Case{kCommandPreviousYear, 1900}}) {
        SCOPED_TRACE(c.limit);
        ASSERT_EQ(Start(TestSettings(300, 60)), 1);
        const GregorianDate today = Today();
        for (int steps = 0; steps < 200 && Window()->view().selected().year != c.limit; ++steps) {
            Command(c.command);
        }
        ASSERT_EQ(Window()->view().selected().year, c.limit);
        ASSERT_TRUE(ClickHitArea(c.command));  // one more press, from the button itself
        const GregorianDate shown = Window()->view().selected();
        EXPECT_EQ(shown.year, c.limit);
        EXPECT_EQ(shown.month, today.month);
        EXPECT_EQ(shown.day, std::min(today.day, DaysInMonth(c.limit, today.month)));
        Library().entries.Release(0);
    }
}

TEST_F(CalendarWindowTest, DeletingFromThePanelAsksAndCancelKeepsTheReminder) {
    const GregorianDate today = Today();
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceReminder("待删除", today.year, today.month, today.day, 10, 0),
                                            OnceReminder("保留", today.year, today.month, today.day, 11, 0)}),
              1);
    const std::string before = Folder().Read("Calendar.dat").value_or("");
    const std::uint32_t id = IdOfTitle(*Window(), "待删除");
    ASSERT_NE(id, 0u);
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDCANCEL);
        ASSERT_TRUE(ClickHitArea(kDeleteReminderCommandBase + id));
        std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
        ASSERT_TRUE(dialog.has_value());
        EXPECT_TRUE(dialog->captionMatched);
        EXPECT_EQ(dialog->text, "真的要删除该日程提醒吗？");
        EXPECT_EQ(dialog->ButtonIds(), (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kQuestion);
        EXPECT_EQ(dialog->owner, WindowHandle());
    }
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"保留", "待删除"}));
    EXPECT_EQ(Folder().Read("Calendar.dat"), before);

    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK);
        ASSERT_TRUE(ClickHitArea(kDeleteReminderCommandBase + id));
        ASSERT_TRUE(answerer.Result().has_value());
    }
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"保留"}));
    EXPECT_EQ(FileTitles(Folder().Read("Calendar.dat").value_or("")), (std::vector<std::string>{"保留"}));
    const std::vector<PanelLine>& lines = Window()->view().panelLines();
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_FALSE(ClickHitArea(kDeleteReminderCommandBase + id));
}

TEST_F(CalendarWindowTest, ReminderMessagesDeleteReloadAndPurge) {
    const GregorianDate today = Today();
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceReminder("甲", today.year, today.month, today.day, 8, 0),
                                            OnceReminder("乙", 2031, 1, 2, 8, 0)}),
              1);
    HWND window = WindowHandle();

    // Without the question.
    SendMessageA(window, RM_DELETE, IdOfTitle(*Window(), "甲"), 0);
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"乙"}));
    EXPECT_EQ(FileTitles(Folder().Read("Calendar.dat").value_or("")), (std::vector<std::string>{"乙"}));

    // A restored file replaces what the store held: nothing twice.
    Folder().Write("Calendar.dat",
                   ReminderFileBytes({OnceReminder("乙", 2031, 1, 2, 8, 0), OnceReminder("丙", 2031, 1, 3, 8, 0)}));
    SendMessageA(window, RM_RELOAD, 0, 0);
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"丙", "乙"}));
    EXPECT_EQ(FileTitles(Folder().Read("Calendar.dat").value_or("")), (std::vector<std::string>{"丙", "乙"}));

    // A file that cannot be read changes nothing.
    DeleteFileA(Folder().PathOf("Calendar.dat").c_str());
    SendMessageA(window, RM_RELOAD, 0, 0);
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"丙", "乙"}));

    // A past once reminder goes with a purge; the file waits for the next save.
    Folder().Write("Calendar.dat",
                   ReminderFileBytes({OnceReminder("旧", 2001, 1, 1, 8, 0), OnceReminder("丙", 2031, 1, 3, 8, 0)}));
    SendMessageA(window, RM_RELOAD, 0, 0);
    const std::string reloaded = Folder().Read("Calendar.dat").value_or("");
    SendMessageA(window, RM_PURGE, 0, 0);
    EXPECT_EQ(Titles(Window()->reminders().items()), (std::vector<std::string>{"丙"}));
    EXPECT_EQ(Folder().Read("Calendar.dat"), reloaded);
}

TEST_F(CalendarWindowTest, NewAndEditCommandsPrepareTheEditorsRecord) {
    const GregorianDate today = Today();
    ReminderItem stored = OnceReminder("周会", today.year, today.month, today.day, 15, 0);
    stored.content = "议程";
    ASSERT_EQ(Start(TestSettings(300, 60), {stored}), 1);

    ASSERT_TRUE(ClickHitArea(kCommandNewSchedule));
    ASSERT_TRUE(Window()->editorRecord().has_value());
    EXPECT_EQ(Window()->editorRecord()->kind, static_cast<std::uint32_t>(KindOnce));
    EXPECT_EQ(Window()->editorRecord()->title, "请输入标题");
    EXPECT_EQ(Window()->editorRecord()->content, "请输入详细内容");

    Command(kMenuNewBirthday);
    ASSERT_TRUE(Window()->editorRecord().has_value());
    EXPECT_EQ(Window()->editorRecord()->kind, static_cast<std::uint32_t>(KindBirthday));
    EXPECT_EQ(Window()->editorRecord()->title, "请输入好友姓名");
    LocalTime birthday = ToLocalTime(Window()->editorRecord()->start);
    EXPECT_EQ((GregorianDate{birthday.year, birthday.month, birthday.day}), today);

    const std::uint32_t id = IdOfTitle(*Window(), "周会");
    ASSERT_TRUE(ClickHitArea(kOpenReminderCommandBase + id));
    ASSERT_TRUE(Window()->editorRecord().has_value());
    EXPECT_EQ(Window()->editorRecord()->title, "周会");
    EXPECT_EQ(Window()->editorRecord()->content, "议程");
}

TEST_F(CalendarWindowTest, CollapsingSectionsShrinksTheWindowAndHidesTheirButtons) {
    const GregorianDate today = Today();
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceReminder("甲", today.year, today.month, today.day, 8, 0)}), 1);
    const int fullHeight = WindowRect().bottom - WindowRect().top;
    EXPECT_EQ(fullHeight, Window()->layout().height);

    ASSERT_TRUE(ClickHitArea(kCommandCollapseGrid));
    EXPECT_TRUE(Window()->layout().grid.Empty());
    const int withoutGrid = WindowRect().bottom - WindowRect().top;
    EXPECT_LT(withoutGrid, fullHeight);
    EXPECT_EQ(WindowRect().top, 60);  // it shrinks from the bottom

    ASSERT_TRUE(ClickHitArea(kCommandCollapseReminders));
    EXPECT_TRUE(Window()->layout().reminderLines.empty());
    EXPECT_LT(WindowRect().bottom - WindowRect().top, withoutGrid);
    const std::uint32_t id = IdOfTitle(*Window(), "甲");
    EXPECT_FALSE(ClickHitArea(kDeleteReminderCommandBase + id));

    ASSERT_TRUE(ClickHitArea(kCommandExpandGrid));
    ASSERT_TRUE(ClickHitArea(kCommandExpandReminders));
    EXPECT_EQ(WindowRect().bottom - WindowRect().top, fullHeight);
}

TEST_F(CalendarWindowTest, PointerOverADayShowsItsTextUntilItLeaves) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    const int day = Window()->view().selected().day == 15 ? 16 : 15;
    POINT centre = CentreOfDay(*Window(), day);
    SendMessageA(WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(Window()->view().hoverDay(), day);
    EXPECT_EQ(Window()->view().InformationLine(), Window()->view().days()[static_cast<std::size_t>(day - 1)].text);
    SendMessageA(WindowHandle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Window()->view().hoverDay(), 0);
}

TEST_F(CalendarWindowTest, MonthMenuChoiceKeepsYearAndTakesTheLastDayOfAShorterMonth) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    Command(kMenuFirstMonth);  // January
    POINT day31 = CentreOfDay(*Window(), 31);
    Click(day31.x, day31.y);
    const int year = Window()->view().selected().year;
    ASSERT_EQ(Window()->view().selected(), (GregorianDate{year, 1, 31}));

    // Chooses the menu's second item with the keyboard, as a user would.
    std::thread chooser([] {
        testkit::WindowQuery query;
        query.className = "#32768";
        query.processId = GetCurrentProcessId();
        query.visibleOnly = true;
        if (HWND menu = testkit::WaitForWindow(query, 5000)) {
            for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
                PostMessageA(menu, WM_KEYDOWN, key, 0);
            }
        }
    });
    const bool clicked = ClickHitArea(kCommandMonthMenu);
    chooser.join();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(Window()->view().selected(), (GregorianDate{year, 2, DaysInMonth(year, 2)}));
}

TEST_F(CalendarWindowTest, August2008DrawsEachDayWithTheTileOfItsState) {
    ASSERT_EQ(Start(TestSettings(300, 40), {OnceReminder("体检", 2008, 8, 12, 10, 0)}), 1);
    ShowMonth(*Window(), 2008, 8);
    POINT day8 = CentreOfDay(*Window(), 8);
    Click(day8.x, day8.y);
    ASSERT_EQ(Window()->view().selected(), (GregorianDate{2008, 8, 8}));
    EXPECT_EQ(Window()->view().monthRows(), 6);
    EXPECT_EQ(Window()->layout().grid.height, 6 * kDayCellHeight);

    const testkit::Image numbers = Numbers();
    struct Case {
        int day;
        int tileY;
    };
    // Selected; an ordinary Wednesday; a Saturday; a day with a reminder.
    for (const Case& c : {Case{8, 84}, Case{6, 126}, Case{9, 42}, Case{12, 147}}) {
        SCOPED_TRACE(c.day);
        EXPECT_EQ(TileMismatches(*Window(), numbers, c.day, c.tileY), 0);
    }
    SaveScreenshot(WindowHandle(), "calendar_2008_08.png");
}

TEST_F(CalendarWindowTest, TodayWithRemindersAndAHolidayShowsThemAll) {
    const GregorianDate today = Today();
    const std::string shippedHolidays = Folder().Read("holiday.dat").value_or("");
    char holiday[160];
    std::snprintf(holiday, sizeof holiday, "NORMAL,%d,%d,2000,测试纪念日\r\n", today.month, today.day);
    Folder().Write("holiday.dat", shippedHolidays + "\r\n" + holiday +
                                      "为检验日历窗口而设的纪念日，说明文字较长，需要折成几行显示。\r\n");
    ReminderItem birthday;
    birthday.title = "小明";
    birthday.kind = KindBirthday;
    birthday.param = 1;
    birthday.start = FromLocalTime({today.year, today.month, today.day, 23, 59, 59, 0});
    const int started =
        Start(TestSettings(300, 40), {OnceReminder("晨会", today.year, today.month, today.day, 9, 0),
                                      OnceReminder("项目评审", today.year, today.month, today.day, 14, 30), birthday});
    Folder().Write("holiday.dat", shippedHolidays);
    ASSERT_EQ(started, 1);

    EXPECT_EQ(Window()->view().selected(), today);
    ASSERT_FALSE(Window()->layout().holidays.empty());
    EXPECT_GT(Window()->layout().holidays.back().description.height, 14);  // measured, wrapped
    EXPECT_EQ(Window()->layout().reminderLines.size(), 3u);
    // The selected day with a reminder.
    EXPECT_EQ(TileMismatches(*Window(), Numbers(), today.day, 105), 0);
    SaveScreenshot(WindowHandle(), "calendar_today.png");
}

}  // namespace

namespace {

// The pointer watch begins 5 s after the window shows, then looks each second.
constexpr unsigned kWatchStartMs = 6500;
constexpr unsigned kWatchTickMs = 1500;

void PointerTo(int x, int y) {
    ASSERT_TRUE(SetCursorPos(x, y));
}

TEST_F(CalendarWindowTest, PointerLeavingSavesAndHidesAWindowNearTheTop) {
    WidgetSettings settings = TestSettings(300, 10);
    settings.autoHide = 1;
    ASSERT_EQ(Start(settings), 1);
    const RECT rect = WindowRect();
    PointerTo(rect.left + 100, rect.top + 200);
    Command(kCommandCollapseReminders);
    testkit::PumpMessages(kWatchStartMs);
    EXPECT_TRUE(IsWindowVisible(WindowHandle()));  // the pointer is over it

    PointerTo(rect.right + 200, rect.bottom + 50);
    testkit::PumpMessages(kWatchTickMs);
    EXPECT_FALSE(IsWindowVisible(WindowHandle()));
    EXPECT_NE(Window()->edgeStrip(), nullptr);
    std::vector<std::int32_t> saved = SettingsFileFields(Folder().Read("Alarmcfg.dat").value_or(""));
    ASSERT_EQ(saved.size(), 11u);
    EXPECT_EQ(saved[0], rect.left);
    EXPECT_EQ(saved[1], rect.top);
    EXPECT_EQ(saved[10], static_cast<std::int32_t>(kLayoutGridExpanded));
}

TEST_F(CalendarWindowTest, SavesFailingBehindTheUsersBackAreReportedOnce) {
    ASSERT_EQ(Start(TestSettings(300, 100)), 1);
    // Calendar.dat cannot be replaced while a folder has its name.
    const std::string reminders = Folder().PathOf("Calendar.dat");
    ASSERT_TRUE(DeleteFileA(reminders.c_str()));
    ASSERT_TRUE(CreateDirectoryA(reminders.c_str(), nullptr));
    const RECT rect = WindowRect();
    PointerTo(rect.left + 100, rect.top + 200);
    testkit::PumpMessages(kWatchStartMs);
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 5000);
        PointerTo(rect.right + 200, rect.bottom + 50);
        testkit::PumpMessages(kWatchTickMs);
        std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
        ASSERT_TRUE(dialog.has_value());
        EXPECT_EQ(dialog->text, "无法保存日历设置或日程提醒，请检查日历所在的文件夹是否可以写入！");
        EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kWarning);
    }
    PointerTo(rect.left + 100, rect.top + 200);
    testkit::PumpMessages(kWatchTickMs);
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 2500);
        PointerTo(rect.right + 200, rect.bottom + 50);
        testkit::PumpMessages(kWatchTickMs);
        EXPECT_FALSE(answerer.Result().has_value());
    }
    // A change the user makes (here a confirmed delete) is reported again.
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 5000);
        SendMessageA(WindowHandle(), RM_DELETE, 12345, 0);
        EXPECT_TRUE(answerer.Result().has_value());
    }
    Library().entries.Release(0);
    RemoveDirectoryA(reminders.c_str());
}

TEST_F(CalendarWindowTest, FixedWindowStaysAtItsSavedPlace) {
    WidgetSettings settings = TestSettings(300, 100);
    settings.fixedPosition = 1;
    ASSERT_EQ(Start(settings), 1);
    SetWindowPos(WindowHandle(), nullptr, 500, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WindowRect().left, 300);
    EXPECT_EQ(WindowRect().top, 100);
}

}  // namespace
