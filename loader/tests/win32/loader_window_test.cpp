// The LoaderWindow in this process, with the fixture modules, a recording
// shell and a clock the test sets: the menu as built, the day icon, the
// commands that reach the widgets, forwarded commands and the About window.

#include "loader/win32/loader_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/path_util.h"
#include "common/win32/com.h"
#include "common/win32/gdiplus_session.h"
#include "loader/command_line.h"
#include "loader/tests/win32/fixture_folder.h"
#include "loader/tray_menu_model.h"
#include "loader/win32/system_module_platform.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

using Lines = std::vector<std::string>;

class RecordingShell : public DesktopShell {
public:
    void Open(const std::string& target, const std::string& verb) override { calls.push_back(verb + " " + target); }
    void Run(const std::string& commandLine) override { calls.push_back("run " + commandLine); }
    void ShowDesktop() override { calls.push_back("desktop"); }
    std::string SpecialFolderPath(int) override { return {}; }
    std::string SystemFolder() override { return "C:\\windows\\system32\\"; }
    std::optional<std::string> MachineString(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> UserString(const std::string&, const std::string&) override { return {}; }
    std::vector<DriveRoot> Drives() override { return {{"C:\\", false}, {"D:\\", true}, {"E:\\", false}}; }
    void SetCdDoor(const std::string& drive, bool open) override {
        calls.push_back(std::string(open ? "eject " : "close ") + drive);
    }
    bool ActivateSideProgram(int) override { return false; }
    void StopSideProgramHook() override { calls.push_back("stop hook"); }
    bool Confirm(const std::string& question) override {
        calls.push_back("ask " + question);
        return false;
    }
    std::vector<std::string> calls;
};

class RecordingPower : public PowerControl {
public:
    void PowerCommand(unsigned exitFlag) override { flags.push_back(exitFlag); }
    std::vector<unsigned> flags;
};

// Dispatches this thread's messages until `done` holds or 5 seconds have
// passed, then a little longer, so a timer that wrongly fires again is seen.
template <typename Condition>
void PumpUntil(Condition done) {
    testkit::Stopwatch watch;
    while (!done() && watch.Milliseconds() < 5000) {
        testkit::PumpMessages(20);
    }
    testkit::PumpMessages(60);
}

LocalTime Day(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    LocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

// The menu as lines, in the form the model gives them below.
void MenuLines(HMENU menu, const std::string& indent, Lines& lines) {
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const TrayMenu::Item* item = TrayMenu::ItemAt(menu, static_cast<UINT>(position));
        ASSERT_NE(item, nullptr) << "an item that is not owner-drawn";
        HMENU submenu = GetSubMenu(menu, position);
        UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (item->separator) {
            lines.push_back(indent + "-");
        } else if (submenu != nullptr) {
            lines.push_back(indent + item->caption + " >");
            MenuLines(submenu, indent + "  ", lines);
        } else {
            lines.push_back(indent + item->caption + " " + std::to_string(GetMenuItemID(menu, position)) + " " +
                            std::to_string(item->icon) + ((state & MF_GRAYED) != 0 ? " (off)" : ""));
        }
    }
}

void ModelLines(const MenuEntry& menu, const std::string& indent, Lines& lines) {
    for (const MenuEntry& entry : menu.children) {
        if (entry.kind == MenuEntry::Kind::kSeparator) {
            lines.push_back(indent + "-");
        } else if (entry.kind == MenuEntry::Kind::kSubmenu) {
            lines.push_back(indent + entry.caption + " >");
            ModelLines(entry, indent + "  ", lines);
        } else {
            lines.push_back(indent + entry.caption + " " + std::to_string(entry.command) + " " +
                            std::to_string(entry.icon));
        }
    }
}

Lines MenuLines(HMENU menu) {
    Lines lines;
    MenuLines(menu, "", lines);
    return lines;
}

Lines ModelLines(const MenuEntry& menu) {
    Lines lines;
    ModelLines(menu, "", lines);
    return lines;
}

class LoaderWindowTest : public testing::Test {
protected:
    void SetUp() override {
        savedPath_ = platform_.ReadSearchPath();
        clock_.Set(FromLocalTime(Day(2024, 2, 28, 23, 59, 58)));
        folder_.AddModule("1.xml", "alpha.dll", "good");
        folder_.AddModule("2.xml", "refusing.dll", "refusing");
        folder_.AddModule("3.xml", "beta.dll", "good");
    }
    void TearDown() override {
        window_.reset();
        modules_.reset();
        platform_.WriteSearchPath(savedPath_);
    }

