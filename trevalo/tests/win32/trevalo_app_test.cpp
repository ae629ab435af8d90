// Trevalo.exe itself, started from a scratch installation as the tray
// program starts it: the mode argument, one instance per mode, the history
// window's title, and message 2025 from another process.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/handles.h"
#include "hook/win32/lyn_hook32.h"
#include "testkit/win32/documents_redirect.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "trevalo/tests/win32/trevalo_fixture.h"
#include "trevalo/window_titles.h"

namespace {

constexpr unsigned kWaitMs = 15000;

// The visible top-level windows of `process` whose titles begin with `title`.
std::vector<HWND> WindowsTitled(HANDLE process, const std::string& title) {
    testkit::WindowQuery query;
    query.processId = GetProcessId(process);
    query.visibleOnly = true;
    std::vector<HWND> found;
    for (HWND window : testkit::FindTopLevelWindows(query)) {
        if (testkit::WindowText(window).rfind(title, 0) == 0) {
            found.push_back(window);
        }
    }
    return found;
}

HWND WaitForWindowTitled(HANDLE process, const std::string& title) {
    testkit::Stopwatch watch;
    while (watch.Milliseconds() < kWaitMs) {
        std::vector<HWND> found = WindowsTitled(process, title);
        if (!found.empty()) {
            return found.front();
        }
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) {
            return nullptr;
        }
    }
    return nullptr;
}

// EnumChildWindows' callback (stdcall, so not a lambda): keeps the first
// tree control in the HWND that `found` points to.
BOOL CALLBACK KeepFirstTree(HWND child, LPARAM found) {
    if (testkit::WindowClassName(child) == WC_TREEVIEWA) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// The tree of `window` (another process's), once it holds at least
// `items` items; nullptr when it does not within the wait.
HWND WaitForTree(HWND window, LRESULT items) {
    HWND tree = nullptr;
    EnumChildWindows(window, &KeepFirstTree, reinterpret_cast<LPARAM>(&tree));
    testkit::Stopwatch watch;
    while (tree != nullptr && SendMessageA(tree, TVM_GETCOUNT, 0, 0) < items) {
        if (watch.Milliseconds() > kWaitMs) {
            return nullptr;
        }
        Sleep(50);
    }
    return tree;
}

class TrevaloProgramTest : public testing::Test {
protected:
    TrevaloProgramTest() {
        folder_.AddProgram();
        folder_.AddSkin();
        folder_.AddShippedData();
    }

    void SetUp() override { ASSERT_TRUE(redirect_.ok()); }

    ~TrevaloProgramTest() override {
        for (UniqueHandle& process : started_) {
            if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
                TerminateProcess(process.get(), 1);
                WaitForSingleObject(process.get(), kWaitMs);
            }
        }
    }

    HANDLE Start(const std::string& arguments) {
        UniqueHandle process = testkit::StartProgram(folder_.PathOf("Trevalo.exe"), arguments, folder_.Path());
        EXPECT_TRUE(process) << "cannot start Trevalo.exe: " << GetLastError();
        started_.push_back(std::move(process));
        return started_.back().get();
    }

    // True when `process` ends by itself within `waitMs` with exit code 0.
    static bool EndsCleanly(HANDLE process, unsigned waitMs) {
        DWORD code = 99;
        return WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code) && code == 0;
    }

    TrevaloFolder folder_{"program"};
    TrevaloFolder documents_{"documents"};
    testkit::DocumentsRedirect redirect_{documents_.Path()};
    std::vector<UniqueHandle> started_;
};

TEST_F(TrevaloProgramTest, ArgumentsThatNameNoSingleModeEndAtOnceWithoutAWindow) {
    for (const char* arguments :
         {"", "APPMODEL_MSNHISTORY APPMODEL_TREVALO", "APPMODEL_MSNHISTORY APPMODEL_MSNHISTORY", "APPMODEL_OTHER"}) {
        SCOPED_TRACE(arguments);
        HANDLE process = Start(arguments);
        ASSERT_NE(process, nullptr);
        EXPECT_TRUE(EndsCleanly(process, kWaitMs));
    }
}

