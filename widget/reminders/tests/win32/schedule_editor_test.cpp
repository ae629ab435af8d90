#include "widget/reminders/win32/schedule_editor.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "testkit/win32/file_box_answerer.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/tests/win32/calendar_stand_in.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

using reminders_test::CalendarStandIn;
using reminders_test::Checked;
using reminders_test::Click;
using reminders_test::Received;
using reminders_test::Send;
using reminders_test::SetText;
using reminders_test::Shown;

constexpr std::uint32_t kStoredId = 7;

ReminderItem StoredReminder(std::uint32_t kind, std::int32_t param) {
    ReminderItem item;
    item.id = kStoredId;
    item.title = "项目评审";
    item.content = "带上季度报表";
    item.start = FromLocalTime({2037, 3, 4, 8, 5, 0});
    item.kind = kind;
    item.param = param;
    item.program = "C:\\Tools\\agenda.exe";
    item.sound = "C:\\Sounds\\bell.wav";
    return item;
}

class ScheduleEditorTest : public ::testing::Test {
protected:
    void Open(const ReminderItem& item, bool existing) {
        dialog_ = calendar_.OpenSchedule(item, existing);
        ASSERT_NE(dialog_, nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::string Text(int id) const { return testkit::WindowText(Item(id)); }
    LRESULT Selected(int id) const { return Send(Item(id), CB_GETCURSEL); }

    CalendarStandIn calendar_;
    HWND dialog_ = nullptr;
};

TEST_F(ScheduleEditorTest, OpensAsATaskBarWindowOfTheDesktopInFront) {
    Open(StoredReminder(KindWeekly, WeekdayMask::kTuesday | WeekdayMask::kSunday), true);

    EXPECT_EQ(testkit::WindowText(dialog_), "泽鲁桌面日历V4.0－日程提醒设置");
    const LONG extended = GetWindowLongA(dialog_, GWL_EXSTYLE);
    EXPECT_NE(extended & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(extended & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
    EXPECT_NE(Send(dialog_, WM_GETICON, ICON_BIG), 0);
    EXPECT_NE(Send(dialog_, WM_GETICON, ICON_SMALL), 0);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_FALSE(IsIconic(dialog_));
    EXPECT_EQ(GetForegroundWindow(), dialog_);
    EXPECT_EQ(calendar_.Focus(), Item(IDOK));

    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const RECT own = testkit::WindowRectangle(dialog_);
    EXPECT_LE(std::abs((own.left + own.right) - (desktop.left + desktop.right)), 2);
    EXPECT_LE(std::abs((own.top + own.bottom) - (desktop.top + desktop.bottom)), 2);

    EXPECT_EQ(Text(IDCANCEL), "取消");
    reminders_test::SaveScreenshot(dialog_, "schedule_editor.png");
}

TEST_F(ScheduleEditorTest, ShowsAStoredReminderInItsControls) {
    Open(StoredReminder(KindInterval, 90), true);

    EXPECT_TRUE(Checked(Item(IDC_SCHEDULE_ON)));
    EXPECT_EQ(reminders_test::ShownDate(Item(IDC_SCHEDULE_DATE)), (GregorianDate{2037, 3, 4}));
    EXPECT_EQ(Text(IDC_SCHEDULE_HOUR), "08");
    EXPECT_EQ(Text(IDC_SCHEDULE_MINUTE), "05");
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "项目评审");
    EXPECT_EQ(Text(IDC_SCHEDULE_CONTENT), "带上季度报表");
    EXPECT_TRUE(Checked(Item(IDC_SCHEDULE_INTERVAL)));
    EXPECT_FALSE(Checked(Item(IDC_SCHEDULE_ONCE)));
    EXPECT_EQ(Text(IDC_SCHEDULE_INTERVAL_NUMBER), "90");
    EXPECT_EQ(Selected(IDC_SCHEDULE_INTERVAL_UNIT), 0);  // minutes
    EXPECT_EQ(Text(IDC_SCHEDULE_PROGRAM), "C:\\Tools\\agenda.exe");
    EXPECT_EQ(Text(IDC_SCHEDULE_SOUND), "C:\\Sounds\\bell.wav");
    EXPECT_TRUE(Shown(Item(IDC_SCHEDULE_DELETE)));
}

// Which inputs take input for each kind of record; title and content
// always do.
TEST_F(ScheduleEditorTest, EnablesTheInputsOfTheKind) {
    struct Case {
        std::uint32_t kind;
        std::int32_t param;
        bool schedule, interval, weekdays, dayOfMonth;
    };
    const Case cases[] = {
        {KindOff, 0, false, false, false, false},     {KindOnce, 0, true, false, false, false},
        {KindInterval, 30, true, true, false, false}, {KindWeekly, WeekdayMask::kMonday, true, false, true, false},
        {KindMonthly, 15, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Open(StoredReminder(c.kind, c.param), true);
        EXPECT_EQ(Checked(Item(IDC_SCHEDULE_ON)), c.kind != KindOff);
        EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCHEDULE_TITLE)));
        EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCHEDULE_CONTENT)));
        for (int id : {IDC_SCHEDULE_DATE, IDC_SCHEDULE_HOUR, IDC_SCHEDULE_MINUTE_ARROWS, IDC_SCHEDULE_WEEKLY,
                       IDC_SCHEDULE_SOUND, IDC_SCHEDULE_BROWSE_PROGRAM}) {
            EXPECT_EQ(IsWindowEnabled(Item(id)) != FALSE, c.schedule) << id;
        }
        EXPECT_EQ(IsWindowEnabled(Item(IDC_SCHEDULE_INTERVAL_UNIT)) != FALSE, c.interval);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_SCHEDULE_SUNDAY)) != FALSE, c.weekdays);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_SCHEDULE_DAY_LABEL)) != FALSE, c.dayOfMonth);
    }
}

