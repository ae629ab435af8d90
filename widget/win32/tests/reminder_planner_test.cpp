// The reminder planner on the real library: opened and hidden through
// ShowCalendar and from the calendar's title, its month steps and today
// view, the day's cells and detail list kept up to date with the
// reminders, and deleting a whole day.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "common/path_util.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/window_helpers.h"
#include "widget/planner/win32/planner_grid_control.h"
#include "widget/planner/win32/planner_resources.h"
#include "widget/win32/tests/widget_library.h"

namespace {

using ReminderPlannerTest = WidgetTest;

constexpr int kScheduleTitle = 6000;

GregorianDate Today() {
    const LocalTime now = ToLocalTime(SystemClock().Now());
    return {now.year, now.month, now.day};
}

// Another day of today's month.
GregorianDate OtherDayOfThisMonth() {
    const GregorianDate today = Today();
    return {today.year, today.month, today.day == 1 ? 2 : 1};
}

HWND PlannerWindow(const CCalendarWindow& window) {
    return window.planner() != nullptr ? window.planner()->window() : nullptr;
}

const PlannerGrid& GridOf(HWND planner) {
    const PlannerGridControl* control = PlannerGridControl::Of(GetDlgItem(planner, IDC_PLANNER_GRID));
    EXPECT_NE(control, nullptr);
    static const PlannerGrid empty;
    return control != nullptr ? control->grid() : empty;
}

void Press(HWND planner, int button) {
    SendMessageA(planner, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(planner, button)));
}

