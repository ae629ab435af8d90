// The calendar window's reminder windows on the real library: reminders
// made in the editors are stored and written, and a due reminder starts its
// program, plays its sound and opens a pop-up that can delete it.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/local_time.h"
#include "common/path_util.h"
#include "controls/tests/win32/sound_files.h"
#include "controls/win32/sound_player.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"
#include "widget/calendar/lunar_converter.h"
#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"
#include "widget/win32/tests/widget_library.h"

namespace {

using ReminderAlertTest = WidgetTest;

// Dialog controls the tests fill or read.
constexpr int kScheduleTitle = 6000;
constexpr int kBirthdayName = 6026;
constexpr int kScheduleDelete = 3;
constexpr int kBirthdayDelete = 6054;
constexpr int kPopupTitleLine = 6049;
constexpr int kPopupTimeLine = 6050;
constexpr int kPopupContent = 6046;
constexpr int kPopupDelete = 4;

std::string ControlText(HWND dialog, int control) {
    return testkit::WindowText(GetDlgItem(dialog, control));
}

// The stored reminder titled `title`, or nothing.
std::optional<ReminderItem> StoredByTitle(const CCalendarWindow& window, const std::string& title) {
    for (const auto& [id, item] : window.reminders().items()) {
        if (item.title == title) {
            return item;
        }
    }
    return std::nullopt;
}

// The reminders Calendar.dat holds now.
std::vector<ReminderItem> FileReminders(const WidgetTestFolder& folder) {
    return ReminderFileItems(folder.Read("Calendar.dat").value_or("")).value_or(std::vector<ReminderItem>{});
}

bool FileHasTitle(const WidgetTestFolder& folder, const std::string& title) {
    for (const ReminderItem& item : FileReminders(folder)) {
        if (item.title == title) {
            return true;
        }
    }
    return false;
}

// This process's reminder pop-ups, found by their caption.
std::vector<HWND> Popups() {
    return testkit::FindTopLevelWindows(
        {.titleEnding = "－日程提醒", .processId = GetCurrentProcessId(), .visibleOnly = true});
}

TEST_F(ReminderAlertTest, RemindersMadeInTheEditorsAreStoredAndWritten) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    ASSERT_TRUE(ClickHitArea(kCommandNewSchedule));
    ASSERT_NE(Window()->scheduleEditor(), nullptr);
    const HWND schedule = Window()->scheduleEditor()->window();
    ASSERT_TRUE(IsWindowVisible(schedule));
    EXPECT_TRUE(testkit::WindowText(schedule).ends_with("－日程提醒设置"));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(schedule, kScheduleDelete)));  // a new reminder
    SetDlgItemTextA(schedule, kScheduleTitle, "周报");
    SendMessageA(schedule, WM_COMMAND, IDOK, 0);  // today, now: no question
    EXPECT_FALSE(IsWindowVisible(schedule));
    const std::optional<ReminderItem> stored = StoredByTitle(*Window(), "周报");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->kind, static_cast<std::uint32_t>(KindOnce));
    EXPECT_TRUE(FileHasTitle(Folder(), "周报"));

    // Its edit button opens the same editor again, now with delete.
    ASSERT_TRUE(ClickHitArea(kOpenReminderCommandBase + stored->id));
    EXPECT_TRUE(IsWindowVisible(schedule));
    EXPECT_EQ(ControlText(schedule, kScheduleTitle), "周报");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(schedule, kScheduleDelete)));
    SendMessageA(schedule, WM_COMMAND, IDCANCEL, 0);

    Command(kMenuNewBirthday);
    ASSERT_NE(Window()->birthdayEditor(), nullptr);
    const HWND birthday = Window()->birthdayEditor()->window();
    EXPECT_TRUE(testkit::WindowText(birthday).ends_with("－生日提醒设置"));
    SetDlgItemTextA(birthday, kBirthdayName, "小明");
    SendMessageA(birthday, WM_COMMAND, IDOK, 0);
    const std::optional<ReminderItem> friendsDay = StoredByTitle(*Window(), "小明");
    ASSERT_TRUE(friendsDay.has_value());
    EXPECT_EQ(friendsDay->kind, static_cast<std::uint32_t>(KindBirthday));
    const LocalTime end = ToLocalTime(friendsDay->start);
    EXPECT_EQ(end.hour * 3600 + end.minute * 60 + end.second, 23 * 3600 + 59 * 60 + 59);
    EXPECT_TRUE(FileHasTitle(Folder(), "小明"));
    // Both editors belong to the desktop: they go with the calendar window.
    Library().entries.Release(0);
    EXPECT_FALSE(IsWindow(schedule));
    EXPECT_FALSE(IsWindow(birthday));
}

// The centre of panel line `index`, in window pixels.
POINT CentreOfLine(const CCalendarWindow& window, std::size_t index) {
    const LayoutRect& line = window.layout().reminderLines.at(index);
    return {line.x + line.width / 2, line.y + line.height / 2};
}

