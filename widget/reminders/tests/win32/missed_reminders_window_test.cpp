#include "widget/reminders/win32/missed_reminders_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/win32/window_helpers.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/tests/win32/calendar_stand_in.h"
#include "widget/reminders/win32/reminder_dialog_resources.h"

namespace {

using reminders_test::CalendarStandIn;
using reminders_test::Click;
using reminders_test::Received;
using reminders_test::Send;

// Three missed reminders, not in id order, as the window gets them.
std::vector<MissedReminderEntry> ThreeMissed() {
    return {
        {7, {"2024-03-05 09:00", "只提醒一次", "周会"}},
        {3, {"2024-03-05 12:30", "周提醒", "午饭后散步"}},
        {12, {"2024-03-06 08:15", "间隔提醒", "喝水"}},
    };
}

using Rows = std::vector<std::vector<std::string>>;

// The list's texts, row by row, column by column.
Rows ListRows(HWND window) {
    HWND list = GetDlgItem(window, IDC_MISSED_LIST);
    Rows rows;
    const int count = static_cast<int>(Send(list, LVM_GETITEMCOUNT));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < 3; ++column) {
            char text[256] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            Send(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            texts.emplace_back(text);
        }
        rows.push_back(std::move(texts));
    }
    return rows;
}

int SelectedRow(HWND window) {
    return static_cast<int>(
        Send(GetDlgItem(window, IDC_MISSED_LIST), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND window, int row) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(GetDlgItem(window, IDC_MISSED_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
         reinterpret_cast<LPARAM>(&state));
}

void ClearSelection(HWND window) {
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    Send(GetDlgItem(window, IDC_MISSED_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
         reinterpret_cast<LPARAM>(&state));
}

bool Enabled(HWND window, int id) {
    return IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
}

std::size_t CountOf(const std::vector<Received>& messages, UINT message) {
    std::size_t count = 0;
    for (const Received& received : messages) {
        count += received.message == message ? 1 : 0;
    }
    return count;
}

class MissedRemindersWindowTest : public ::testing::Test {
protected:
    void Open(const std::vector<MissedReminderEntry>& entries) {
        window_ = calendar_.OpenMissed(entries);
        ASSERT_NE(window_, nullptr);
    }

    CalendarStandIn calendar_;
    HWND window_ = nullptr;
};

TEST_F(MissedRemindersWindowTest, ListsTheRowsInTheirOrderInAFrontTaskBarWindow) {
    Open(ThreeMissed());

    EXPECT_EQ(testkit::WindowText(window_), "泽鲁桌面日历V4.0－错过的日程提醒");
    EXPECT_NE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(window_, GW_OWNER), nullptr);
    EXPECT_NE(Send(window_, WM_GETICON, ICON_BIG), 0);
    EXPECT_NE(Send(window_, WM_GETICON, ICON_SMALL), 0);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(GetForegroundWindow(), window_);

    HWND list = GetDlgItem(window_, IDC_MISSED_LIST);
    const LONG style = GetWindowLongA(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(style & LVS_SINGLESEL, 0);
    EXPECT_NE(style & LVS_SHOWSELALWAYS, 0);
    EXPECT_NE(Send(list, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_FULLROWSELECT, 0);

    struct ColumnCase {
        const char* title;
        int width;
    };
    constexpr ColumnCase kColumns[] = {{"提醒时间", 130}, {"类型", 90}, {"标题", 220}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        char title[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = title;
        column.cchTextMax = sizeof title;
        ASSERT_TRUE(Send(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(std::string(title), kColumns[i].title);
        EXPECT_EQ(column.cx, kColumns[i].width);
    }

    EXPECT_EQ(ListRows(window_), (Rows{
                                     {"2024-03-05 09:00", "只提醒一次", "周会"},
                                     {"2024-03-05 12:30", "周提醒", "午饭后散步"},
                                     {"2024-03-06 08:15", "间隔提醒", "喝水"},
                                 }));
    EXPECT_EQ(calendar_.ListedMissed(), (std::vector<std::uint32_t>{7, 3, 12}));
    EXPECT_EQ(SelectedRow(window_), 0);
    EXPECT_TRUE(Enabled(window_, IDC_MISSED_OPEN));
    EXPECT_TRUE(Enabled(window_, IDC_MISSED_DELETE));
    EXPECT_EQ(testkit::WindowText(GetDlgItem(window_, IDC_MISSED_OPEN)), "打开");
    EXPECT_EQ(testkit::WindowText(GetDlgItem(window_, IDC_MISSED_DELETE)), "删除");
    EXPECT_EQ(testkit::WindowText(GetDlgItem(window_, IDCANCEL)), "关闭");
    reminders_test::SaveScreenshot(window_, "missed_reminders.png");
}

TEST_F(MissedRemindersWindowTest, NothingToListMakesNoWindow) {
    EXPECT_EQ(calendar_.OpenMissed({}), nullptr);
}

TEST_F(MissedRemindersWindowTest, OpenCallsBackWithTheSelectedRowAndStays) {
    Open(ThreeMissed());
    SelectRow(window_, 1);
    Click(GetDlgItem(window_, IDC_MISSED_OPEN));
    EXPECT_EQ(calendar_.OpenedIds(), std::vector<std::uint32_t>{3});
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_TRUE(calendar_.Messages().empty());
}

// The row under the pointer opens, though another row is selected.
TEST_F(MissedRemindersWindowTest, ADoubleClickOpensTheRowClicked) {
    Open(ThreeMissed());
    HWND list = GetDlgItem(window_, IDC_MISSED_LIST);
    RECT row = {};
    row.left = LVIR_BOUNDS;
    ASSERT_TRUE(Send(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
    const LPARAM point = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    Send(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    EXPECT_EQ(calendar_.OpenedIds(), std::vector<std::uint32_t>{12});
}

// A button disabled under the focus hands it to the list.
TEST_F(MissedRemindersWindowTest, OpenAndDeleteNeedASelectedRow) {
    Open(ThreeMissed());
    HWND deleteButton = GetDlgItem(window_, IDC_MISSED_DELETE);
    calendar_.Run([&] { SetFocus(deleteButton); });
    ClearSelection(window_);
    EXPECT_FALSE(Enabled(window_, IDC_MISSED_OPEN));
    EXPECT_FALSE(Enabled(window_, IDC_MISSED_DELETE));
    EXPECT_EQ(calendar_.Focus(), GetDlgItem(window_, IDC_MISSED_LIST));
    SelectRow(window_, 2);
    EXPECT_TRUE(Enabled(window_, IDC_MISSED_OPEN));
    EXPECT_TRUE(Enabled(window_, IDC_MISSED_DELETE));
}

// The owner asks and deletes; the row stays until the owner removes it.
TEST_F(MissedRemindersWindowTest, DeletePostsRmDeleteToTheOwnerAndKeepsTheRow) {
    Open(ThreeMissed());
    SelectRow(window_, 2);
    Click(GetDlgItem(window_, IDC_MISSED_DELETE));
    ASSERT_TRUE(calendar_.WaitFor(RM_DELETE));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 12u);
    EXPECT_EQ(messages[0].lParam, 1);
    EXPECT_EQ(calendar_.ListedMissed(), (std::vector<std::uint32_t>{7, 3, 12}));
    EXPECT_TRUE(IsWindowVisible(window_));
}

// The next row takes the selection of a removed one; the last row gone
// closes the window.
TEST_F(MissedRemindersWindowTest, RemoveDropsTheRowAndTheLastOneClosesTheWindow) {
    Open(ThreeMissed());
    calendar_.RemoveMissed(99);
    EXPECT_EQ(calendar_.ListedMissed(), (std::vector<std::uint32_t>{7, 3, 12}));

    calendar_.RemoveMissed(7);
    EXPECT_EQ(calendar_.ListedMissed(), (std::vector<std::uint32_t>{3, 12}));
    EXPECT_EQ(ListRows(window_), (Rows{
                                     {"2024-03-05 12:30", "周提醒", "午饭后散步"},
                                     {"2024-03-06 08:15", "间隔提醒", "喝水"},
                                 }));
    EXPECT_EQ(SelectedRow(window_), 0);
    Click(GetDlgItem(window_, IDC_MISSED_OPEN));
    EXPECT_EQ(calendar_.OpenedIds(), std::vector<std::uint32_t>{3});

    SelectRow(window_, 1);
    calendar_.RemoveMissed(12);
    EXPECT_EQ(SelectedRow(window_), 0);
    EXPECT_EQ(CountOf(calendar_.Messages(), RM_MISSED_CLOSED), 0u);

    calendar_.RemoveMissed(3);
    ASSERT_TRUE(calendar_.WaitFor(RM_MISSED_CLOSED));
    EXPECT_FALSE(IsWindow(window_));
    const std::vector<Received> messages = calendar_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, 0u);
    EXPECT_EQ(messages[0].lParam, reinterpret_cast<LPARAM>(window_));
}

TEST_F(MissedRemindersWindowTest, AddAppendsRowsNotListedYet) {
    Open(ThreeMissed());
    calendar_.AddMissed({
        {3, {"2024-03-07 12:30", "周提醒", "午饭后散步"}},
        {20, {"2024-03-07 18:00", "月提醒", "交房租"}},
    });
    EXPECT_EQ(calendar_.ListedMissed(), (std::vector<std::uint32_t>{7, 3, 12, 20}));
    const Rows rows = ListRows(window_);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"2024-03-05 12:30", "周提醒", "午饭后散步"}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"2024-03-07 18:00", "月提醒", "交房租"}));
    EXPECT_EQ(SelectedRow(window_), 0);
}

TEST_F(MissedRemindersWindowTest, CloseDestroysTheWindowAndTellsTheOwner) {
    Open(ThreeMissed());
    Click(GetDlgItem(window_, IDCANCEL));
    ASSERT_TRUE(calendar_.WaitFor(RM_MISSED_CLOSED));
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(CountOf(calendar_.Messages(), RM_DELETE), 0u);
    EXPECT_TRUE(calendar_.ListedMissed().empty());
}

// Esc closes it although the host's message loop knows nothing of it.
TEST_F(MissedRemindersWindowTest, EscapeClosesOnTheHostsMessageLoop) {
    Open(ThreeMissed());
    HWND list = GetDlgItem(window_, IDC_MISSED_LIST);
    calendar_.Run([&] { SetFocus(list); });
    testkit::PostToWindow(list, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(calendar_.WaitFor(RM_MISSED_CLOSED));
    EXPECT_FALSE(IsWindow(window_));
}

}  // namespace