// The texts of the detail list's rows, column by column.
std::vector<std::vector<std::string>> ListRows(HWND planner) {
    const HWND list = GetDlgItem(planner, IDC_PLANNER_LIST);
    std::vector<std::vector<std::string>> rows;
    const int count = ListView_GetItemCount(list);
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < 7; ++column) {
            char text[256] = {};
            ListView_GetItemText(list, row, column, text, sizeof text);
            texts.emplace_back(text);
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

// The texts of the entries of a day's cell.
std::vector<std::string> CellTexts(HWND planner, GregorianDate day) {
    const PlannerGrid& grid = GridOf(planner);
    std::vector<std::string> texts;
    if (const int cell = grid.CellOf(day); cell >= 0) {
        for (const PlannerItem& item : grid.cells()[static_cast<std::size_t>(cell)].items) {
            texts.push_back(item.text);
        }
    }
    return texts;
}

std::vector<std::string> FileTitles(const WidgetTestFolder& folder) {
    std::vector<std::string> titles;
    for (const ReminderItem& item :
         ReminderFileItems(folder.Read("Calendar.dat").value_or("")).value_or(std::vector<ReminderItem>{})) {
        titles.push_back(item.title);
    }
    return titles;
}

TEST_F(ReminderPlannerTest, ShowCalendarMakesThePlannerOnceShowsItMaximisedAndHidesIt) {
    EXPECT_EQ(Library().entries.ShowCalendar(1), 0);  // the widget is not running
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    EXPECT_EQ(Window()->planner(), nullptr);
    ASSERT_EQ(Library().entries.ShowCalendar(1), 1);
    const HWND planner = PlannerWindow(*Window());
    ASSERT_NE(planner, nullptr);
    EXPECT_TRUE(IsWindowVisible(planner));
    EXPECT_TRUE(IsZoomed(planner));
    EXPECT_EQ(GetParent(planner), nullptr);
    EXPECT_EQ(testkit::WindowText(planner), std::string(services::kMessageBoxCaption.data()) + "－日程提醒表");
    EXPECT_EQ(testkit::WindowClassName(GetDlgItem(planner, IDC_PLANNER_GRID)), "ZELLUMCALCTRL");
    EXPECT_EQ(GridOf(planner).DisplayMode(), kPlannerMonthMode);

    EXPECT_EQ(Library().entries.ShowCalendar(0), 1);
    EXPECT_FALSE(IsWindowVisible(planner));
    EXPECT_EQ(Library().entries.ShowCalendar(1), 1);
    EXPECT_EQ(PlannerWindow(*Window()), planner);  // shown again, not made again
    EXPECT_TRUE(IsWindowVisible(planner));
    // Closing it only hides it.
    SendMessageA(planner, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindowVisible(planner));
    EXPECT_TRUE(IsWindow(planner));
    // It belongs to the desktop: it goes with the calendar window.
    Library().entries.Release(0);
    EXPECT_FALSE(IsWindow(planner));
}

TEST_F(ReminderPlannerTest, DoubleClickOnTheTitleOpensThePlanner) {
    WidgetSettings settings = TestSettings(300, 60);
    settings.fixedPosition = 1;  // a press on the title would start moving the window
    ASSERT_EQ(Start(settings), 1);
    const LayoutRect& title = Window()->layout().title;
    const int x = title.x + title.width / 2;
    const int y = title.y + title.height / 2;
    Click(x, y);
    EXPECT_EQ(Window()->planner(), nullptr);
    Click(x, y);
    ASSERT_NE(Window()->planner(), nullptr);
    EXPECT_TRUE(IsWindowVisible(PlannerWindow(*Window())));
}

TEST_F(ReminderPlannerTest, MonthStepsWrapTheYearAndTheTodayViewComesBack) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    ASSERT_EQ(Library().entries.ShowCalendar(1), 1);
    const HWND planner = PlannerWindow(*Window());
    const PlannerNavigation& navigation = Window()->planner()->navigation();
    const GregorianDate today = Today();
    EXPECT_EQ(navigation.selected(), today);
    EXPECT_EQ(GridOf(planner).selectedCell(), GridOf(planner).CellOf(today));

    while (navigation.month() != 12) {
        Press(planner, IDC_PLANNER_NEXT_MONTH);
    }
    const int december = navigation.year();
    Press(planner, IDC_PLANNER_NEXT_MONTH);
    EXPECT_EQ(navigation.year(), december + 1);
    EXPECT_EQ(navigation.month(), 1);
    EXPECT_EQ(GridOf(planner).cells()[0].date, FirstCellDate(december + 1, 1));
    EXPECT_EQ(testkit::WindowText(GetDlgItem(planner, IDC_PLANNER_HEADING)), std::to_string(december + 1) + "年01月");
    Press(planner, IDC_PLANNER_PREVIOUS_MONTH);
    EXPECT_EQ(navigation.year(), december);
    EXPECT_EQ(navigation.month(), 12);

    // The today view remembers the month shown and its selection.
    const int year = navigation.year();
    const int month = navigation.month();
    const std::optional<GregorianDate> selected = navigation.selected();
    Press(planner, IDC_PLANNER_TODAY);
    EXPECT_EQ(GridOf(planner).DisplayMode(), kPlannerWeekMode);
    EXPECT_EQ(navigation.selected(), today);
    for (int disabled : {IDC_PLANNER_PREVIOUS_MONTH, IDC_PLANNER_NEXT_MONTH, IDC_PLANNER_TODAY}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(planner, disabled))) << disabled;
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(planner, IDC_PLANNER_BACK)));
    Press(planner, IDC_PLANNER_NEXT_MONTH);  // disabled: nothing happens
    EXPECT_TRUE(navigation.inTodayView());
    Press(planner, IDC_PLANNER_BACK);
    EXPECT_EQ(GridOf(planner).DisplayMode(), kPlannerMonthMode);
    EXPECT_EQ(navigation.year(), year);
    EXPECT_EQ(navigation.month(), month);
    EXPECT_EQ(navigation.selected(), selected);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(planner, IDC_PLANNER_NEXT_MONTH)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(planner, IDC_PLANNER_BACK)));
}

TEST_F(ReminderPlannerTest, DeleteDayAsksAndOnOkRemovesThatDaysRemindersFromTheFile) {
    const GregorianDate today = Today();
    const GregorianDate other = OtherDayOfThisMonth();
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceReminder("晨会", today.year, today.month, today.day, 9, 0),
                                            OnceReminder("午餐", today.year, today.month, today.day, 12, 0),
                                            OnceReminder("别处", other.year, other.month, other.day, 10, 0)}),
              1);
    ASSERT_EQ(Library().entries.ShowCalendar(1), 1);
    const HWND planner = PlannerWindow(*Window());
    EXPECT_EQ(CellTexts(planner, today), (std::vector<std::string>{"09:00 晨会", "12:00 午餐"}));
    const std::vector<std::vector<std::string>> rows = ListRows(planner);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][2], "晨会");
    EXPECT_EQ(rows[0][4], "打开");
    const std::optional<std::string> before = Folder().Read("Calendar.dat");
    char question[128];
    std::snprintf(question, sizeof question, "真的要删除当天（%d年%d月%d日）所有的日程提醒吗？", today.year,
                  today.month, today.day);
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDCANCEL);
        Press(planner, IDC_PLANNER_DELETE_DAY);
        const std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
        ASSERT_TRUE(dialog.has_value());
        EXPECT_EQ(dialog->text, question);
        EXPECT_EQ(dialog->ButtonIds(), (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kQuestion);
    }
    EXPECT_EQ(Window()->reminders().items().size(), 3u);
    EXPECT_EQ(Folder().Read("Calendar.dat"), before);
    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK);
        Press(planner, IDC_PLANNER_DELETE_DAY);
        ASSERT_TRUE(answerer.Result().has_value());
    }
    EXPECT_EQ(FileTitles(Folder()), (std::vector<std::string>{"别处"}));
    EXPECT_TRUE(CellTexts(planner, today).empty());
    EXPECT_TRUE(ListRows(planner).empty());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(planner, IDC_PLANNER_DELETE_DAY)));
    EXPECT_EQ(CellTexts(planner, other), (std::vector<std::string>{"10:00 别处"}));
}