TEST_F(ReminderAlertTest, ClickOnALinesTextOpensItsReminderBirthdaysWithDeleteSchedulesWithout) {
    const LocalTime now = ToLocalTime(SystemClock().Now());
    ReminderItem friendsDay = NewBirthdayReminder({now.year, now.month, now.day}, SystemClock().Now());
    friendsDay.title = "小红";
    ASSERT_EQ(Start(TestSettings(300, 60), {OnceReminder("例会", now.year, now.month, now.day, 9, 30), friendsDay}), 1);
    ASSERT_EQ(Window()->view().panelLines().size(), 2u);  // the birthday line first

    POINT line = CentreOfLine(*Window(), 1);
    Click(line.x, line.y);
    ASSERT_NE(Window()->scheduleEditor(), nullptr);
    const HWND schedule = Window()->scheduleEditor()->window();
    EXPECT_TRUE(IsWindowVisible(schedule));
    EXPECT_EQ(ControlText(schedule, kScheduleTitle), "例会");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(schedule, kScheduleDelete)));
    SendMessageA(schedule, WM_COMMAND, IDCANCEL, 0);

    line = CentreOfLine(*Window(), 0);
    Click(line.x, line.y);
    ASSERT_NE(Window()->birthdayEditor(), nullptr);
    const HWND birthday = Window()->birthdayEditor()->window();
    EXPECT_TRUE(IsWindowVisible(birthday));
    EXPECT_EQ(ControlText(birthday, kBirthdayName), "小红");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(birthday, kBirthdayDelete)));
}

TEST_F(ReminderAlertTest, DueReminderStartsItsProgramPlaysItsSoundAndItsPopupDeletesIt) {
    const std::string marker = Folder().PathOf("program_ran.txt");
    DeleteFileA(marker.c_str());
    SetEnvironmentVariableA("REMINDER_PROGRAM_MARKER", marker.c_str());
    const std::string sound = Folder().PathOf("alert.wav");
    ASSERT_TRUE(sound_files::WriteSilentWave(sound, 300));
    // Two minutes ahead: the test brings the alert itself (RM_DUE), and the
    // alarm clock, which checks within a second, must not bring a second one.
    const LocalTime soon = ToLocalTime(SystemClock().Now() + 120);
    ReminderItem due = OnceReminder("周会", soon.year, soon.month, soon.day, soon.hour, soon.minute);
    due.content = "三楼会议室";
    due.program = JoinPath(BuildBinFolder(), "reminder_program_fixture.exe");
    due.sound = sound;
    ASSERT_EQ(Start(TestSettings(300, 60), {due}), 1);
    const std::uint32_t id = StoredByTitle(*Window(), "周会").value_or(ReminderItem{}).id;
    ASSERT_NE(id, 0u);

    SendMessageA(WindowHandle(), RM_DUE, id, 0);
    std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(Window()->popupCount(), 1u);
    EXPECT_EQ(ControlText(popups[0], kPopupTitleLine), "提醒标题：周会");
    EXPECT_EQ(ControlText(popups[0], kPopupContent), "三楼会议室");
    EXPECT_EQ(ControlText(popups[0], kPopupTimeLine).rfind("提醒时间：", 0), 0u);
    EXPECT_FALSE(IsIconic(popups[0]));
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), id);
    for (int waited = 0; waited < 100 && GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++waited) {
        testkit::PumpMessages(100);
    }
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "the program did not run";

    {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDOK, 5000);
        PostMessageA(popups[0], WM_COMMAND, kPopupDelete, 0);
        testkit::PumpMessages(1500);
        ASSERT_TRUE(answerer.Result().has_value());
        EXPECT_EQ(answerer.Result()->text, kDeleteReminderQuestion);
    }
    testkit::PumpMessages(300);
    EXPECT_FALSE(StoredByTitle(*Window(), "周会").has_value());
    EXPECT_FALSE(FileHasTitle(Folder(), "周会"));
    EXPECT_FALSE(IsWindow(popups[0]));
    EXPECT_EQ(Window()->popupCount(), 0u);
    // The sound stops with the calendar window.
    Library().entries.Release(0);
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), 0u);
    SetEnvironmentVariableA("REMINDER_PROGRAM_MARKER", nullptr);
}

TEST_F(ReminderAlertTest, ReminderGoneBeforeItsAlertStillGetsAnEmptyPopupAndNoSound) {
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    SendMessageA(WindowHandle(), RM_DUE, 4242, 0);
    SendMessageA(WindowHandle(), RM_DUE, 4242, 0);
    std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 2u);
    for (HWND popup : popups) {
        EXPECT_EQ(ControlText(popup, kPopupTitleLine), "提醒标题：");
        EXPECT_EQ(ControlText(popup, kPopupContent), "");
    }
    EXPECT_EQ(QuerySoundPlayer()->GetCurrentID(), 0u);
    // Closing one keeps the other; the rest go with the calendar window.
    PostMessageA(popups[0], WM_COMMAND, IDCANCEL, 0);
    testkit::PumpMessages(300);
    EXPECT_EQ(Window()->popupCount(), 1u);
    Library().entries.Release(0);
    EXPECT_TRUE(Popups().empty());
}