TEST_F(ScheduleEditorTest, ClicksOnTheBoxAndTheRadiosChangeWhatIsEnabled) {
    Open(StoredReminder(KindOnce, 0), true);
    Click(Item(IDC_SCHEDULE_MONTHLY));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCHEDULE_DAY_OF_MONTH)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SCHEDULE_INTERVAL_NUMBER)));
    Click(Item(IDC_SCHEDULE_ON));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SCHEDULE_DAY_OF_MONTH)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SCHEDULE_MONTHLY)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCHEDULE_TITLE)));
    Click(Item(IDC_SCHEDULE_ON));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_SCHEDULE_DAY_OF_MONTH)));
}

// Confirming a future date sends RM_SCHEDULE_SAVED at once; the calendar
// window reads back the record the controls describe.
TEST_F(ScheduleEditorTest, ConfirmSendsTheEditedRecord) {
    struct Case {
        const char* name;
        std::function<void(HWND dialog)> edit;
        std::uint32_t kind;
        std::int32_t param;
    };
    const Case cases[] = {
        {"once", [](HWND) {}, KindOnce, 0},
        {"45 minutes",
         [](HWND dialog) {
             Click(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL));
             SetText(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL_NUMBER), "45");
             Send(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL_UNIT), CB_SETCURSEL, 0);
         },
         KindInterval, 45},
        {"2 hours",
         [](HWND dialog) {
             Click(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL));
             SetText(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL_NUMBER), "2");
             Send(GetDlgItem(dialog, IDC_SCHEDULE_INTERVAL_UNIT), CB_SETCURSEL, 1);
         },
         KindInterval, 120},
        {"Tuesdays and Sundays",
         [](HWND dialog) {
             Click(GetDlgItem(dialog, IDC_SCHEDULE_WEEKLY));
             Click(GetDlgItem(dialog, IDC_SCHEDULE_TUESDAY));
             Click(GetDlgItem(dialog, IDC_SCHEDULE_SUNDAY));
         },
         KindWeekly, WeekdayMask::kTuesday | WeekdayMask::kSunday},
        {"the 31st",
         [](HWND dialog) {
             Click(GetDlgItem(dialog, IDC_SCHEDULE_MONTHLY));
             Send(GetDlgItem(dialog, IDC_SCHEDULE_DAY_OF_MONTH), CB_SETCURSEL, 30);
         },
         KindMonthly, 31},
        {"switched off", [](HWND dialog) { Click(GetDlgItem(dialog, IDC_SCHEDULE_ON)); }, KindOff, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = calendar_.Messages().size();
        Open(StoredReminder(KindOnce, 0), true);
        reminders_test::PickDate(Item(IDC_SCHEDULE_DATE), {2036, 12, 31});
        SetText(Item(IDC_SCHEDULE_HOUR), "21");
        SetText(Item(IDC_SCHEDULE_MINUTE), "45");
        SetText(Item(IDC_SCHEDULE_TITLE), "年终总结");
        c.edit(dialog_);
        Click(Item(IDOK));

        const std::vector<Received> messages = calendar_.Messages();
        ASSERT_EQ(messages.size(), before + 1);
        const Received& saved = messages.back();
        EXPECT_EQ(saved.message, RM_SCHEDULE_SAVED);
        EXPECT_EQ(saved.wParam, kStoredId);
        ASSERT_TRUE(saved.readBack.has_value());
        EXPECT_EQ(saved.readBack->id, kStoredId);
        EXPECT_EQ(saved.readBack->kind, c.kind);
        EXPECT_EQ(saved.readBack->param, c.param);
        EXPECT_EQ(saved.readBack->start, FromLocalTime({2036, 12, 31, 21, 45, 0}));
        EXPECT_EQ(saved.readBack->title, "年终总结");
        EXPECT_EQ(saved.readBack->content, "带上季度报表");
        EXPECT_EQ(saved.readBack->program, "C:\\Tools\\agenda.exe");
        EXPECT_FALSE(IsWindowVisible(dialog_));
    }
}

