#include "widget/reminders/win32/birthday_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/tests/win32/calendar_stand_in.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

using reminders_test::CalendarStandIn;
using reminders_test::Click;
using reminders_test::Received;
using reminders_test::Send;
using reminders_test::SetText;
using reminders_test::Shown;

constexpr std::uint32_t kStoredId = 9;

ReminderItem StoredBirthday() {
    ReminderItem item;
    item.id = kStoredId;
    item.kind = KindBirthday;
    item.title = "小明";
    item.content = "记得订蛋糕";
    item.start = FromLocalTime({1990, 5, 10, 23, 59, 59});
    item.param = 3;
    return item;
}

class BirthdayEditorTest : public ::testing::Test {
protected:
    void Open(const ReminderItem& item, bool existing) {
        dialog_ = calendar_.OpenBirthday(item, existing);
        ASSERT_NE(dialog_, nullptr);
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::string Text(int id) const { return testkit::WindowText(Item(id)); }

    CalendarStandIn calendar_;
    HWND dialog_ = nullptr;
};

TEST_F(BirthdayEditorTest, ShowsTheBirthdayInATaskBarWindow) {
    Open(StoredBirthday(), true);

    EXPECT_EQ(testkit::WindowText(dialog_), "泽鲁桌面日历V4.0－生日提醒设置");
    const LONG extended = GetWindowLongA(dialog_, GWL_EXSTYLE);
    EXPECT_NE(extended & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(extended & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
    EXPECT_NE(Send(dialog_, WM_GETICON, ICON_BIG), 0);
    EXPECT_NE(Send(dialog_, WM_GETICON, ICON_SMALL), 0);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(GetForegroundWindow(), dialog_);

    EXPECT_EQ(reminders_test::ShownDate(Item(IDC_BIRTHDAY_DATE)), (GregorianDate{1990, 5, 10}));
    EXPECT_EQ(Text(IDC_BIRTHDAY_NAME), "小明");
    EXPECT_EQ(Text(IDC_BIRTHDAY_CONTENT), "记得订蛋糕");
    EXPECT_EQ(Text(IDC_BIRTHDAY_NOTICE_DAYS), "3");
    EXPECT_TRUE(Shown(Item(IDC_BIRTHDAY_DELETE)));
    reminders_test::SaveScreenshot(dialog_, "birthday_editor.png");
}

TEST_F(BirthdayEditorTest, ConfirmSendsTheBirthdayAtTheEndOfThePickedDay) {
    Open(NewBirthdayReminder({2024, 2, 1}, FromLocalTime({2024, 1, 1, 8, 0, 0})), false);
    EXPECT_FALSE(Shown(Item(IDC_BIRTHDAY_DELETE)));
    EXPECT_EQ(Text(IDC_BIRTHDAY_NAME), "请输入好友姓名");
    // 2040 is beyond what a reminder holds: the picker shows 2037 at once.
    reminders_test::PickDate(Item(IDC_BIRTHDAY_DATE), {2040, 5, 10});
    EXPECT_EQ(reminders_test::ShownDate(Item(IDC_BIRTHDAY_DATE)), (GregorianDate{2037, 5, 10}));
    SetText(Item(IDC_BIRTHDAY_NAME), "小红");
    SetText(Item(IDC_BIRTHDAY_NOTICE_DAYS), "0");
    Click(Item(IDOK));

    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, RM_BIRTHDAY_SAVED);
    EXPECT_EQ(messages[0].wParam, 0u);
    ASSERT_TRUE(messages[0].readBack.has_value());
    const ReminderItem& saved = *messages[0].readBack;
    EXPECT_EQ(saved.kind, KindBirthday);
    EXPECT_EQ(saved.start, FromLocalTime({2037, 5, 10, 23, 59, 59}));
    EXPECT_EQ(saved.param, 0);
    EXPECT_EQ(saved.title, "小红");
    EXPECT_EQ(saved.content, "");  // the placeholder is not stored
    EXPECT_FALSE(IsWindowVisible(dialog_));
}

// A refused number is never sent: the calendar window would store it.
TEST_F(BirthdayEditorTest, DaysOfNoticeOutsideTheRangeAreRefusedAndNothingIsSent) {
    for (const char* days : {"366", "-1", ""}) {
        SCOPED_TRACE(days);
        Open(StoredBirthday(), true);
        SetText(Item(IDC_BIRTHDAY_NOTICE_DAYS), days);
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        Click(Item(IDOK));
        const std::optional<testkit::AnsweredDialog> told = answerer.Result();

        ASSERT_TRUE(told.has_value());
        EXPECT_EQ(told->text, "请输入一个0和365之间的数字");
        EXPECT_EQ(told->ButtonIds(), std::vector<int>{IDOK});
        EXPECT_TRUE(calendar_.Messages().empty());
        EXPECT_TRUE(IsWindowVisible(dialog_));
        EXPECT_EQ(calendar_.Focus(), Item(IDC_BIRTHDAY_NOTICE_DAYS));
    }
}

// Only a birthday is taken over: another record leaves the fields, and the
// id they are saved under, as they were.
TEST_F(BirthdayEditorTest, AnotherKindOfRecordLeavesTheFieldsAndTheId) {
    Open(StoredBirthday(), true);
    ReminderItem schedule;
    schedule.id = 4;
    schedule.title = "周会";
    schedule.start = FromLocalTime({2030, 1, 1, 9, 0, 0});
    Open(schedule, false);
    EXPECT_EQ(Text(IDC_BIRTHDAY_NAME), "小明");
    EXPECT_TRUE(Shown(Item(IDC_BIRTHDAY_DELETE)));
    Click(Item(IDOK));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, kStoredId);
    ASSERT_TRUE(messages[0].readBack.has_value());
    EXPECT_EQ(messages[0].readBack->title, "小明");
}

// Enter in a text field confirms, although the host's message loop knows
// nothing of the dialog.
TEST_F(BirthdayEditorTest, EnterConfirmsOnTheHostsMessageLoop) {
    Open(StoredBirthday(), true);
    HWND name = Item(IDC_BIRTHDAY_NAME);
    calendar_.Run([&] { SetFocus(name); });
    testkit::PostToWindow(name, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(calendar_.WaitFor(RM_BIRTHDAY_SAVED));
    EXPECT_EQ(calendar_.Messages()[0].wParam, kStoredId);
    EXPECT_FALSE(IsWindowVisible(dialog_));
}

TEST_F(BirthdayEditorTest, DeleteAsksAndOkPostsRmDelete) {
    Open(StoredBirthday(), true);
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        Click(Item(IDC_BIRTHDAY_DELETE));
        const std::optional<testkit::AnsweredDialog> asked = answerer.Result();
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->text, "真的要删除该日程提醒吗？");
        EXPECT_EQ(asked->ButtonIds(), (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(asked->owner, nullptr);
    }
    ASSERT_TRUE(calendar_.WaitFor(RM_DELETE));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, kStoredId);
    EXPECT_EQ(messages[0].lParam, 0);
    EXPECT_FALSE(IsWindowVisible(dialog_));
}

struct CalendarChoiceCase {
    ReminderKind kind;
    bool yearly;
    bool lunar;
};

// The stored kind shows as the check box and the radios; the radios can be
// changed only for a yearly birthday.
TEST_F(BirthdayEditorTest, EachBirthdayKindShowsItsCalendarChoice) {
    constexpr CalendarChoiceCase kCases[] = {
        {KindBirthday, false, false},
        {KindYearlyBirthday, true, false},
        {KindLunarBirthday, true, true},
    };
    for (const CalendarChoiceCase& test : kCases) {
        SCOPED_TRACE(test.kind);
        ReminderItem item = StoredBirthday();
        item.kind = test.kind;
        Open(item, true);
        EXPECT_EQ(reminders_test::Checked(Item(IDC_BIRTHDAY_YEARLY)), test.yearly);
        EXPECT_EQ(reminders_test::Checked(Item(IDC_BIRTHDAY_GREGORIAN)), !test.lunar);
        EXPECT_EQ(reminders_test::Checked(Item(IDC_BIRTHDAY_LUNAR)), test.lunar);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_BIRTHDAY_GREGORIAN)) != FALSE, test.yearly);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_BIRTHDAY_LUNAR)) != FALSE, test.yearly);
    }
}