// A day of 2001-2020 with the lunar month and day of `today`: a lunar
// birthday born then comes today. None when no year of them has that date.
std::optional<GregorianDate> EarlierDayWithLunarDate(const LunarDate& today) {
    for (int year = 2001; year <= 2020; ++year) {
        if (GregorianDate date; LunarConverter::ToGregorian(year, today.month, today.day, date)) {
            return date;
        }
    }
    return std::nullopt;
}

// "十月廿二", "闰四月初八": the lunar month's and day's names.
std::string LunarMonthAndDay(const LunarDate& date) {
    char month[9] = {};
    char day[9] = {};
    LunarConverter::LunarMonthName(std::abs(date.month), date.month < 0, month, sizeof month);
    LunarConverter::LunarDayName(date.day, day, sizeof day);
    return std::string(month) + day;
}

TEST_F(ReminderAlertTest, YearlyLunarBirthdayMadeInTheEditorIsListedAndAlertedOnThisYearsDay) {
    const LocalTime now = ToLocalTime(SystemClock().Now());
    LunarDate today;
    LunarConverter::ToLunar(now.year, now.month, now.day, today);
    ASSERT_NE(today.day, 0);
    const std::optional<GregorianDate> born = EarlierDayWithLunarDate(today);
    if (!born) {
        GTEST_SKIP() << "no year of 2001-2020 has today's lunar date";
    }
    ASSERT_EQ(Start(TestSettings(300, 60)), 1);
    Command(kMenuNewBirthday);
    ASSERT_NE(Window()->birthdayEditor(), nullptr);
    const HWND editor = Window()->birthdayEditor()->window();
    SetDlgItemTextA(editor, IDC_BIRTHDAY_NAME, "小华");
    testkit::PickDate(GetDlgItem(editor, IDC_BIRTHDAY_DATE), born->year, born->month, born->day);
    SendMessageA(GetDlgItem(editor, IDC_BIRTHDAY_YEARLY), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(editor, IDC_BIRTHDAY_LUNAR), BM_CLICK, 0, 0);
    SendMessageA(editor, WM_COMMAND, IDOK, 0);

    const std::optional<ReminderItem> stored = StoredByTitle(*Window(), "小华");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->kind, static_cast<std::uint32_t>(KindLunarBirthday));
    const LocalTime start = ToLocalTime(stored->start);
    EXPECT_EQ((GregorianDate{start.year, start.month, start.day}), *born);
    EXPECT_EQ(start.hour * 3600 + start.minute * 60 + start.second, 23 * 3600 + 59 * 60 + 59);
    const std::vector<ReminderItem> written = FileReminders(Folder());
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].kind, static_cast<std::uint32_t>(KindLunarBirthday));

    // Listed on today, this year's day of the lunar date, with that date.
    const std::string lunar = LunarMonthAndDay(today);
    const std::string listed = std::to_string(now.month) + "月" + std::to_string(now.day) + "日 小华生日";
    std::optional<std::string> line;
    for (const PanelLine& shown : Window()->view().panelLines()) {
        if (shown.id == stored->id) {
            line = shown.text;
        }
    }
    ASSERT_TRUE(line.has_value()) << "no panel line for the birthday";
    EXPECT_EQ(line->rfind(listed, 0), 0u) << *line;
    EXPECT_NE(line->find(lunar), std::string::npos) << *line;

    // A click on its line opens it in the birthday editor as it was made.
    EXPECT_FALSE(IsWindowVisible(editor));
    for (std::size_t i = 0; i < Window()->view().panelLines().size(); ++i) {
        if (Window()->view().panelLines()[i].id == stored->id) {
            const POINT centre = CentreOfLine(*Window(), i);
            Click(centre.x, centre.y);
        }
    }
    EXPECT_TRUE(IsWindowVisible(editor));
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_BIRTHDAY_YEARLY), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_BIRTHDAY_LUNAR), BST_CHECKED);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(editor, kBirthdayDelete)));
    SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);

    SendMessageA(WindowHandle(), RM_DUE, stored->id, 0);
    const std::vector<HWND> popups = Popups();
    ASSERT_EQ(popups.size(), 1u);
    const std::string title = ControlText(popups[0], kPopupTitleLine);
    EXPECT_EQ(title.rfind("提醒标题：小华", 0), 0u) << title;
    EXPECT_NE(title.find(lunar), std::string::npos) << title;
}

}  // namespace