TEST_F(ReminderPlannerTest, AReminderSavedInTheEditorAppearsInItsCellAtOnce) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    ASSERT_EQ(Library().entries.ShowCalendar(1), 1);
    const HWND planner = PlannerWindow(*Window());
    // A day of the grid other than today: the new reminder goes on the day
    // clicked, at the current time of day.
    const GregorianDate other = OtherDayOfThisMonth();
    const PlannerGrid& grid = GridOf(planner);
    const int cell = grid.CellOf(other);
    ASSERT_GE(cell, 0);
    const PlannerRect box = grid.CellRect(cell);
    const HWND gridWindow = GetDlgItem(planner, IDC_PLANNER_GRID);
    const LPARAM point = MAKELPARAM(box.x + box.width / 2, box.y + box.height - 4);
    SendMessageA(gridWindow, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(gridWindow, WM_LBUTTONUP, 0, point);
    SendMessageA(gridWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    EXPECT_EQ(Window()->planner()->navigation().selected(), other);
    ASSERT_NE(Window()->scheduleEditor(), nullptr);
    const HWND editor = Window()->scheduleEditor()->window();
    ASSERT_TRUE(IsWindowVisible(editor));
    ASSERT_TRUE(Window()->editorRecord().has_value());
    const LocalTime start = ToLocalTime(Window()->editorRecord()->start);
    EXPECT_EQ((GregorianDate{start.year, start.month, start.day}), other);
    SetDlgItemTextA(editor, kScheduleTitle, "新计划");
    {
        // The day may lie before today: the editor asks about an earlier date.
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDYES, 2000);
        SendMessageA(editor, WM_COMMAND, IDOK, 0);
    }
    const std::vector<std::string> texts = CellTexts(planner, other);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].ends_with(" 新计划")) << texts[0];
    const std::vector<std::vector<std::string>> rows = ListRows(planner);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], "新计划");
    EXPECT_EQ(rows[0][1], "只提醒一次");

    // A double click on the entry opens the stored reminder again.
    SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    const PlannerRect entry = GridOf(planner).ItemRect(cell, 0);
    SendMessageA(gridWindow, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(entry.x + entry.width / 2, entry.y + entry.height / 2));
    EXPECT_TRUE(IsWindowVisible(editor));
    char title[64] = {};
    GetDlgItemTextA(editor, kScheduleTitle, title, sizeof title);
    EXPECT_STREQ(title, "新计划");
    SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(ReminderPlannerTest, ScreenshotsOfTheMonthAndTheWeek) {
    const GregorianDate today = Today();
    const GregorianDate other = OtherDayOfThisMonth();
    ReminderItem birthday =
        NewBirthdayReminder({today.year, today.month, std::min(today.day + 2, 28)}, SystemClock().Now());
    birthday.title = "小明";
    birthday.param = 3;
    ASSERT_EQ(Start(TestSettings(20, 20), {OnceReminder("项目评审", today.year, today.month, today.day, 9, 30),
                                           OnceReminder("健身", today.year, today.month, today.day, 19, 0),
                                           OnceReminder("交房租", other.year, other.month, other.day, 8, 0), birthday}),
              1);
    // The calendar window stays out of the way of the pictures.
    Library().entries.Show(0);
    ASSERT_EQ(Library().entries.ShowCalendar(1), 1);
    const HWND planner = PlannerWindow(*Window());
    testkit::PumpMessages(300);
    EXPECT_TRUE(testkit::SaveWindowPng(planner, JoinPath(WIDGET_SCREENSHOT_DIR, "planner_month.png")));
    Press(planner, IDC_PLANNER_TODAY);
    testkit::PumpMessages(300);
    EXPECT_TRUE(testkit::SaveWindowPng(planner, JoinPath(WIDGET_SCREENSHOT_DIR, "planner_week.png")));
}

}  // namespace
