// The scheduled shutdown's two dialogs driven through their controls, with
// a scratch Data\module.ini and a recording power control, and the
// LoaderWindow's menu command and minute check that open them.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "loader/tests/win32/fixture_folder.h"
#include "loader/tests/win32/loader_window_harness.h"
#include "loader/win32/dialog_keys.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/shutdown_countdown_dialog.h"
#include "loader/win32/shutdown_dialog.h"
#include "loader/win32/shutdown_resources.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

constexpr char kMessageCaption[] = "泽鲁桌面日历V4.0";
constexpr char kSettingsTitle[] = "泽鲁桌面日历V4.0－定时关机设置";
constexpr char kCountdownTitle[] = "泽鲁桌面日历V4.0－定时关机";

// Records each request with the milliseconds since the recorder was made.
class RecordingPower : public PowerControl {
public:
    void PowerCommand(unsigned exitFlag) override {
        flags.push_back(exitFlag);
        atMilliseconds.push_back(watch_.Milliseconds());
    }
    std::vector<unsigned> flags;
    std::vector<long long> atMilliseconds;

private:
    testkit::Stopwatch watch_;
};

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void SaveScreenshot(HWND window, const std::string& name) {
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveWindowPng(window, "screenshots\\" + name));
}

class ShutdownDialogTest : public testing::Test {
protected:
    void Open(const std::string& settings) {
        folder_.Write("Data\\module.ini", settings);
        dialog_ = ShutdownDialog::Open(GetModuleHandleA(nullptr), SettingsPath(), kSettingsTitle);
        ASSERT_NE(dialog_, nullptr);
        ASSERT_NE(dialog_->Handle(), nullptr);
        testkit::PumpMessages(50);
    }
    std::string SettingsPath() const { return folder_.PathOf("Data\\module.ini"); }
    HWND Item(int id) const { return GetDlgItem(dialog_->Handle(), id); }
    std::string Text(int id) const { return testkit::WindowText(Item(id)); }
    void Type(int id, const std::string& text) const { SetWindowTextA(Item(id), text.c_str()); }
    void Click(int id) const { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    std::vector<bool> TimeFieldsEnabled() const {
        std::vector<bool> enabled;
        for (int id : {IDC_SHUTDOWN_HOUR, IDC_SHUTDOWN_HOUR_ARROWS, IDC_SHUTDOWN_MINUTE, IDC_SHUTDOWN_MINUTE_ARROWS}) {
            enabled.push_back(IsWindowEnabled(Item(id)) != FALSE);
        }
        return enabled;
    }

    FixtureFolder folder_{"shutdown"};
    std::unique_ptr<ShutdownDialog> dialog_;
};

TEST_F(ShutdownDialogTest, OpensWithTheStoredSettingInTheTaskBar) {
    Open("[windowsexit]\r\nhour=23\r\nminute=59\r\nstart=1\r\n");
    HWND window = dialog_->Handle();
    EXPECT_EQ(testkit::WindowText(window), kSettingsTitle);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(Text(IDC_SHUTDOWN_HOUR), "23");
    EXPECT_EQ(Text(IDC_SHUTDOWN_MINUTE), "59");
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_SHUTDOWN_ON), BST_CHECKED);
    EXPECT_EQ(TimeFieldsEnabled(), (std::vector<bool>{true, true, true, true}));
    int low = -1;
    int high = -1;
    SendMessageA(Item(IDC_SHUTDOWN_HOUR_ARROWS), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 23);
    SendMessageA(Item(IDC_SHUTDOWN_MINUTE_ARROWS), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 59);
    testkit::PumpMessages(200);  // let it paint
    SaveScreenshot(window, "shutdown_dialog.png");
}