TEST_F(BirthdayEditorTest, TheYearlyBoxSwitchesTheCalendarChoiceOnAndOff) {
    Open(StoredBirthday(), true);
    ASSERT_FALSE(IsWindowEnabled(Item(IDC_BIRTHDAY_LUNAR)));
    Click(Item(IDC_BIRTHDAY_YEARLY));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_BIRTHDAY_GREGORIAN)));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_BIRTHDAY_LUNAR)));
    Click(Item(IDC_BIRTHDAY_YEARLY));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BIRTHDAY_GREGORIAN)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BIRTHDAY_LUNAR)));
}

struct ConfirmKindCase {
    const char* name;
    bool chooseLunar;  // "农历" clicked once "每年提醒" is checked
    bool clearYearly;  // "每年提醒" cleared again before confirming
    ReminderKind expected;
};

// "农历" counts only while "每年提醒" stays checked.
TEST_F(BirthdayEditorTest, ConfirmSendsTheKindOfTheChosenCalendar) {
    constexpr ConfirmKindCase kCases[] = {
        {"yearly lunar", true, false, KindLunarBirthday},
        {"yearly gregorian", false, false, KindYearlyBirthday},
        {"lunar chosen, then the box cleared", true, true, KindBirthday},
    };
    for (const ConfirmKindCase& test : kCases) {
        SCOPED_TRACE(test.name);
        CalendarStandIn calendar;
        HWND dialog = calendar.OpenBirthday(StoredBirthday(), true);
        ASSERT_NE(dialog, nullptr);
        Click(GetDlgItem(dialog, IDC_BIRTHDAY_YEARLY));
        if (test.chooseLunar) {
            Click(GetDlgItem(dialog, IDC_BIRTHDAY_LUNAR));
            EXPECT_FALSE(reminders_test::Checked(GetDlgItem(dialog, IDC_BIRTHDAY_GREGORIAN)));
        }
        if (test.clearYearly) {
            Click(GetDlgItem(dialog, IDC_BIRTHDAY_YEARLY));
        }
        Click(GetDlgItem(dialog, IDOK));

        const std::vector<Received> messages = calendar.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].message, RM_BIRTHDAY_SAVED);
        EXPECT_EQ(messages[0].wParam, kStoredId);
        ASSERT_TRUE(messages[0].readBack.has_value());
        const ReminderItem& saved = *messages[0].readBack;
        EXPECT_EQ(saved.kind, test.expected);
        EXPECT_EQ(saved.start, FromLocalTime({1990, 5, 10, 23, 59, 59}));
        EXPECT_EQ(saved.param, 3);
        EXPECT_EQ(saved.title, "小明");
    }
}

