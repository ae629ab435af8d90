#include "widget/reminders/win32/reminder_popup.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

constexpr std::uint32_t kBirthdayId = 12;
// A Tuesday.
const Moment kAlert = FromLocalTime({2024, 3, 5, 9, 7, 30});

ReminderItem Birthday() {
    ReminderItem item;
    item.id = kBirthdayId;
    item.kind = KindBirthday;
    item.title = "小明";
    item.content = "记得订蛋糕\r\n晚上七点聚餐";
    item.start = FromLocalTime({1990, 3, 8, 23, 59, 59});
    item.param = 3;
    return item;
}

std::string Text(HWND popup, int id) {
    return testkit::WindowText(GetDlgItem(popup, id));
}

std::size_t CountOf(const std::vector<Received>& messages, UINT message) {
    std::size_t count = 0;
    for (const Received& received : messages) {
        count += received.message == message ? 1 : 0;
    }
    return count;
}

TEST(ReminderPopup, ShowsTheAlertNormallyInFront) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(Birthday(), kAlert);
    ASSERT_NE(popup, nullptr);

    EXPECT_EQ(Text(popup, IDC_POPUP_TITLE_LINE), "提醒标题：小明生日");
    EXPECT_EQ(Text(popup, IDC_POPUP_TIME_LINE), "提醒时间：2024年03月05日（星期二） 09:07");
    EXPECT_EQ(Text(popup, IDC_POPUP_CONTENT), "记得订蛋糕\r\n晚上七点聚餐");
    EXPECT_NE(GetWindowLongA(GetDlgItem(popup, IDC_POPUP_CONTENT), GWL_STYLE) & ES_READONLY, 0);

    EXPECT_EQ(testkit::WindowText(popup), "泽鲁桌面日历V4.0－日程提醒");
    EXPECT_NE(GetWindowLongA(popup, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), nullptr);
    EXPECT_NE(Send(popup, WM_GETICON, ICON_BIG), 0);
    EXPECT_NE(Send(popup, WM_GETICON, ICON_SMALL), 0);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_FALSE(IsIconic(popup));
    EXPECT_EQ(GetForegroundWindow(), popup);
    reminders_test::SaveScreenshot(popup, "reminder_popup.png");
}

// The longest title a reminder stores, with its prefix and "生日", wraps
// inside the title line (seen in the screenshot).
TEST(ReminderPopup, TheLongestTitleFitsItsLine) {
    ReminderItem item = Birthday();
    item.title.clear();
    for (int i = 0; i < 5; ++i) {
        item.title += "一二三四五六七八九十";
    }
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(item, kAlert);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Text(popup, IDC_POPUP_TITLE_LINE), "提醒标题：" + item.title + "生日");
    reminders_test::SaveScreenshot(popup, "reminder_popup_long_title.png");
}

// A reminder deleted before its alert is handled arrives as the reset record.
TEST(ReminderPopup, AGoneReminderShowsTheBareTitlePrefix) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(ReminderItem{}, kAlert);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Text(popup, IDC_POPUP_TITLE_LINE), "提醒标题：");
    EXPECT_EQ(Text(popup, IDC_POPUP_TIME_LINE), "提醒时间：2024年03月05日（星期二） 09:07");
    EXPECT_EQ(Text(popup, IDC_POPUP_CONTENT), "");
}

// Two pop-ups of one reminder: deleting from one closes it alone.
TEST(ReminderPopup, DeleteAsksAndOkPostsRmDeleteAndClosesThatPopupOnly) {
    CalendarStandIn calendar;
    HWND first = calendar.OpenPopup(Birthday(), kAlert);
    HWND second = calendar.OpenPopup(Birthday(), kAlert + 60);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDCANCEL);
        Click(GetDlgItem(first, IDC_POPUP_DELETE));
        const std::optional<testkit::AnsweredDialog> asked = answerer.Result();
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->text, "真的要删除该日程提醒吗？");
        EXPECT_EQ(asked->ButtonIds(), (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(asked->icon, testkit::MessageBoxIcon::kQuestion);
        EXPECT_EQ(asked->owner, nullptr);
    }
    testkit::PumpMessages(100);
    EXPECT_TRUE(calendar.Messages().empty());
    EXPECT_TRUE(IsWindowVisible(first));
    {
        testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
        Click(GetDlgItem(first, IDC_POPUP_DELETE));
        ASSERT_TRUE(answerer.Result().has_value());
    }
    ASSERT_TRUE(calendar.WaitFor(RM_POPUP_CLOSED));
    const std::vector<Received> messages = calendar.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, RM_DELETE);
    EXPECT_EQ(messages[0].wParam, kBirthdayId);
    EXPECT_EQ(messages[0].lParam, 0);
    EXPECT_EQ(messages[1].wParam, kBirthdayId);
    EXPECT_EQ(messages[1].lParam, reinterpret_cast<LPARAM>(first));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(calendar.PopupCount(), 1u);
}

