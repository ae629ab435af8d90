// The time sync dialog against a local RFC 868 server, with a clock the
// test sets and a recorder in place of the real clock setter: what it
// shows while it works and when it has finished, what it sets the clock
// to, the time-change broadcast, failures within their time-outs, closing
// it while the worker waits, and the LoaderWindow's 网络校时 command.

#include "loader/win32/time_sync_dialog.h"
#include "loader/tests/win32/quiet_desktop.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "loader/module_manager.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/system_module_platform.h"
#include "loader/win32/time_sync_dialog_resources.h"
#include "services/product_identity.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/time_test_server.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr char kTitle[] = "泽鲁桌面日历V4.0－网络校时";
// 2013-01-01 00:00:00 UTC: the count D4 8C A5 80.
constexpr std::int64_t k2013 = 1356998400;

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    LocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

std::string Fields(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

// Records what the clock is set to and, like the real clock, shows it from
// then on. Called on the dialog's thread, which is the test's.
class RecordingSetter : public alarmclock::IClockSetter {
public:
    explicit RecordingSetter(FakeClock& clock) : clock_(clock) {}
    bool SetLocalClock(const LocalTime& local) override {
        set.push_back(Fields(local));
        if (accepts) {
            clock_.Set(FromLocalTime(local));
        }
        return accepts;
    }
    std::vector<std::string> set;
    bool accepts = true;

private:
    FakeClock& clock_;
};

// A hidden top-level window of the test that counts the WM_TIMECHANGE
// broadcasts it receives.
class TimeChangeListener {
public:
    TimeChangeListener() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TimeChangeListener::Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TimeSyncTestListener";
        RegisterClassA(&windowClass);  // already registered by an earlier test: no matter
        window_.reset(CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      windowClass.hInstance, nullptr));
        count_ = 0;
    }
    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_TIMECHANGE) {
            ++count_;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline int count_ = 0;
    UniqueWindow window_;
};

template <typename Condition>
bool PumpUntil(Condition done, unsigned timeoutMs = 5000) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(20);
    }
    return done();
}

// A port on 127.0.0.1 where nothing listens: a server's, after it stopped.
unsigned short RefusingPort() {
    testkit::TimeTestServer server(testkit::TimeReply::CloseAtOnce());
    const unsigned short port = server.Port();
    server.Stop();
    return port;
}