TEST_F(ScheduleEditorTest, AnIntervalOutOfRangeIsRefusedAndItsNumberFocused) {
    struct Case {
        const char* number;
        int unitEntry;
        const char* message;
    };
    const Case cases[] = {
        {"0", 0, "请输入一个1和59之间的数字"},
        {"24", 1, "请输入一个1和23之间的数字"},
        {"", 0, "请输入一个1和59之间的数字"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        Open(StoredReminder(KindOnce, 0), true);
        Click(Item(IDC_SCHEDULE_INTERVAL));
        SetText(Item(IDC_SCHEDULE_INTERVAL_NUMBER), c.number);
        Send(Item(IDC_SCHEDULE_INTERVAL_UNIT), CB_SETCURSEL, c.unitEntry);
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        Click(Item(IDOK));
        const std::optional<testkit::AnsweredDialog> told = answerer.Result();

        ASSERT_TRUE(told.has_value());
        EXPECT_EQ(told->text, c.message);
        EXPECT_EQ(told->ButtonIds(), std::vector<int>{IDOK});
        EXPECT_EQ(told->owner, dialog_);
        EXPECT_TRUE(calendar_.Messages().empty());
        EXPECT_TRUE(IsWindowVisible(dialog_));
        EXPECT_EQ(calendar_.Focus(), Item(IDC_SCHEDULE_INTERVAL_NUMBER));
    }
}

TEST_F(ScheduleEditorTest, AnEarlierDateIsAskedAboutAndNoKeepsTheFields) {
    ReminderItem past = StoredReminder(KindOnce, 0);
    past.start = FromLocalTime({2001, 5, 6, 10, 0, 0});
    Open(past, true);
    SetText(Item(IDC_SCHEDULE_TITLE), "补记的旧日程");
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDNO);
        Click(Item(IDOK));
        const std::optional<testkit::AnsweredDialog> asked = answerer.Result();
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->text, "您选择的日程时间早于当前时间，是否继续？");
        EXPECT_EQ(asked->ButtonIds(), (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(asked->icon, testkit::MessageBoxIcon::kQuestion);
    }
    EXPECT_TRUE(calendar_.Messages().empty());
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "补记的旧日程");
    EXPECT_EQ(reminders_test::ShownDate(Item(IDC_SCHEDULE_DATE)), (GregorianDate{2001, 5, 6}));

    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDYES);
        Click(Item(IDOK));
        ASSERT_TRUE(answerer.Result().has_value());
    }
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    ASSERT_TRUE(messages[0].readBack.has_value());
    EXPECT_EQ(messages[0].readBack->start, FromLocalTime({2001, 5, 6, 10, 0, 0}));
    EXPECT_EQ(messages[0].readBack->title, "补记的旧日程");
    EXPECT_FALSE(IsWindowVisible(dialog_));
}

