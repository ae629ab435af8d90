// The tray's system balloon under Wine: its text from the machine's real
// readings, the worker that a pointer move over the icon starts (once) and
// the window's destruction stops, and the balloon the worker has the window
// show while the pointer rests on the icon.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "common/win32/com.h"
#include "common/win32/gdiplus_session.h"
#include "loader/command_line.h"
#include "loader/tests/win32/fixture_folder.h"
#include "loader/tests/win32/quiet_desktop.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/system_module_platform.h"
#include "loader/win32/system_monitor.h"
#include "loader/win32/tray_icon_locator.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    lines.push_back(text.substr(from));
    return lines;
}

// What follows `label` on `line`, or "<missing label>".
std::string After(const std::string& line, const std::string& label) {
    if (line.compare(0, label.size(), label) != 0) {
        return "<missing " + label + ">";
    }
    return line.substr(label.size());
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// Checks every line of a system balloon; the figures only for their form.
void ExpectWellFormedBalloon(const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 10u) << text;
    const std::string separator(30, '-');
    EXPECT_EQ(lines[1], separator);
    EXPECT_EQ(lines[5], separator);
    EXPECT_EQ(lines[8], separator);

    // "2026年12月10日 星期四 20:21:05", the GBK words made ASCII for the pattern.
    std::string date = lines[0];
    for (const char* weekday : {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"}) {
        Replace(date, weekday, "W");
    }
    Replace(date, "年", "Y");
    Replace(date, "月", "M");
    Replace(date, "日", "D");
    EXPECT_TRUE(std::regex_match(date, std::regex(R"(\d{4}Y\d{1,2}M\d{1,2}D W \d\d:\d\d:\d\d)"))) << lines[0];

    std::string processor = After(lines[2], "CPU使用率:");
    EXPECT_TRUE(std::regex_match(processor, std::regex(R"((\d|[1-9]\d|100)%)"))) << processor;
    const std::regex size(R"(\d+\.\d\d(GB|MB|KB))");
    std::string total = After(lines[3], "内存总数 :");
    std::string free = After(lines[4], "空闲内存 :");
    EXPECT_TRUE(std::regex_match(total, size)) << total;
    EXPECT_TRUE(std::regex_match(free, size)) << free;
    EXPECT_NE(total, "0.00KB");  // the machine has memory
    const std::regex speed(R"(\d+\.\d\d(GB|MB|KB)/s)");
    std::string upload = After(lines[6], "网络上传速度 :");
    std::string download = After(lines[7], "网络下载速度 :");
    EXPECT_TRUE(std::regex_match(upload, speed)) << upload;
    EXPECT_TRUE(std::regex_match(download, speed)) << download;

    std::string upTime = After(lines[9], "开机时长 :");
    Replace(upTime, "小时", "H");
    Replace(upTime, "分钟", "M");
    EXPECT_TRUE(std::regex_match(upTime, std::regex(R"((\d+d \d+H |\d+H )?\d+M)"))) << lines[9];
}

TEST(SystemMonitor, BalloonFromTheMachinesReadingsIsWellFormed) {
    SystemMonitor monitor;
    SystemFigures first = monitor.Read();
    EXPECT_EQ(first.processorPercent, 0);  // the first reading only sets the baseline
    EXPECT_GT(first.totalMemory, 0u);
    EXPECT_LE(first.freeMemory, first.totalMemory);
    Sleep(300);
    SystemFigures second = monitor.Read();
    EXPECT_GE(second.processorPercent, 0);
    EXPECT_LE(second.processorPercent, 50);  // the average with the first reading's 0
    EXPECT_GE(second.upTimeSeconds, first.upTimeSeconds);
    ExpectWellFormedBalloon(SystemBalloonText(second, ToLocalTime(SystemClock().Now())));
}

// Dispatches this thread's messages until `done` holds or `timeoutMs` has passed.
template <typename Condition>
bool PumpUntil(Condition done, unsigned timeoutMs) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < timeoutMs) {
        testkit::PumpMessages(20);
    }
    return done();
}

class TrayWorkerTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.EnableModules({});
        modules_ = std::make_unique<ModuleManager>(platform_, folder_.PathOf("Data\\module.ini"));
        LoaderWindowOptions options;
        options.instance = GetModuleHandleA(nullptr);  // this program carries the loader's resources
        options.productName = "泽鲁桌面日历";
        options.productVersion = "V4.0";
        options.programFolder = folder_.Path();
        options.siteHost = "127.0.0.1:1";
        options.endsMessageLoop = false;
        window_ = std::make_unique<LoaderWindow>(clock_, *modules_, shell_, power_, options);
        ASSERT_TRUE(window_->Create());
        GetCursorPos(&savedCursor_);
    }
    void TearDown() override {
        window_.reset();
        modules_.reset();
        SetCursorPos(savedCursor_.x, savedCursor_.y);
    }

    void TrayMouse(UINT mouseMessage) { SendMessageA(window_->Handle(), kTrayNotifyMessage, 0, mouseMessage); }

    ComApartment com_;
    GdiplusSession gdiplus_;
    FixtureFolder folder_{"monitor"};
    SystemModulePlatform platform_;
    SystemClock clock_;
    QuietShell shell_;
    QuietPower power_;
    std::unique_ptr<ModuleManager> modules_;
    std::unique_ptr<LoaderWindow> window_;
    POINT savedCursor_{};
};

TEST_F(TrayWorkerTest, StartsOnceOnPointerMovesAndEndsWithTheWindow) {
    EXPECT_EQ(window_->TrayWorker(), nullptr);  // not before the pointer comes
    TrayMouse(WM_LBUTTONUP);
    EXPECT_EQ(window_->TrayWorker(), nullptr);

    TrayMouse(WM_MOUSEMOVE);
    ASSERT_NE(window_->TrayWorker(), nullptr);
    const TrayInfoWorker* worker = window_->TrayWorker();
    DWORD threadId = worker->ThreadId();
    ASSERT_NE(threadId, 0u);
    UniqueHandle thread(OpenThread(SYNCHRONIZE, FALSE, threadId));
    ASSERT_TRUE(thread);
    for (int move = 0; move < 5; ++move) {
        TrayMouse(WM_MOUSEMOVE);
        testkit::PumpMessages(20);
    }
    EXPECT_EQ(window_->TrayWorker(), worker);
    EXPECT_EQ(window_->TrayWorker()->ThreadId(), threadId);
    EXPECT_EQ(WaitForSingleObject(thread.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));  // still ticking

    DestroyWindow(window_->Handle());
    // The window waited for the worker: it has ended by now.
    EXPECT_EQ(WaitForSingleObject(thread.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST_F(TrayWorkerTest, BalloonWhileThePointerRestsOnTheIconNotOverTheMenu) {
    std::optional<ScreenPoint> icon = TrayIconLocator(window_->Handle(), 0).Locate().point;
    ASSERT_TRUE(icon.has_value()) << "the tray icon was not found";
    ScreenRect square = HoverSquare(*icon);
    auto balloonShown = [&] { return window_->Tray().balloonText().find("CPU使用率:") != std::string::npos; };
    auto balloonGone = [&] { return window_->Tray().balloonText().empty() && window_->Tray().balloonTitle().empty(); };

    SetCursorPos(square.left + 8, square.top + 8);
    TrayMouse(WM_MOUSEMOVE);
    ASSERT_TRUE(PumpUntil(balloonShown, 3000)) << window_->Tray().balloonText();
    EXPECT_EQ(window_->Tray().balloonTitle(), "泽鲁桌面日历V4.0");
    ExpectWellFormedBalloon(window_->Tray().balloonText());
    // A second tick: the processor is now the average of two readings.
    testkit::PumpMessages(1200);
    ExpectWellFormedBalloon(window_->Tray().balloonText());
    // The tray draws a balloon only when its text has stayed for 2 seconds:
    // this thread, the window's, hands nothing on to the tray meanwhile.
    Sleep(2600);
    std::filesystem::create_directories("screenshots");
    RECT area{std::max(0, square.left - 300), std::max(0, square.top - 40), 0, 0};
    area.right = area.left + 600;
    area.bottom = area.top + 320;
    EXPECT_TRUE(testkit::SaveScreenAreaPng(area, "screenshots\\system_monitor_balloon.png"));

    SetCursorPos(square.right + 200, square.bottom + 200);
    EXPECT_TRUE(PumpUntil(balloonGone, 1500)) << "the balloon stays after the pointer left";

    // A right press opens the menu; with the window disabled the menu stays
    // shut but the press is still seen, and no balloon comes back over it.
    EnableWindow(window_->Handle(), FALSE);
    SetCursorPos(square.left + 8, square.top + 8);
    TrayMouse(WM_RBUTTONDOWN);
    EXPECT_FALSE(PumpUntil(balloonShown, 2500)) << "a balloon over the menu";
    EXPECT_TRUE(balloonGone());
    EnableWindow(window_->Handle(), TRUE);

    // Once the pointer has left the icon, the balloon shows again.
    SetCursorPos(square.right + 200, square.bottom + 200);
    testkit::PumpMessages(1500);
    SetCursorPos(square.left + 8, square.top + 8);
    EXPECT_TRUE(PumpUntil(balloonShown, 2500)) << "no balloon after the menu closed";
}

}  // namespace