RECT ClientPlace(HWND dialog, HWND control) {
    RECT place = testkit::WindowRectangle(control);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

class TimeSyncDialogTest : public testing::Test {
protected:
    // A dialog asking the server on `port`, made and shown.
    std::unique_ptr<TimeSyncDialog> Open(unsigned short port, FetchTimeouts timeouts = {2000, 2000}) {
        TimeSyncSetup setup;
        setup.server = {"127.0.0.1", port};
        setup.timeouts = timeouts;
        auto dialog = std::make_unique<TimeSyncDialog>(GetModuleHandleA(nullptr), clock_, setter_, setup, kTitle);
        EXPECT_TRUE(dialog->Create());
        return dialog;
    }

    bool Finished(const TimeSyncDialog& dialog) const { return dialog.Progress() == 100; }

    std::string Status(const TimeSyncDialog& dialog) const {
        return testkit::WindowText(GetDlgItem(dialog.window(), IDC_TIME_SYNC_STATUS));
    }
    HWND Bar(const TimeSyncDialog& dialog) const { return GetDlgItem(dialog.window(), IDC_TIME_SYNC_PROGRESS); }
    int BarPosition(const TimeSyncDialog& dialog) const {
        return static_cast<int>(SendMessageA(Bar(dialog), PBM_GETPOS, 0, 0));
    }
    bool CloseEnabled(const TimeSyncDialog& dialog) const {
        return IsWindowEnabled(GetDlgItem(dialog.window(), IDCANCEL)) != FALSE;
    }

    // Waits for the end and checks what every failure shows.
    void ExpectFailure(TimeSyncDialog& dialog, int resultCode) {
        ASSERT_TRUE(PumpUntil([&] { return Finished(dialog); }));
        EXPECT_EQ(dialog.ResultCode(), resultCode);
        EXPECT_EQ(Status(dialog), "网络校时失败！请稍后再试！");
        EXPECT_TRUE(CloseEnabled(dialog));
        EXPECT_TRUE(IsWindowVisible(Bar(dialog)));
        EXPECT_EQ(BarPosition(dialog), 100);
    }

    FakeClock clock_{FromLocalTime(At(2012, 12, 31, 23, 59, 30))};
    RecordingSetter setter_{clock_};
    TimeChangeListener listener_;
};

TEST_F(TimeSyncDialogTest, WhileItWorksCloseIsDisabledAndTheTextAsksToWait) {
    testkit::TimeTestServer server(testkit::TimeReply::Silent());
    auto dialog = Open(server.Port());
    HWND window = dialog->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(testkit::WindowText(window), kTitle);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);  // in the task bar
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendDlgItemMessageA(window, IDC_TIME_SYNC_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(Status(*dialog), "正在进行网络校时，请稍候...");
    EXPECT_EQ(testkit::WindowText(GetDlgItem(window, IDCANCEL)), "关闭");
    EXPECT_FALSE(CloseEnabled(*dialog));
    EXPECT_EQ(SendMessageA(Bar(*dialog), PBM_GETRANGE, FALSE, 0), 100);

    // Connected, waiting for the reply; 关闭 does nothing yet.
    EXPECT_TRUE(PumpUntil([&] { return dialog->Progress() == 40; }));
    EXPECT_EQ(BarPosition(*dialog), 40);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(CloseEnabled(*dialog));
}

TEST_F(TimeSyncDialogTest, SuccessSetsTheServedMomentAndShowsBothTimes) {
    testkit::TimeTestServer server(testkit::TimeReply::Time(k2013));
    auto dialog = Open(server.Port());
    const RECT statusBefore = ClientPlace(dialog->window(), GetDlgItem(dialog->window(), IDC_TIME_SYNC_STATUS));
    ASSERT_TRUE(PumpUntil([&] { return Finished(*dialog) && listener_.Count() > 0; }));

    EXPECT_EQ(dialog->ResultCode(), 0);
    EXPECT_EQ(setter_.set, std::vector<std::string>{"2013-01-01 08:00:00"});  // UTC+8
    EXPECT_EQ(listener_.Count(), 1);
    EXPECT_EQ(Status(*dialog),
              "网络校时成功！\r\n原本地时间：2012年12月31日 23:59:30\r\n现本地时间：2013年1月1日 08:00:00");
    EXPECT_FALSE(IsWindowVisible(Bar(*dialog)));
    EXPECT_TRUE(CloseEnabled(*dialog));
    const RECT statusAfter = ClientPlace(dialog->window(), GetDlgItem(dialog->window(), IDC_TIME_SYNC_STATUS));
    EXPECT_EQ(statusAfter.top, statusBefore.top);
    EXPECT_EQ(statusAfter.bottom, statusBefore.bottom + 30);
    EXPECT_EQ(server.ConnectionCount(), 1u);

    testkit::PumpMessages(200);  // painted
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(dialog->window(), "screenshots\\time_sync_dialog.png"));

    SendMessageA(dialog->window(), WM_COMMAND, IDCANCEL, 0);  // 关闭
    EXPECT_EQ(dialog->window(), nullptr);
}

TEST_F(TimeSyncDialogTest, RefusedConnectionFailsWith1002AndLeavesTheClock) {
    auto dialog = Open(RefusingPort());
    ExpectFailure(*dialog, 1002);
    EXPECT_TRUE(setter_.set.empty());
    testkit::PumpMessages(100);
    EXPECT_EQ(listener_.Count(), 0);
}