TEST_F(ShutdownDialogTest, TheCheckBoxEnablesAndDisablesTheTimeFields) {
    Open("[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=0\r\n");
    EXPECT_EQ(TimeFieldsEnabled(), (std::vector<bool>{false, false, false, false}));
    Click(IDC_SHUTDOWN_ON);
    EXPECT_EQ(TimeFieldsEnabled(), (std::vector<bool>{true, true, true, true}));
    Click(IDC_SHUTDOWN_ON);
    EXPECT_EQ(TimeFieldsEnabled(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(ShutdownDialogTest, OutOfRangeEntriesAreRefusedWithTheMinuteMessageFirst) {
    const std::string stored = "[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=1\r\n";
    struct Case {
        const char* hour;
        const char* minute;
        const char* message;
    } const cases[] = {
        {"12", "60", "请输入一个0和59之间的数字！"},
        {"30", "75", "请输入一个0和59之间的数字！"},
        {"24", "0", "请输入一个0和23之间的数字！"},
        {"99999999999", "0", "请输入一个0和23之间的数字！"},  // too big for a number, not wrapped into range
    };
    Open(stored);
    for (const Case& c : cases) {
        Type(IDC_SHUTDOWN_HOUR, c.hour);
        Type(IDC_SHUTDOWN_MINUTE, c.minute);
        testkit::MessageBoxAnswerer answerer(kMessageCaption, IDOK);
        Click(IDOK);
        std::optional<testkit::AnsweredDialog> shown = answerer.Result();
        ASSERT_TRUE(shown.has_value()) << c.hour << ":" << c.minute;
        EXPECT_EQ(shown->text, c.message) << c.hour << ":" << c.minute;
        EXPECT_EQ(shown->icon, testkit::MessageBoxIcon::kInformation);
        EXPECT_EQ(shown->owner, dialog_->Handle());
        ASSERT_NE(dialog_->Handle(), nullptr) << "the dialog stays open";
        EXPECT_EQ(ReadText(SettingsPath()), stored);
    }
}

TEST_F(ShutdownDialogTest, MidnightIsAcceptedAndWrittenAsZeros) {
    Open("[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=0\r\n");
    Click(IDC_SHUTDOWN_ON);
    Type(IDC_SHUTDOWN_HOUR, "0");
    Type(IDC_SHUTDOWN_MINUTE, "0");
    Click(IDOK);
    EXPECT_EQ(dialog_->Handle(), nullptr) << "closed after saving";
    EXPECT_EQ(ReadText(SettingsPath()), "[windowsexit]\r\nhour=0\r\nminute=0\r\nstart=1\r\n");
}

TEST_F(ShutdownDialogTest, CancelClosesWithoutWriting) {
    const std::string stored = "[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=1\r\n";
    Open(stored);
    Type(IDC_SHUTDOWN_HOUR, "8");
    Click(IDCANCEL);
    EXPECT_EQ(dialog_->Handle(), nullptr);
    EXPECT_EQ(ReadText(SettingsPath()), stored);
}

// The loader's message loop, for a while: keys go to the dialogs first.
void RunLoaderLoop(unsigned milliseconds) {
    const testkit::Stopwatch watch;
    while (watch.Milliseconds() < milliseconds) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!RouteDialogKeys(message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        Sleep(10);
    }
}

TEST_F(ShutdownDialogTest, TabMovesOnAndEscapeClosesWithoutWriting) {
    const std::string stored = "[windowsexit]\r\nhour=7\r\nminute=5\r\nstart=1\r\n";
    Open(stored);
    SetFocus(Item(IDC_SHUTDOWN_HOUR));
    PostMessageA(Item(IDC_SHUTDOWN_HOUR), WM_KEYDOWN, VK_TAB, 0);
    RunLoaderLoop(300);
    EXPECT_NE(GetFocus(), Item(IDC_SHUTDOWN_HOUR));
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    RunLoaderLoop(300);
    EXPECT_EQ(dialog_->Handle(), nullptr);
    EXPECT_EQ(ReadText(SettingsPath()), stored);
}

// Runs the countdown on this thread while `watch` looks at it from another.
template <typename Watch>
bool RunCountdownWatched(PowerControl& power, Watch watch) {
    std::thread watcher([&watch] {
        HWND dialog = testkit::WaitForWindow({.title = kCountdownTitle}, 5000);
        watch(dialog);
    });
    const bool poweredOff = RunShutdownCountdown(GetModuleHandleA(nullptr), nullptr, kCountdownTitle, power);
    watcher.join();
    return poweredOff;
}

TEST(ShutdownCountdown, AfterTenSecondsItPowersOff) {
    RecordingPower power;
    std::atomic<LRESULT> positionAfterTwoSeconds = -1;
    const bool poweredOff = RunCountdownWatched(power, [&](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_NE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
        EXPECT_EQ(testkit::WindowText(GetDlgItem(dialog, IDC_COUNTDOWN_TEXT)),
                  "定时关机功能已被启动，您的系统将在10秒钟后自动关机。要取消，请按“取消”按钮。");
        Sleep(2500);
        positionAfterTwoSeconds =
            testkit::SendWithTimeout(GetDlgItem(dialog, IDC_COUNTDOWN_PROGRESS), PBM_GETPOS, 0, 0).value_or(-1);
        SaveScreenshot(dialog, "shutdown_countdown.png");
    });
    EXPECT_TRUE(poweredOff);
    EXPECT_EQ(positionAfterTwoSeconds, 2);
    // The real power control adds the force flag (4) to every request.
    EXPECT_EQ(power.flags, std::vector<unsigned>{kExitPowerOff});
    ASSERT_EQ(power.atMilliseconds.size(), 1u);
    EXPECT_GE(power.atMilliseconds[0], 9500);
    EXPECT_LT(power.atMilliseconds[0], 13000);
}

TEST(ShutdownCountdown, CancelBeforeTheEndAsksForNothing) {
    RecordingPower power;
    testkit::Stopwatch watch;
    const bool poweredOff = RunCountdownWatched(power, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        Sleep(1500);
        testkit::PostToWindow(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(poweredOff);
    EXPECT_LT(watch.Milliseconds(), 9000);
    EXPECT_TRUE(power.flags.empty());
}

class ShutdownLoaderWindowTest : public testing::Test {
protected:
    void Start(const std::string& settings, const LocalTime& now) {
        harness_.Folder().Write("Data\\module.ini", settings);
        harness_.Clock().Set(FromLocalTime(now));
        ASSERT_TRUE(harness_.Start("127.0.0.1:1", {}, nullptr, &power_));
    }

    RecordingPower power_;
    LoaderWindowHarness harness_{"shutdown_window"};
};

LocalTime At(int hour, int minute, int second) {
    LocalTime time;
    time.year = 2026;
    time.month = 12;
    time.day = 10;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

TEST_F(ShutdownLoaderWindowTest, TheMenuCommandOpensTheSettingsAsTheOneToolWindow) {
    Start("[windowsexit]\r\nhour=22\r\nminute=15\r\nstart=1\r\n", At(12, 0, 0));
    EXPECT_EQ(GetMenuState(harness_.Window().Menu(), command::kScheduledShutdown, MF_BYCOMMAND) & MF_GRAYED, 0u);
    const testkit::WindowQuery settings{.title = kSettingsTitle, .processId = GetCurrentProcessId()};
    SendMessageA(harness_.Handle(), WM_COMMAND, command::kScheduledShutdown, 0);
    HWND dialog = testkit::FindTopLevelWindow(settings);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(testkit::WindowText(GetDlgItem(dialog, IDC_SHUTDOWN_HOUR)), "22");
    // Chosen again, it opens afresh rather than a second time.
    SendMessageA(harness_.Handle(), WM_COMMAND, command::kScheduledShutdown, 0);
    EXPECT_EQ(testkit::FindTopLevelWindows(settings).size(), 1u);
    harness_.Stop();
    EXPECT_EQ(testkit::FindTopLevelWindow(settings), nullptr) << "closed with the loader";
}

// The check at 23:59 shows the countdown; once it is cancelled the check
// pauses, so the same minute does not show it again, and nothing powers off.
// The end of the pause (its timer, sent here at once rather than after a
// minute) starts the check again.
TEST_F(ShutdownLoaderWindowTest, AtTheScheduledMinuteTheCountdownShowsOnceUntilThePauseEnds) {
    Start("[windowsexit]\r\nhour=23\r\nminute=59\r\nstart=1\r\n", At(23, 59, 30));
    std::atomic<bool> shown = false;
    std::atomic<bool> shownAgain = false;
    std::atomic<bool> shownAfterPause = false;
    std::atomic<bool> done = false;
    HWND loader = harness_.Handle();
    std::thread watcher([&] {
        const testkit::WindowQuery countdown{.title = kCountdownTitle, .visibleOnly = true};
        const auto cancelWhenShown = [&countdown](unsigned int timeoutMs) {
            HWND dialog = testkit::WaitForWindow(countdown, timeoutMs);
            if (dialog != nullptr) {
                Sleep(300);
                testkit::PostToWindow(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
                Sleep(500);
            }
            return dialog != nullptr;
        };
        shown = cancelWhenShown(4000);
        shownAgain = shown && cancelWhenShown(4500);
        testkit::PostToWindow(loader, WM_TIMER, timer::kShutdownPause, 0);
        shownAfterPause = shown && cancelWhenShown(4000);
        done = true;
    });
    testkit::Stopwatch watch;
    while (!done && watch.Milliseconds() < 20000) {
        testkit::PumpMessages(50);
    }
    watcher.join();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(shownAgain);
    EXPECT_TRUE(shownAfterPause);
    EXPECT_TRUE(power_.flags.empty());
}

TEST_F(ShutdownLoaderWindowTest, SwitchedOffTheMinuteShowsNoCountdown) {
    Start("[windowsexit]\r\nhour=23\r\nminute=59\r\nstart=0\r\n", At(23, 59, 30));
    std::atomic<bool> shown = false;
    std::atomic<bool> done = false;
    std::thread watcher([&] {
        shown = testkit::WaitForWindow({.title = kCountdownTitle}, 3000) != nullptr;
        done = true;
    });
    while (!done) {
        testkit::PumpMessages(50);
    }
    watcher.join();
    EXPECT_FALSE(shown);
}

}  // namespace