TEST_F(ScheduleEditorTest, HourAndMinuteArrowsWrapAround) {
    struct Case {
        int field;
        int arrows;
        const char* shown;
        bool up;
        const char* stepped;
    };
    const Case cases[] = {
        {IDC_SCHEDULE_HOUR, IDC_SCHEDULE_HOUR_ARROWS, "23", true, "00"},
        {IDC_SCHEDULE_HOUR, IDC_SCHEDULE_HOUR_ARROWS, "00", false, "23"},
        {IDC_SCHEDULE_HOUR, IDC_SCHEDULE_HOUR_ARROWS, "09", true, "10"},
        {IDC_SCHEDULE_MINUTE, IDC_SCHEDULE_MINUTE_ARROWS, "59", true, "00"},
        {IDC_SCHEDULE_MINUTE, IDC_SCHEDULE_MINUTE_ARROWS, "00", false, "59"},
        {IDC_SCHEDULE_MINUTE, IDC_SCHEDULE_MINUTE_ARROWS, "30", false, "29"},
    };
    Open(StoredReminder(KindOnce, 0), true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + (c.up ? " up" : " down"));
        SetText(Item(c.field), c.shown);
        reminders_test::ClickArrow(Item(c.arrows), c.up);
        EXPECT_EQ(Text(c.field), c.stepped);
    }
}

TEST_F(ScheduleEditorTest, APickedYearOutsideWhatAReminderHoldsIsPutBack) {
    struct Case {
        GregorianDate picked;
        GregorianDate shown;
    };
    const Case cases[] = {
        {{2040, 2, 29}, {2037, 2, 28}},
        {{2040, 6, 15}, {2037, 6, 15}},
        {{1969, 12, 31}, {1970, 12, 31}},
        {{2037, 12, 31}, {2037, 12, 31}},
    };
    Open(StoredReminder(KindOnce, 0), true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picked.year);
        reminders_test::PickDate(Item(IDC_SCHEDULE_DATE), c.picked);
        EXPECT_EQ(reminders_test::ShownDate(Item(IDC_SCHEDULE_DATE)), c.shown);
    }
}

TEST_F(ScheduleEditorTest, PlaceholdersClearOnFocusAndComeBackWhenLeftEmpty) {
    Open(NewScheduleReminder(FromLocalTime({2037, 1, 2, 9, 0, 0})), false);
    HWND title = Item(IDC_SCHEDULE_TITLE);
    HWND content = Item(IDC_SCHEDULE_CONTENT);
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "请输入标题");

    calendar_.Run([&] { SetFocus(title); });
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "");
    calendar_.Run([&] { SetFocus(content); });
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "请输入标题");
    EXPECT_EQ(Text(IDC_SCHEDULE_CONTENT), "");
    SetText(content, "会议室 302");
    calendar_.Run([&] { SetFocus(title); });
    EXPECT_EQ(Text(IDC_SCHEDULE_CONTENT), "会议室 302");
}

TEST_F(ScheduleEditorTest, DeleteAsksAndOkPostsRmDelete) {
    Open(StoredReminder(KindOnce, 0), true);
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDCANCEL);
        Click(Item(IDC_SCHEDULE_DELETE));
        const std::optional<testkit::AnsweredDialog> asked = answerer.Result();
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->text, "真的要删除该日程提醒吗？");
        EXPECT_EQ(asked->ButtonIds(), (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(asked->icon, testkit::MessageBoxIcon::kQuestion);
        EXPECT_EQ(asked->owner, nullptr);
    }
    testkit::PumpMessages(100);
    EXPECT_TRUE(calendar_.Messages().empty());
    EXPECT_TRUE(IsWindowVisible(dialog_));
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        Click(Item(IDC_SCHEDULE_DELETE));
        ASSERT_TRUE(answerer.Result().has_value());
    }
    ASSERT_TRUE(calendar_.WaitFor(RM_DELETE));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, kStoredId);
    EXPECT_EQ(messages[0].lParam, 0);
    EXPECT_FALSE(IsWindowVisible(dialog_));
}

