#include "controls/win32/preferences_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "controls/preferences_layout.h"
#include "controls/tests/win32/preferences_frame_support.h"
#include "testkit/win32/window_helpers.h"

namespace cmmctrls {
namespace {

using controls_test::FrameRun;
using controls_test::PageSetup;

// Options A, a separator and B; A's client area is 100 high, B's 203.
std::vector<PageSetup> TwoPagesAndASeparator() {
    return {{"常规", 300, 100, {"开机时自动运行"}}, {"SEPERATOR", 0, 0, {}}, {"提醒", 280, 203, {"提醒时播放声音"}}};
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return testkit::SendWithTimeout(window, message, wParam, lParam).value_or(-1);
}

int ToolbarHeight(HWND toolbar) {
    return HIWORD(Send(toolbar, TB_GETBUTTONSIZE)) + 2;
}

bool Checked(HWND toolbar, int command) {
    return Send(toolbar, TB_ISBUTTONCHECKED, command) != 0;
}

RECT ClientRectOf(HWND window, HWND in) {
    RECT rect = testkit::WindowRectangle(window);
    MapWindowPoints(nullptr, in, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(PreferencesDialog, CommandsFollowListPositions) {
    FrameRun run(TwoPagesAndASeparator(), -1);
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(run.Added(), (std::vector<int>{1, 1, 1}));
    HWND toolbar = GetDlgItem(frame, kPreferencesToolbarId);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(Send(toolbar, TB_BUTTONCOUNT), 3);
    const int expected[] = {1024, 0, 1026};
    for (int i = 0; i < 3; ++i) {
        TBBUTTON button = {};
        // The toolbar writes into this process's memory on its own thread.
        ASSERT_NE(Send(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)), 0);
        EXPECT_EQ(button.idCommand, expected[i]) << "button " << i;
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, i == 1) << "button " << i;
    }
    // Opened without an initial page: the first is shown.
    EXPECT_EQ(run.Frame().GetCurrentPage(), 1024);
    EXPECT_TRUE(Checked(toolbar, 1024));
    EXPECT_TRUE(IsWindowVisible(run.Page(0)));
    EXPECT_FALSE(IsWindowVisible(run.Page(2)));
    EXPECT_EQ(GetParent(run.Page(0)), frame);

    Send(frame, WM_COMMAND, 1026);
    EXPECT_EQ(run.Frame().GetCurrentPage(), 1026);
    EXPECT_TRUE(IsWindowVisible(run.Page(2)));
    EXPECT_FALSE(IsWindowVisible(run.Page(0)));
    EXPECT_TRUE(Checked(toolbar, 1026));
    EXPECT_FALSE(Checked(toolbar, 1024));

    // The separator and commands past the list select nothing.
    for (int command : {1025, 1027, 2000}) {
        Send(frame, WM_COMMAND, command);
        EXPECT_EQ(run.Frame().GetCurrentPage(), 1026) << command;
        EXPECT_TRUE(IsWindowVisible(run.Page(2))) << command;
    }
    Send(frame, WM_COMMAND, IDCANCEL);
    EXPECT_EQ(run.Result(), IDCANCEL);
    // The pages are the caller's and outlive the frame.
    EXPECT_TRUE(run.PagesSurvived());
}

TEST(PreferencesDialog, InitialPageIsShownOnOpening) {
    FrameRun run(TwoPagesAndASeparator(), 2);
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(run.Frame().GetCurrentPage(), 1026);
    EXPECT_TRUE(IsWindowVisible(run.Page(2)));
    EXPECT_FALSE(IsWindowVisible(run.Page(0)));
    EXPECT_TRUE(Checked(GetDlgItem(frame, kPreferencesToolbarId), 1026));
}

TEST(PreferencesDialog, FrameFitsThePageInFiveSteps) {
    FrameRun run(TwoPagesAndASeparator(), 0);
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    HWND toolbar = GetDlgItem(frame, kPreferencesToolbarId);
    const int toolbarHeight = ToolbarHeight(toolbar);
    RECT bounds = testkit::WindowRectangle(frame);
    EXPECT_EQ(bounds.bottom - bounds.top, 100 + toolbarHeight + 54);
    EXPECT_EQ(bounds.right - bounds.left, 300 + 8);
    const RECT page = ClientRectOf(run.Page(0), frame);
    EXPECT_EQ(page.left, 0);
    EXPECT_EQ(page.top, toolbarHeight);
    EXPECT_EQ(page.bottom - page.top, 100);

    // 100 to 203: four steps of 20, the last one takes the remaining 23.
    RECT before = {};
    GetClientRect(frame, &before);
    run.Frame().ForgetSizes();
    Send(frame, WM_COMMAND, 1026);
    const std::vector<int> heights = run.Frame().ClientHeights();
    ASSERT_EQ(heights.size(), 5u);
    std::vector<int> steps;
    int previous = before.bottom;
    for (int height : heights) {
        steps.push_back(height - previous);
        previous = height;
    }
    EXPECT_EQ(steps, (std::vector<int>{20, 20, 20, 20, 23}));
    bounds = testkit::WindowRectangle(frame);
    EXPECT_EQ(bounds.bottom - bounds.top, 203 + toolbarHeight + 54);
    EXPECT_EQ(bounds.right - bounds.left, 280 + 8);

    // The toolbar spans the top; OK and Cancel sit 100 x 20 and 50 x 20
    // dialog units from the bottom-right corner.
    RECT client = {};
    GetClientRect(frame, &client);
    const RECT bar = ClientRectOf(toolbar, frame);
    EXPECT_EQ(bar.right - bar.left, client.right);
    EXPECT_EQ(bar.bottom - bar.top, toolbarHeight);
    RECT okOffset = {0, 0, 100, 20};
    RECT cancelOffset = {0, 0, 50, 20};
    MapDialogRect(frame, &okOffset);
    MapDialogRect(frame, &cancelOffset);
    const RECT ok = ClientRectOf(GetDlgItem(frame, IDOK), frame);
    const RECT cancel = ClientRectOf(GetDlgItem(frame, IDCANCEL), frame);
    EXPECT_EQ(ok.left, client.right - okOffset.right);
    EXPECT_EQ(ok.top, client.bottom - okOffset.bottom);
    EXPECT_EQ(cancel.left, client.right - cancelOffset.right);
    EXPECT_EQ(cancel.top, client.bottom - cancelOffset.bottom);
    EXPECT_EQ(cancel.right - cancel.left, ok.right - ok.left);

    // The page shown again: its button stays down, nothing moves.
    run.Frame().ForgetSizes();
    Send(frame, WM_COMMAND, 1026);
    EXPECT_TRUE(run.Frame().ClientHeights().empty());
    EXPECT_TRUE(Checked(toolbar, 1026));
}

TEST(PreferencesDialog, OkWaitsUntilEveryPageAccepts) {
    FrameRun run(TwoPagesAndASeparator(), -1);
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    run.SetRefuses(2, true);
    Send(frame, WM_COMMAND, IDOK);
    testkit::PumpMessages(100);
    EXPECT_TRUE(IsWindow(frame));
    run.SetRefuses(2, false);
    Send(frame, WM_COMMAND, IDOK);
    EXPECT_EQ(run.Result(), IDOK);
}

TEST(PreferencesDialog, CaptionIsCutToThirtyNineBytes) {
    const std::string sixty(60, 'c');
    FrameRun run({{"常规", 200, 80, {}}}, -1, sixty.c_str());
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(testkit::WindowText(frame), std::string(39, 'c'));
}

TEST(PreferencesDialog, DefaultCaption) {
    FrameRun run({{"常规", 200, 80, {}}}, -1);
    HWND frame = run.WaitForFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(testkit::WindowText(frame), "属性设置");
}

TEST(PreferencesDialog, OptionsNeedIconTitleAndACreatedPage) {
    CPreferencesDialog frame;
    HWND page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    HBITMAP icon = CreateBitmap(32, 32, 1, 32, nullptr);
    EXPECT_EQ(frame.AddSubOption(nullptr, "A", page), 0);
    EXPECT_EQ(frame.AddSubOption(icon, nullptr, page), 0);
    EXPECT_EQ(frame.AddSubOption(icon, "A", nullptr), 0);
    EXPECT_EQ(frame.AddSubOption(icon, "A", gone), 0);
    EXPECT_EQ(frame.AddSubOption(nullptr, "seperator", nullptr), 1);
    EXPECT_EQ(frame.AddSubOption(icon, "A", page), 1);
    DeleteObject(icon);
    DestroyWindow(page);
}

}  // namespace
}  // namespace cmmctrls