// The question is owned by the desktop: the pop-up can be closed, and its
// object dropped by the owner, while it waits. The answer still counts.
TEST(ReminderPopup, ClosedWhileTheDeleteQuestionWaitsItStillDeletes) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(Birthday(), kAlert);
    ASSERT_NE(popup, nullptr);
    // Posted: the question's loop runs on the calendar thread.
    ASSERT_TRUE(testkit::PostToWindow(GetDlgItem(popup, IDC_POPUP_DELETE), BM_CLICK, 0, 0));
    ASSERT_NE(testkit::WaitForWindow({.className = "#32770",
                                      .title = reminders_test::kMessageBoxCaption,
                                      .processId = GetCurrentProcessId(),
                                      .visibleOnly = true},
                                     10000),
              nullptr);
    ASSERT_TRUE(testkit::PostToWindow(popup, WM_COMMAND, IDCANCEL, 0));
    ASSERT_TRUE(calendar.WaitFor(RM_POPUP_CLOSED));
    EXPECT_EQ(calendar.PopupCount(), 0u);

    testkit::MessageBoxAnswerer answerer(reminders_test::kMessageBoxCaption, IDOK);
    ASSERT_TRUE(answerer.Result().has_value());
    ASSERT_TRUE(calendar.WaitFor(RM_DELETE));
    const std::vector<Received> messages = calendar.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].message, RM_DELETE);
    EXPECT_EQ(messages[1].wParam, kBirthdayId);
}

TEST(ReminderPopup, OpenCallsBackAndStaysCloseTellsTheOwner) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(Birthday(), kAlert);
    ASSERT_NE(popup, nullptr);
    Click(GetDlgItem(popup, IDC_POPUP_OPEN));
    EXPECT_EQ(calendar.OpenedIds(), std::vector<std::uint32_t>{kBirthdayId});
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_TRUE(calendar.Messages().empty());

    Click(GetDlgItem(popup, IDCANCEL));
    ASSERT_TRUE(calendar.WaitFor(RM_POPUP_CLOSED));
    EXPECT_EQ(CountOf(calendar.Messages(), RM_DELETE), 0u);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(calendar.PopupCount(), 0u);
}

// The texts of the snooze choice, top to bottom.
std::vector<std::string> SnoozeChoices(HWND popup) {
    HWND list = GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES);
    std::vector<std::string> texts;
    const LRESULT count = Send(list, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        char text[64] = {};
        if (Send(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i)) < static_cast<LRESULT>(sizeof text)) {
            Send(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        }
        texts.emplace_back(text);
    }
    return texts;
}

TEST(ReminderPopup, OffersToSnoozeForTenMinutesOrAnotherTime) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(Birthday(), kAlert);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(SnoozeChoices(popup), (std::vector<std::string>{"5分钟", "10分钟", "30分钟", "60分钟"}));
    EXPECT_EQ(Send(GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES), CB_GETCURSEL), 1);
    EXPECT_EQ(Text(popup, IDC_POPUP_SNOOZE), "稍后提醒");
    EXPECT_TRUE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_SNOOZE)));
    EXPECT_TRUE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES)));
    EXPECT_EQ(GetWindowLongA(GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    // The old buttons keep their texts.
    EXPECT_EQ(Text(popup, IDC_POPUP_OPEN), "打开提醒");
    EXPECT_EQ(Text(popup, IDC_POPUP_DELETE), "删除提醒");
    EXPECT_EQ(Text(popup, IDCANCEL), "关闭");
    reminders_test::SaveScreenshot(popup, "reminder_popup_snooze.png");
}

// The choice is read when the button is pressed; the pop-up then closes as
// any other close does, and deletes nothing.
TEST(ReminderPopup, SnoozeCallsBackWithTheChosenMinutesAndCloses) {
    struct SnoozeCase {
        int choice;  // index in the list
        int minutes;
    };
    constexpr SnoozeCase kCases[] = {{-1, 10}, {0, 5}, {3, 60}};
    for (const SnoozeCase& test : kCases) {
        SCOPED_TRACE(test.minutes);
        CalendarStandIn calendar;
        HWND popup = calendar.OpenPopup(Birthday(), kAlert);
        ASSERT_NE(popup, nullptr);
        if (test.choice >= 0) {
            Send(GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES), CB_SETCURSEL, static_cast<WPARAM>(test.choice));
        }
        Click(GetDlgItem(popup, IDC_POPUP_SNOOZE));

        ASSERT_TRUE(calendar.WaitFor(RM_POPUP_CLOSED));
        EXPECT_EQ(calendar.Snoozed(), (std::vector<std::pair<std::uint32_t, int>>{{kBirthdayId, test.minutes}}));
        const std::vector<Received> messages = calendar.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].wParam, kBirthdayId);
        EXPECT_EQ(messages[0].lParam, reinterpret_cast<LPARAM>(popup));
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_EQ(calendar.PopupCount(), 0u);
    }
}

TEST(ReminderPopup, WithoutASnoozeCallbackTheSnoozeChoiceIsHidden) {
    CalendarStandIn calendar;
    HWND popup = calendar.OpenPopup(Birthday(), kAlert, false);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_SNOOZE)));
    EXPECT_FALSE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_SNOOZE_MINUTES)));
    EXPECT_TRUE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_OPEN)));
    EXPECT_TRUE(reminders_test::Shown(GetDlgItem(popup, IDC_POPUP_DELETE)));
}

}  // namespace