// The window is made once; a later record reuses it, and the unit list
// keeps what the user chose, as does everything a fill leaves alone.
TEST_F(ScheduleEditorTest, IsMadeOnceAndKeepsWhatTheFillLeavesAlone) {
    Open(NewScheduleReminder(FromLocalTime({2037, 1, 2, 9, 0, 0})), false);
    const HWND first = dialog_;
    EXPECT_EQ(Selected(IDC_SCHEDULE_INTERVAL_UNIT), 1);  // hours
    EXPECT_EQ(Text(IDC_SCHEDULE_DAY_OF_MONTH), "1");
    EXPECT_FALSE(Shown(Item(IDC_SCHEDULE_DELETE)));
    Send(Item(IDC_SCHEDULE_INTERVAL_UNIT), CB_SETCURSEL, 0);
    Click(Item(IDC_SCHEDULE_SATURDAY));
    Click(Item(IDCANCEL));
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_TRUE(calendar_.Messages().empty());

    Open(StoredReminder(KindOnce, 0), true);
    EXPECT_EQ(dialog_, first);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(Selected(IDC_SCHEDULE_INTERVAL_UNIT), 0);
    EXPECT_TRUE(Checked(Item(IDC_SCHEDULE_SATURDAY)));
    EXPECT_TRUE(Shown(Item(IDC_SCHEDULE_DELETE)));
    EXPECT_EQ(Text(IDC_SCHEDULE_TITLE), "项目评审");
}

// The host's message loop knows nothing of the dialog: Tab and Esc work all
// the same.
TEST_F(ScheduleEditorTest, DialogKeysWorkOnTheHostsMessageLoop) {
    Open(StoredReminder(KindOnce, 0), true);
    HWND title = Item(IDC_SCHEDULE_TITLE);
    calendar_.Run([&] { SetFocus(title); });
    testkit::PostToWindow(title, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(reminders_test::WaitUntil([&] { return calendar_.Focus() == Item(IDC_SCHEDULE_CONTENT); }));
    testkit::PostToWindow(Item(IDC_SCHEDULE_CONTENT), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(reminders_test::WaitUntil([&] { return !IsWindowVisible(dialog_); }));
    EXPECT_TRUE(calendar_.Messages().empty());
}

TEST_F(ScheduleEditorTest, BrowsePutsTheChosenProgramInItsField) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    Open(StoredReminder(KindOnce, 0), true);
    // Posted: the click opens a modal file box on the calendar thread.
    ASSERT_TRUE(testkit::PostToWindow(Item(IDC_SCHEDULE_BROWSE_PROGRAM), BM_CLICK, 0, 0));
    ASSERT_TRUE(testkit::AnswerFileBox("选择提醒时运行的程序", self));
    EXPECT_TRUE(reminders_test::WaitUntil([&] { return Text(IDC_SCHEDULE_PROGRAM) == self; }));
}

// A path longer than a reminder stores would be cut into another file's
// name: it is refused, and the field keeps what it held.
TEST_F(ScheduleEditorTest, BrowseRefusesAPathLongerThanAReminderStores) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    // 258 characters: within what the box takes, beyond what is stored.
    const std::string folder = std::string(temp) + std::string(120, 'f');
    const std::string path = folder + "\\" + std::string(258 - folder.size() - 5, 'n') + ".wav";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    Open(StoredReminder(KindOnce, 0), true);
    std::optional<testkit::AnsweredDialog> told;
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        ASSERT_TRUE(testkit::PostToWindow(Item(IDC_SCHEDULE_BROWSE_SOUND), BM_CLICK, 0, 0));
        ASSERT_TRUE(testkit::AnswerFileBox("选择提醒声音", path));
        told = answerer.Result();
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    ASSERT_TRUE(told.has_value());
    EXPECT_EQ(told->text, "所选文件的路径超过256个字符，请选择其他文件。");
    EXPECT_EQ(Text(IDC_SCHEDULE_SOUND), "C:\\Sounds\\bell.wav");
}

}  // namespace
