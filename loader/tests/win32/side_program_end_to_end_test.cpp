// The tray program's two side-program commands against the real
// Trevalo.exe in a scratch program folder: each starts its mode, and a
// second choice brings the open window forward through LynHook32 instead of
// starting another copy.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "hook/win32/lyn_hook32.h"
#include "loader/loader_commands.h"
#include "loader/tests/win32/fixture_folder.h"
#include "testkit/win32/documents_redirect.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr unsigned kWaitMs = 15000;
constexpr char kLoaderClass[] = "QvCalendar Loader Class";
constexpr char kHistoryTitle[] = "泽鲁MSN聊天记录查看器";
constexpr char kNavigationTitle[] = "泽鲁网址导航";

// The visible top-level windows, of any process, whose titles begin with
// `title`.
std::vector<HWND> WindowsTitled(const std::string& title) {
    testkit::WindowQuery query;
    query.visibleOnly = true;
    std::vector<HWND> found;
    for (HWND window : testkit::FindTopLevelWindows(query)) {
        if (testkit::WindowText(window).rfind(title, 0) == 0) {
            found.push_back(window);
        }
    }
    return found;
}

HWND WaitForWindowTitled(const std::string& title) {
    testkit::Stopwatch watch;
    while (watch.Milliseconds() < kWaitMs) {
        std::vector<HWND> found = WindowsTitled(title);
        if (!found.empty()) {
            return found.front();
        }
        Sleep(50);
    }
    return nullptr;
}

// Ends the side program that owns `window` and waits for its process.
void EndSideProgram(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    UniqueHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    PostMessageA(window, kLynHookMessage, kLynHookEndProgram, 0);
    if (process && WaitForSingleObject(process.get(), kWaitMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the side program did not end";
        TerminateProcess(process.get(), 1);
    }
}

class SideProgramEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(documents_.ok());
        ASSERT_EQ(FindWindowA(kLoaderClass, nullptr), nullptr) << "a tessary is already running in this prefix";
        folder_.AddProgram();
        folder_.AddSideProgram();
        std::filesystem::create_directories(folder_.PathOf("Documents"));
        loader_ = testkit::StartProgram(folder_.PathOf("tessary.exe"), "", folder_.Path());
        ASSERT_TRUE(loader_);
        testkit::WindowQuery query;
        query.className = kLoaderClass;
        query.processId = GetProcessId(loader_.get());
        window_ = testkit::WaitForWindow(query, kWaitMs);
        ASSERT_NE(window_, nullptr);
    }

    void TearDown() override {
        for (const char* title : {kHistoryTitle, kNavigationTitle}) {
            for (HWND window : WindowsTitled(title)) {
                EndSideProgram(window);
            }
        }
        if (loader_ && WaitForSingleObject(loader_.get(), 0) == WAIT_TIMEOUT) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(loader_.get(), kWaitMs) != WAIT_OBJECT_0) {
                TerminateProcess(loader_.get(), 1);
                WaitForSingleObject(loader_.get(), kWaitMs);
            }
        }
    }

    void Choose(unsigned command) const { testkit::PostToWindow(window_, WM_COMMAND, command, 0); }

    // Choosing `command` again raises the minimised `window` of its mode and
    // starts no second copy; `title` is the mode's window title.
    void ExpectSecondChoiceRaisesTheWindow(HWND window, const std::string& title, unsigned command) const {
        ShowWindow(window, SW_MINIMIZE);
        ASSERT_TRUE(IsIconic(window));
        Choose(command);
        testkit::Stopwatch watch;
        while (IsIconic(window) && watch.Milliseconds() < kWaitMs) {
            Sleep(50);
        }
        EXPECT_FALSE(IsIconic(window)) << title;
        Sleep(1500);  // time enough for a second copy to show up, were one started
        EXPECT_EQ(WindowsTitled(title), std::vector<HWND>{window}) << title;
    }

    FixtureFolder folder_{"side_program"};
    testkit::DocumentsRedirect documents_{folder_.PathOf("Documents")};
    UniqueHandle loader_;
    HWND window_ = nullptr;
};

TEST_F(SideProgramEndToEndTest, EachMenuCommandStartsItsModeAndASecondChoiceRaisesTheOpenWindow) {
    Choose(command::kMsnHistory);
    HWND history = WaitForWindowTitled(kHistoryTitle);
    ASSERT_NE(history, nullptr) << "no history window";
    EXPECT_EQ(testkit::WindowText(history), kHistoryTitle);
    ExpectSecondChoiceRaisesTheWindow(history, kHistoryTitle, command::kMsnHistory);

    Choose(command::kNavigation);
    HWND navigation = WaitForWindowTitled(kNavigationTitle);
    ASSERT_NE(navigation, nullptr) << "no navigation window";
    ExpectSecondChoiceRaisesTheWindow(navigation, kNavigationTitle, command::kNavigation);
    EXPECT_EQ(WindowsTitled(kHistoryTitle), std::vector<HWND>{history});
}

}  // namespace
