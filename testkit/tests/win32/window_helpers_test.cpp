#include "testkit/win32/window_helpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "common/win32/handles.h"
#include "testkit/win32/stopwatch.h"

namespace testkit {
namespace {

constexpr char kClass[] = "TestkitProbeWindow";
constexpr char kTitle[] = "窗口助手 测试";
constexpr UINT kAnswerMessage = WM_APP + 1;  // the window answers 42
constexpr UINT kCountMessage = WM_APP + 2;   // the window counts it

std::atomic<int> countedMessages{0};

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAnswerMessage) {
        return 42;
    }
    if (message == kCountMessage) {
        ++countedMessages;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class WindowHelpers : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ProbeProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        RegisterClassA(&windowClass);
    }

    static UniqueWindow MakeWindow(const char* title, int x = 100, int y = 120) {
        return UniqueWindow(CreateWindowExA(0, kClass, title, WS_POPUP | WS_VISIBLE, x, y, 300, 200, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr));
    }
};

TEST_F(WindowHelpers, FindsTopLevelWindowsByClassTitleAndProcess) {
    UniqueWindow window = MakeWindow(kTitle);
    ASSERT_TRUE(window);
    struct Case {
        const char* name;
        WindowQuery query;
        bool found;
    } cases[] = {
        {"class", {.className = kClass}, true},
        {"title", {.title = kTitle}, true},
        {"both", {.className = kClass, .title = kTitle, .processId = GetCurrentProcessId(), .visibleOnly = true}, true},
        {"other title", {.className = kClass, .title = "窗口助手"}, false},
        {"other class", {.className = "Static", .title = kTitle}, false},
        {"other process", {.className = kClass, .processId = GetCurrentProcessId() + 4}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<HWND> found = FindTopLevelWindows(c.query);
        EXPECT_EQ(found.size(), c.found ? 1u : 0u);
        EXPECT_EQ(FindTopLevelWindow(c.query), c.found ? window.get() : nullptr);
    }
    ShowWindow(window.get(), SW_HIDE);
    EXPECT_EQ(FindTopLevelWindow({.title = kTitle, .visibleOnly = true}), nullptr);
    EXPECT_EQ(FindTopLevelWindow({.title = kTitle}), window.get());
}

TEST_F(WindowHelpers, ReadsTextAndRectangle) {
    UniqueWindow window = MakeWindow(kTitle, 100, 120);
    ASSERT_TRUE(window);
    HWND edit = CreateWindowExA(0, "Edit", "控件文字", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, window.get(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(WindowText(window.get()), kTitle);
    EXPECT_EQ(WindowText(edit), "控件文字");
    EXPECT_EQ(ChildWindows(window.get()), std::vector<HWND>{edit});
    EXPECT_EQ(WindowClassName(edit), "Edit");
    RECT rect = WindowRectangle(window.get());
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right, 400);
    EXPECT_EQ(rect.bottom, 320);
}

TEST_F(WindowHelpers, WaitsForAWindowThatAppearsLater) {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    UniqueHandle doneOwner(done);
    std::thread creator([done] {
        Sleep(300);
        UniqueWindow late = MakeWindow("迟到的窗口");
        WaitForSingleObject(done, 10000);
    });
    Stopwatch waiting;
    HWND found = WaitForWindow({.className = kClass, .title = "迟到的窗口"}, 10000);
    EXPECT_NE(found, nullptr);
    EXPECT_GE(waiting.Milliseconds(), 250);
    SetEvent(done);
    creator.join();

    waiting.Restart();
    EXPECT_EQ(WaitForWindow({.title = "从未出现"}, 200), nullptr);
    EXPECT_LT(waiting.Milliseconds(), 2000);
}

TEST_F(WindowHelpers, SendsAndPostsMessages) {
    UniqueWindow window = MakeWindow(kTitle);
    ASSERT_TRUE(window);
    EXPECT_EQ(SendWithTimeout(window.get(), kAnswerMessage, 0, 0), 42);
    countedMessages = 0;
    EXPECT_TRUE(PostToWindow(window.get(), kCountMessage, 0, 0));
    EXPECT_EQ(countedMessages, 0);
    PumpMessages(50);
    EXPECT_EQ(countedMessages, 1);
}

TEST_F(WindowHelpers, SendGivesUpOnAThreadThatDoesNotPump) {
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    UniqueHandle releaseOwner(release);
    std::atomic<HWND> stuck{nullptr};
    std::thread owner([&] {
        UniqueWindow window = MakeWindow("不处理消息");
        stuck = window.get();
        WaitForSingleObject(release, 10000);  // blocks without pumping
    });
    while (stuck.load() == nullptr) {
        Sleep(10);
    }
    Stopwatch sending;
    EXPECT_EQ(SendWithTimeout(stuck.load(), kAnswerMessage, 0, 0, 200), std::nullopt);
    EXPECT_LT(sending.Milliseconds(), 2000);
    // Finding it by title must not wait for the stuck thread either.
    EXPECT_EQ(FindTopLevelWindow({.title = "不处理消息"}), stuck.load());
    SetEvent(release);
    owner.join();
}

}  // namespace
}  // namespace testkit