TEST_F(TrevaloProgramTest, LowerCaseHistoryArgumentOpensTheHistoryWindowAndEndProgramEndsIt) {
    HANDLE process = Start("appmodel_msnhistory");
    HWND window = WaitForWindowTitled(process, kHistoryWindowTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(testkit::WindowText(window), kHistoryWindowTitle);
    PostMessageA(window, kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(EndsCleanly(process, kWaitMs));
}

// Each mode's window registers itself with LynHook32 once it is set up, so
// the tray program can bring it forward.
TEST_F(TrevaloProgramTest, BringForwardThroughTheHookRestoresEachModesWindow) {
    HANDLE history = Start("APPMODEL_MSNHISTORY");
    HWND historyWindow = WaitForWindowTitled(history, kHistoryWindowTitle);
    ASSERT_NE(historyWindow, nullptr);
    HANDLE navigation = Start("APPMODEL_TREVALO");
    HWND navigationWindow = WaitForWindowTitled(navigation, kNavigationWindowTitle);
    ASSERT_NE(navigationWindow, nullptr);

    const struct {
        HWND window;
        int (*bringForward)();
    } modes[] = {{historyWindow, &ActiveMsnviewWnd}, {navigationWindow, &ActiveTrevaloWnd}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(testkit::WindowText(mode.window));
        ShowWindow(mode.window, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(mode.window));
        EXPECT_EQ(mode.bringForward(), 1);
        testkit::Stopwatch watch;
        while (IsIconic(mode.window) && watch.Milliseconds() < 5000) {
            Sleep(50);
        }
        EXPECT_FALSE(IsIconic(mode.window));
    }

    PostMessageA(historyWindow, kLynHookMessage, kLynHookEndProgram, 0);
    PostMessageA(navigationWindow, kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(EndsCleanly(history, kWaitMs));
    EXPECT_TRUE(EndsCleanly(navigation, kWaitMs));
    // The windows are gone: there is nothing left to bring forward.
    EXPECT_EQ(ActiveMsnviewWnd(), 0);
    EXPECT_EQ(ActiveTrevaloWnd(), 0);
}

TEST_F(TrevaloProgramTest, SecondStartOfAModeEndsAtOnceWhileTheOtherModeStillStarts) {
    struct Mode {
        const char* argument;
        const char* title;
    };
    const Mode history{"APPMODEL_MSNHISTORY", kHistoryWindowTitle};
    const Mode navigation{"APPMODEL_TREVALO", kNavigationWindowTitle};
    const std::pair<Mode, Mode> cases[] = {{history, navigation}, {navigation, history}};
    for (const auto& [mode, other] : cases) {
        SCOPED_TRACE(mode.argument);
        HANDLE first = Start(mode.argument);
        HWND firstWindow = WaitForWindowTitled(first, mode.title);
        ASSERT_NE(firstWindow, nullptr);

        testkit::Stopwatch watch;
        HANDLE second = Start(mode.argument);
        EXPECT_TRUE(EndsCleanly(second, kWaitMs));
        EXPECT_LT(watch.Milliseconds(), 5000);
        EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));

        HANDLE third = Start(other.argument);
        HWND otherWindow = WaitForWindowTitled(third, other.title);
        EXPECT_NE(otherWindow, nullptr);

        PostMessageA(firstWindow, kLynHookMessage, kLynHookEndProgram, 0);
        EXPECT_TRUE(EndsCleanly(first, kWaitMs));
        if (otherWindow != nullptr) {
            PostMessageA(otherWindow, kLynHookMessage, kLynHookEndProgram, 0);
            EXPECT_TRUE(EndsCleanly(third, kWaitMs));
        }
    }
}

}  // namespace

// Both modes as a user first sees them, started from an installation with
// the shipped data: the history tree finds the account and its log in the
// documents folder, the navigation tree lists the shipped sites.
TEST_F(TrevaloProgramTest, EachModeFillsItsTreeFromTheDocumentsAndTheShippedData) {
    documents_.Write("john0123456789\\alice123456789.xml", ChatLogXml({"你好", "明天见"}));
    std::filesystem::create_directories("screenshots");

    HANDLE history = Start("APPMODEL_MSNHISTORY");
    HWND historyWindow = WaitForWindowTitled(history, kHistoryWindowTitle);
    ASSERT_NE(historyWindow, nullptr);
    HWND historyTree = WaitForTree(historyWindow, 2);
    ASSERT_NE(historyTree, nullptr);
    SendMessageA(historyTree, TVM_EXPAND, TVE_EXPAND, SendMessageA(historyTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    testkit::PumpMessages(500);  // let it paint
    EXPECT_TRUE(testkit::SaveWindowPng(historyWindow, "screenshots\\trevalo_history_program.png"));
    PostMessageA(historyWindow, kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(EndsCleanly(history, kWaitMs));

    HANDLE navigation = Start("APPMODEL_TREVALO");
    HWND navigationWindow = WaitForWindowTitled(navigation, kNavigationWindowTitle);
    ASSERT_NE(navigationWindow, nullptr);
    // The four categories and, below them, sites of every shipped file.
    HWND navigationTree = WaitForTree(navigationWindow, 20);
    ASSERT_NE(navigationTree, nullptr);
    SendMessageA(navigationTree, TVM_EXPAND, TVE_EXPAND, SendMessageA(navigationTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    testkit::PumpMessages(500);
    EXPECT_TRUE(testkit::SaveWindowPng(navigationWindow, "screenshots\\trevalo_navigation.png"));
    PostMessageA(navigationWindow, kLynHookMessage, kLynHookEndProgram, 0);
    EXPECT_TRUE(EndsCleanly(navigation, kWaitMs));
}