TEST_F(BirthdayEditorTest, AStoredLunarBirthdaySwitchedToGregorianIsSavedAsYearly) {
    ReminderItem item = StoredBirthday();
    item.kind = KindLunarBirthday;
    Open(item, true);
    Click(Item(IDC_BIRTHDAY_GREGORIAN));
    Click(Item(IDOK));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    ASSERT_TRUE(messages[0].readBack.has_value());
    EXPECT_EQ(messages[0].readBack->kind, KindYearlyBirthday);
}

// The label beside the picker is the lunar date of the day picked, also
// after the picker corrected a year out of range.
TEST_F(BirthdayEditorTest, TheLunarDateFollowsThePickedDay) {
    ReminderItem item = StoredBirthday();
    item.start = FromLocalTime({2024, 2, 10, 23, 59, 59});
    Open(item, true);
    EXPECT_EQ(Text(IDC_BIRTHDAY_LUNAR_DATE), "农历正月初一");

    struct PickCase {
        GregorianDate picked;
        const char* label;
    };
    constexpr PickCase kCases[] = {
        {{2024, 9, 17}, "农历八月十五"},
        {{2020, 5, 23}, "农历闰四月初一"},
        // 2040 is shown as 2037: 2037-09-24 is the mid-autumn day of 2037.
        {{2040, 9, 24}, "农历八月十五"},
    };
    for (const PickCase& test : kCases) {
        SCOPED_TRACE(test.label);
        reminders_test::PickDate(Item(IDC_BIRTHDAY_DATE), test.picked);
        EXPECT_EQ(Text(IDC_BIRTHDAY_LUNAR_DATE), test.label);
    }
}

TEST_F(BirthdayEditorTest, ShowsTheYearlyLunarChoice) {
    ReminderItem item = StoredBirthday();
    item.kind = KindLunarBirthday;
    item.start = FromLocalTime({2024, 9, 17, 23, 59, 59});
    Open(item, true);
    EXPECT_EQ(Text(IDC_BIRTHDAY_YEARLY), "每年提醒");
    EXPECT_EQ(Text(IDC_BIRTHDAY_GREGORIAN), "公历");
    EXPECT_EQ(Text(IDC_BIRTHDAY_LUNAR), "农历");
    EXPECT_EQ(Text(IDC_BIRTHDAY_LUNAR_DATE), "农历八月十五");
    reminders_test::SaveScreenshot(dialog_, "birthday_editor_yearly.png");
}

}  // namespace