    // Creates the window and loads the modules as the program does.
    void Start(const std::vector<std::string>& enabled) {
        folder_.EnableModules(enabled);
        modules_ = std::make_unique<ModuleManager>(platform_, folder_.PathOf("Data\\module.ini"));
        LoaderWindowOptions options;
        options.instance = GetModuleHandleA(nullptr);  // this program carries the loader's resources
        options.productName = "泽鲁桌面日历";
        options.productVersion = "V4.0";
        options.aboutImagePath = JoinPath(FolderOf(BuildBinFolder()), "art\\Skins\\about.png");
        options.programFolder = folder_.Path();
        options.siteHost = "127.0.0.1:1";
        options.endsMessageLoop = false;
        window_ = std::make_unique<LoaderWindow>(clock_, *modules_, shell_, power_, options);
        ASSERT_TRUE(window_->Create());
        modules_->SetHost(window_.get());
        modules_->Discover(folder_.PathOf("modules"));
        window_->AddShowSubmenu();
    }

    void Command(unsigned number) { SendMessageA(window_->Handle(), WM_COMMAND, number, 0); }

    // The fixture log from line `from` on.
    Lines LogFrom(std::size_t from) const {
        Lines log = folder_.Log();
        return Lines(log.begin() + static_cast<std::ptrdiff_t>(std::min(from, log.size())), log.end());
    }