TEST_F(TimeSyncDialogTest, ShortOrMissingRepliesFailWithinTheReadTimeOut) {
    struct Case {
        const char* name;
        testkit::TimeReply reply;
    } const cases[] = {
        {"two bytes, then silence", testkit::TimeReply::Stall(k2013, 2)},
        {"two bytes, then closed", testkit::TimeReply::Partial(k2013, 2)},
        {"silence", testkit::TimeReply::Silent()},
        {"closed at once", testkit::TimeReply::CloseAtOnce()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testkit::TimeTestServer server(c.reply);
        testkit::Stopwatch watch;
        auto dialog = Open(server.Port(), {2000, 300});
        ExpectFailure(*dialog, 1003);
        EXPECT_LT(watch.Milliseconds(), 2500);
    }
    EXPECT_TRUE(setter_.set.empty());
}

TEST_F(TimeSyncDialogTest, TimeBeyondWhatTheClockHoldsSetsNothing) {
    // 2038-01-19 03:14:08 UTC, one second past the last 32-bit moment.
    testkit::TimeTestServer server(testkit::TimeReply::Time(2147483648));
    auto dialog = Open(server.Port());
    ExpectFailure(*dialog, 1003);
    EXPECT_TRUE(setter_.set.empty());
}

TEST_F(TimeSyncDialogTest, ClockThatCannotBeSetFailsWith1005) {
    setter_.accepts = false;
    testkit::TimeTestServer server(testkit::TimeReply::Time(k2013));
    auto dialog = Open(server.Port());
    ExpectFailure(*dialog, 1005);
    EXPECT_EQ(setter_.set, std::vector<std::string>{"2013-01-01 08:00:00"});
    testkit::PumpMessages(100);
    EXPECT_EQ(listener_.Count(), 0);
}

TEST_F(TimeSyncDialogTest, ClosingWhileTheWorkerWaitsSetsNothingAndDoesNotCrash) {
    testkit::TimeTestServer server(testkit::TimeReply::Silent());
    // Freed while connected and waiting (the tool-window slots do this).
    {
        auto dialog = Open(server.Port(), {10000, 10000});
        ASSERT_TRUE(PumpUntil([&] { return dialog->Progress() == 40; }));
    }
    // Closed with the caption's close box while waiting; the object lives on.
    auto dialog = Open(server.Port(), {10000, 10000});
    ASSERT_TRUE(PumpUntil([&] { return dialog->Progress() == 40; }));
    SendMessageA(dialog->window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->window(), nullptr);
    // A reply that comes now reaches no one.
    server.SetReply(testkit::TimeReply::Time(k2013));
    testkit::PumpMessages(500);
    dialog.reset();
    EXPECT_TRUE(setter_.set.empty());
    EXPECT_EQ(listener_.Count(), 0);
}

TEST_F(TimeSyncDialogTest, MenuCommandOpensOneDialogAndReopensItFresh) {
    testkit::TimeTestServer server(testkit::TimeReply::Time(k2013));
    SystemModulePlatform platform;
    ModuleManager modules(platform, "C:\\nonexistent\\module.ini");
    QuietShell shell;
    QuietPower power;
    LoaderWindowOptions options;
    options.instance = GetModuleHandleA(nullptr);  // this program carries the loader's resources
    options.productName = services::kSoftName;
    options.productVersion = services::kSoftVersion;
    options.endsMessageLoop = false;
    options.timeSync.server = {"127.0.0.1", server.Port()};
    options.timeSync.clockSetter = &setter_;
    LoaderWindow loader(clock_, modules, shell, power, options);
    ASSERT_TRUE(loader.Create());
    const testkit::WindowQuery query{.title = kTitle, .processId = GetCurrentProcessId()};

    SendMessageA(loader.Handle(), WM_COMMAND, 70100, 0);  // 网络校时
    HWND first = testkit::FindTopLevelWindow(query);
    ASSERT_NE(first, nullptr);
    SendMessageA(loader.Handle(), WM_COMMAND, 70100, 0);
    EXPECT_FALSE(IsWindow(first));
    const std::vector<HWND> open = testkit::FindTopLevelWindows(query);
    ASSERT_EQ(open.size(), 1u);

    HWND status = GetDlgItem(open[0], IDC_TIME_SYNC_STATUS);
    EXPECT_TRUE(PumpUntil([&] { return testkit::WindowText(status).rfind("网络校时成功！", 0) == 0; }));
    EXPECT_EQ(setter_.set, std::vector<std::string>{"2013-01-01 08:00:00"});
}

}  // namespace