    ComApartment com_;
    GdiplusSession gdiplus_;
    FixtureFolder folder_{"window"};
    SystemModulePlatform platform_;
    std::string savedPath_;
    FakeClock clock_;
    RecordingShell shell_;
    RecordingPower power_;
    std::unique_ptr<ModuleManager> modules_;
    std::unique_ptr<LoaderWindow> window_;
};

TEST_F(LoaderWindowTest, MenuIsTheModelOwnerDrawnWithTheShellsDrives) {
    Start({"alpha.dll", "beta.dll"});
    MenuEntry expected = BuildTrayMenu(SplitDrives(shell_.Drives()));
    // The 显示 submenu and its separator go above "退出(&x)".
    expected.children.insert(expected.children.end() - 1, {BuildShowSubmenu(), MenuEntry::Separator()});
    EXPECT_EQ(MenuLines(window_->Menu()), ModelLines(expected));
    EXPECT_EQ(modules_->At(0)->menuCommand, 65000u);
    EXPECT_EQ(modules_->At(1)->menuCommand, 0u);  // refused its table
    EXPECT_EQ(modules_->At(2)->menuCommand, 65001u);
}

TEST_F(LoaderWindowTest, NoWorkingModuleNoShowSubmenu) {
    Start({});
    EXPECT_EQ(MenuLines(window_->Menu()), ModelLines(BuildTrayMenu(SplitDrives(shell_.Drives()))));
}

TEST_F(LoaderWindowTest, HideIsOnTopOnlyWhileOpenedForAWidget) {
    Start({"alpha.dll", "beta.dll"});
    std::size_t start = folder_.Log().size();
    window_->PrepareMenu(0);
    EXPECT_EQ(GetMenuItemID(window_->Menu(), 0), 64900u);
    EXPECT_EQ(TrayMenu::ItemAt(window_->Menu(), 0)->caption, "隐藏");
    EXPECT_EQ(GetMenuDefaultItem(window_->Menu(), FALSE, 0), 64900u);
    Command(64900);
    window_->PrepareMenu(1);  // the refusing module: not usable
    Command(64900);
    window_->PrepareMenu(2);
    Command(64900);
    window_->PrepareMenu(-1);
    EXPECT_EQ(GetMenuItemID(window_->Menu(), 0), 68008u);  // 关于 again on top
    EXPECT_EQ(GetMenuDefaultItem(window_->Menu(), FALSE, 0), static_cast<UINT>(-1));
    Command(64900);
    EXPECT_EQ(LogFrom(start), (Lines{"alpha.dll Show 0", "beta.dll Show 0"}));
}

TEST_F(LoaderWindowTest, ModuleCommandsReachOnlyUsableModules) {
    Start({"alpha.dll", "beta.dll"});
    std::size_t start = folder_.Log().size();
    Command(64903);  // 显示桌面日历: module 0
    Command(64904);  // 显示日程提醒表...
    Command(68003);  // 属性设置...
    Command(64901);  // 全部隐藏
    EXPECT_EQ(LogFrom(start),
              (Lines{"alpha.dll Show 1", "alpha.dll ShowCalendar 1", "alpha.dll GetPreferWnd host-ok",
                     "alpha.dll Show 0", "alpha.dll ShowCalendar 0", "beta.dll Show 0", "beta.dll ShowCalendar 0"}));
    // 全部显示 and the module commands go through timers; each fires once.
    start = folder_.Log().size();
    Command(64902);
    PumpUntil([&] { return folder_.Log().size() >= start + 4; });
    Command(65001);  // the second working module's number: index 1 is the refusing one, so nothing
    Command(65002);  // index 2, beta
    PumpUntil([&] { return folder_.Log().size() >= start + 5; });
    EXPECT_EQ(LogFrom(start), (Lines{"alpha.dll Show 1", "alpha.dll ShowCalendar 1", "beta.dll Show 1",
                                     "beta.dll ShowCalendar 1", "beta.dll Show 1"}));
}

TEST_F(LoaderWindowTest, FirstModuleIsShownOnceRightAfterStart) {
    Start({"alpha.dll"});
    std::size_t start = folder_.Log().size();
    window_->ShowFirstModuleSoon();
    PumpUntil([&] { return folder_.Log().size() > start; });
    testkit::PumpMessages(100);
    EXPECT_EQ(LogFrom(start), Lines{"alpha.dll Show 1"});
}

TEST_F(LoaderWindowTest, TrayClicksShowTheWidgets) {
    Start({"alpha.dll", "beta.dll"});
    std::size_t start = folder_.Log().size();
    SendMessageA(window_->Handle(), kTrayNotifyMessage, 0, WM_LBUTTONDOWN);
    PumpUntil([&] { return folder_.Log().size() > start; });  // 100 ms later: it waits for a second click
    EXPECT_EQ(LogFrom(start), Lines{"alpha.dll Show 1"});
    start = folder_.Log().size();
    SendMessageA(window_->Handle(), kTrayNotifyMessage, 0, WM_LBUTTONDBLCLK);
    SendMessageA(window_->Handle(), kTrayNotifyMessage, 0, WM_MOUSEMOVE);
    PumpUntil([&] { return folder_.Log().size() >= start + 4; });
    EXPECT_EQ(LogFrom(start),
              (Lines{"alpha.dll Show 1", "alpha.dll ShowCalendar 1", "beta.dll Show 1", "beta.dll ShowCalendar 1"}));
}

TEST_F(LoaderWindowTest, DayIconAndBalloonFollowTheDate) {
    Start({});
    EXPECT_EQ(window_->DayIconResourceShown(), 160);
    EXPECT_EQ(window_->Tray().balloonText(), "当前时间：2024年2月28日 星期三 23:59:58");
    clock_.Advance(3);  // 29 February
    SendMessageA(window_->Handle(), WM_TIMER, 60040, 0);
    EXPECT_EQ(window_->DayIconResourceShown(), 164);
    EXPECT_EQ(window_->Tray().balloonText(), "当前时间：2024年2月29日 星期四 00:00:01");
    clock_.Advance(3600);  // the same day: nothing changes
    SendMessageA(window_->Handle(), WM_TIMER, 60040, 0);
    EXPECT_EQ(window_->Tray().balloonText(), "当前时间：2024年2月29日 星期四 00:00:01");
    clock_.Advance(86400);  // 1 March
    SendMessageA(window_->Handle(), WM_TIMER, 60040, 0);
    EXPECT_EQ(window_->DayIconResourceShown(), 133);
}

TEST_F(LoaderWindowTest, ForwardedCommands) {
    Start({"alpha.dll", "extra.dll"});
    folder_.AddModule("extra.xml", "extra.dll", "good", "extra");
    std::size_t start = folder_.Log().size();
    auto send = [this](std::uint32_t tag, const std::string& bytes) {
        COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
        return SendMessageA(window_->Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    };
    EXPECT_EQ(send(33333, folder_.PathOf("extra\\missing.xml") + '\0'), 1);
    EXPECT_EQ(send(33334, folder_.PathOf("extra\\extra.xml") + '\0'), 0);
    EXPECT_EQ(modules_->Count(), 3u);  // the three found at start-up
    EXPECT_EQ(send(33333, folder_.PathOf("extra\\extra.xml") + '\0'), 1);
    EXPECT_EQ(modules_->Count(), 4u);
    EXPECT_EQ(LogFrom(start),
              (Lines{"extra.dll attach", "extra.dll GetVexaWInterface 36", "extra.dll InitWidget host-ok"}));
    EXPECT_EQ(modules_->At(3)->menuCommand, 0u);  // added after start-up: no menu number

    EXPECT_EQ(send(33334, "exit"), 0);
    testkit::PumpMessages(100);
    ASSERT_TRUE(IsWindow(window_->Handle()));
    // "exit" without its terminating zero is still read only as far as it was sent.
    EXPECT_EQ(send(33333, "exit"), 1);
    PumpUntil([&] { return window_->Handle() == nullptr; });
    EXPECT_EQ(window_->Handle(), nullptr);
}

TEST_F(LoaderWindowTest, ClosingTakesTheTrayIconAndTheHookAway) {
    Start({"alpha.dll"});
    HMENU menu = window_->Menu();
    EXPECT_TRUE(window_->Tray().added());
    Command(68004);  // 退出(&x)
    PumpUntil([&] { return window_->Handle() == nullptr; });
    EXPECT_EQ(window_->Handle(), nullptr);
    EXPECT_FALSE(window_->Tray().added());
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_EQ(shell_.calls, Lines{"stop hook"});
    // The modules are released after the window, by the program.
    EXPECT_TRUE(ModuleManager::IsUsable(*modules_->At(0)));
}

TEST_F(LoaderWindowTest, DesktopCommandsGoToTheShell) {
    Start({});
    Command(70221);
    Command(70290);
    Command(70400);
    Command(68012);
    Command(70602);
    EXPECT_EQ(shell_.calls, (Lines{"open E:", "explore D:\\", "eject D:",
                                   "open http://127.0.0.1:1/software/tessary/help.htm", "ask 真的要关机吗？"}));
    EXPECT_TRUE(power_.flags.empty());
}

TEST_F(LoaderWindowTest, AboutWindowFadesInAndOutAndIsKept) {
    Start({});
    Command(68008);
    AboutWindow* about = window_->About();
    ASSERT_NE(about, nullptr);
    HWND shown = about->Handle();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(testkit::WindowText(shown), "About Pellora.loader");
    RECT place = testkit::WindowRectangle(shown);
    EXPECT_EQ(place.right - place.left, 445);
    EXPECT_EQ(place.bottom - place.top, 240);
    EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXSCREEN) - 445) / 2);
    EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYSCREEN) - 240) / 2);
    LONG_PTR styles = GetWindowLongPtrA(shown, GWL_EXSTYLE);
    EXPECT_NE(styles & WS_EX_TOPMOST, 0);
    EXPECT_NE(styles & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(about->Opacity(), 105);
    PumpUntil([&] { return about->Opacity() == 255; });
    EXPECT_EQ(about->Opacity(), 255);
    EXPECT_TRUE(IsWindowVisible(shown));

    SendMessageA(shown, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpUntil([&] { return !IsWindowVisible(shown); });
    EXPECT_EQ(about->Opacity(), 105);
    EXPECT_FALSE(IsWindowVisible(shown));
    Command(68008);
    EXPECT_EQ(window_->About()->Handle(), shown);
    EXPECT_TRUE(IsWindowVisible(shown));
}

// Pixels of the spot the picture leaves for the version that are nearly white.
int BrightPixelsInVersionSpot(const std::vector<std::uint32_t>& face) {
    int bright = 0;
    for (int y = 97; y < 113; ++y) {
        for (int x = 232; x < 332; ++x) {
            std::uint32_t pixel = face[static_cast<std::size_t>(y) * AboutWindow::kWidth + x];
            int red = (pixel >> 16) & 0xFF;
            int green = (pixel >> 8) & 0xFF;
            int blue = pixel & 0xFF;
            bright += red > 180 && green > 180 && blue > 180 ? 1 : 0;
        }
    }
    return bright;
}

TEST_F(LoaderWindowTest, AboutFaceCarriesTheVersionInWhite) {
    std::string picture = JoinPath(FolderOf(BuildBinFolder()), "art\\Skins\\about.png");
    std::vector<std::uint32_t> plain = AboutWindow::DrawFace(picture, "");
    std::vector<std::uint32_t> withVersion = AboutWindow::DrawFace(picture, "V4.0");
    EXPECT_EQ(BrightPixelsInVersionSpot(plain), 0);
    EXPECT_GT(BrightPixelsInVersionSpot(withVersion), 15);
    // Opaque in the middle, as the picture is.
    EXPECT_EQ(withVersion[120 * AboutWindow::kWidth + 220] >> 24, 0xFFu);
    // Without the picture: a plain night-blue face, still with the version.
    std::vector<std::uint32_t> fallback = AboutWindow::DrawFace(folder_.PathOf("missing.png"), "V4.0");
    EXPECT_EQ(fallback[5 * AboutWindow::kWidth + 5], 0xFF0E1A36u);
    EXPECT_GT(BrightPixelsInVersionSpot(fallback), 15);
}

}  // namespace
