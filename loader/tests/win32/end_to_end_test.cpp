// The real tessary.exe in a scratch program folder laid out like dist/, with
// the fixture modules, driven from this process as a second start, the shell
// and a widget would drive it.

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/path_util.h"
#include "common/win32/handles.h"
#include "loader/tests/win32/fixture_folder.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/program_launcher.h"
#include "testkit/win32/screenshot.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace {

using Lines = std::vector<std::string>;

constexpr unsigned kWaitMs = 15000;
constexpr char kLoaderClass[] = "QvCalendar Loader Class";

// True while the shell has the loader's icon (number 0 of `owner`): the
// shell refuses to change an icon it does not have.
bool TrayIconPresent(HWND owner) {
    NOTIFYICONDATAA probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = owner;
    probe.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

class EndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowA(kLoaderClass, nullptr), nullptr) << "a tessary is already running in this prefix";
        folder_.AddProgram();
    }

    void TearDown() override {
        if (first_) {
            if (WaitForSingleObject(first_.get(), 0) == WAIT_TIMEOUT) {
                if (HWND window = LoaderWindow()) {
                    PostMessageA(window, WM_CLOSE, 0, 0);
                }
                if (WaitForSingleObject(first_.get(), kWaitMs) != WAIT_OBJECT_0) {
                    TerminateProcess(first_.get(), 1);
                    WaitForSingleObject(first_.get(), kWaitMs);
                }
            }
        }
    }

    // Starts tessary.exe from the scratch folder with `arguments`.
    UniqueHandle Launch(const std::string& arguments) {
        UniqueHandle started = testkit::StartProgram(folder_.PathOf("tessary.exe"), arguments, folder_.Path());
        if (!started) {
            ADD_FAILURE() << "cannot start tessary.exe: " << GetLastError();
        }
        return started;
    }

    // Starts the first copy and waits until its window and tray icon are
    // there and it has logged `firstShown` (when given).
    void StartFirst(const std::string& firstShown) {
        first_ = Launch("");
        ASSERT_TRUE(first_);
        HWND window = LoaderWindow();
        ASSERT_NE(window, nullptr) << "no loader window";
        // The window can be found while it is still being made; its tray
        // icon is the last thing its creation adds.
        testkit::Stopwatch watch;
        while (!TrayIconPresent(window) && watch.Milliseconds() < kWaitMs) {
            Sleep(20);
        }
        ASSERT_TRUE(TrayIconPresent(window)) << "no tray icon";
        if (!firstShown.empty()) {
            ASSERT_TRUE(WaitForLog(firstShown)) << "never logged: " << firstShown;
        }
    }

    // Runs a second copy to its end and gives its exit code.
    DWORD RunSecond(const std::string& arguments) {
        UniqueHandle second = Launch(arguments);
        if (!second || WaitForSingleObject(second.get(), kWaitMs) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the second copy did not end";
            if (second) {
                TerminateProcess(second.get(), 1);
            }
            return 99;
        }
        DWORD exitCode = 0;
        GetExitCodeProcess(second.get(), &exitCode);
        return exitCode;
    }

    HWND LoaderWindow() const {
        testkit::WindowQuery query;
        query.className = kLoaderClass;
        query.processId = first_ ? GetProcessId(first_.get()) : 0;
        return testkit::WaitForWindow(query, kWaitMs);
    }

    bool WaitForLog(const std::string& line) const {
        testkit::Stopwatch watch;
        while (watch.Milliseconds() < kWaitMs) {
            Lines log = folder_.Log();
            if (std::find(log.begin(), log.end(), line) != log.end()) {
                return true;
            }
            Sleep(50);
        }
        return false;
    }

    bool FirstEnded(unsigned waitMs) const { return WaitForSingleObject(first_.get(), waitMs) == WAIT_OBJECT_0; }

    // The loader's pop-up menu window, once it is shown.
    HWND WaitForMenu() const {
        testkit::WindowQuery query;
        query.className = "#32768";
        query.processId = GetProcessId(first_.get());
        query.visibleOnly = true;
        return testkit::WaitForWindow(query, kWaitMs);
    }

    // Chooses the menu's first item with the keyboard, as a user would.
    static void ChooseFirstItem(HWND menu) {
        testkit::PostToWindow(menu, WM_KEYDOWN, VK_DOWN, 0);
        testkit::PostToWindow(menu, WM_KEYDOWN, VK_RETURN, 0);
    }

    // A broken module among good ones: descriptor names sort in this order.
    void AddMixedModules() {
        folder_.AddModule("1_alpha.xml", "alpha.dll", "good");
        folder_.AddModule("2_refusing.xml", "refusing.dll", "refusing");
        folder_.Write("modules\\Calendar\\3_broken.xml", "<widget><file>broken.dll</file><name>broken");
        folder_.AddModule("4_noexport.xml", "noexport.dll", "noexport");
        folder_.Write("modules\\Calendar\\5_missing.xml", DescriptorText("missing.dll", "missing"));
        folder_.AddModule("6_beta.xml", "beta.dll", "good");
        folder_.AddModule("7_gamma.xml", "gamma.dll", "good");  // bound but not enabled
        folder_.EnableModules({"alpha.dll", "refusing.dll", "noexport.dll", "missing.dll", "beta.dll"});
    }

    FixtureFolder folder_{"end_to_end"};
    UniqueHandle first_;
};

TEST_F(EndToEndTest, BrokenModulesNeverStopTheOthersAndTheFirstIsShownRightAfterStart) {
    AddMixedModules();
    StartFirst("alpha.dll Show 1");
    EXPECT_EQ(
        folder_.Log(),
        (Lines{"alpha.dll attach", "alpha.dll GetVexaWInterface 36", "alpha.dll InitWidget host-ok",
               "refusing.dll attach", "refusing.dll GetVexaWInterface 36", "refusing.dll detach", "noexport.dll attach",
               "noexport.dll detach", "beta.dll attach", "beta.dll GetVexaWInterface 36", "beta.dll InitWidget host-ok",
               "gamma.dll attach", "gamma.dll GetVexaWInterface 36", "alpha.dll Show 1"}));
}

TEST_F(EndToEndTest, SecondStartWithExitReleasesEveryModuleInIdOrderAndRemovesTheIcon) {
    AddMixedModules();
    StartFirst("alpha.dll Show 1");
    HWND window = LoaderWindow();
    EXPECT_TRUE(TrayIconPresent(window));
    std::size_t before = folder_.Log().size();
    EXPECT_EQ(RunSecond("exit"), 0u);
    ASSERT_TRUE(FirstEnded(kWaitMs));
    Lines log = folder_.Log();
    EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
              (Lines{"alpha.dll Release 0", "alpha.dll detach", "beta.dll Release 0", "beta.dll detach",
                     "gamma.dll Release 0", "gamma.dll detach"}));
    EXPECT_FALSE(TrayIconPresent(window));
}

TEST_F(EndToEndTest, SecondStartWithoutArgumentsEndsAtOnce) {
    folder_.AddModule("alpha.xml", "alpha.dll", "good");
    folder_.EnableModules({"alpha.dll"});
    StartFirst("alpha.dll Show 1");
    Lines log = folder_.Log();
    testkit::Stopwatch watch;
    EXPECT_EQ(RunSecond(""), 0u);
    EXPECT_LT(watch.Milliseconds(), 5000);
    Sleep(300);
    EXPECT_FALSE(FirstEnded(0));
    EXPECT_EQ(folder_.Log(), log);  // nothing loaded, nothing shown
    testkit::WindowQuery query;
    query.className = kLoaderClass;
    EXPECT_EQ(testkit::FindTopLevelWindows(query).size(), 1u);
}

TEST_F(EndToEndTest, ExitWithNoCopyRunningStartsNothing) {
    folder_.AddModule("alpha.xml", "alpha.dll", "good");
    folder_.EnableModules({"alpha.dll"});
    EXPECT_EQ(RunSecond("exit"), 0u);
    EXPECT_EQ(FindWindowA(kLoaderClass, nullptr), nullptr);
    EXPECT_TRUE(folder_.Log().empty());
}

TEST_F(EndToEndTest, ForwardedDescriptorPathLoadsThatModuleAndAMissingOneNothing) {
    folder_.AddModule("alpha.xml", "alpha.dll", "good");
    folder_.AddModule("extra.xml", "extra.dll", "good", "extra");
    folder_.EnableModules({"alpha.dll", "extra.dll"});
    StartFirst("alpha.dll Show 1");
    std::size_t before = folder_.Log().size();
    EXPECT_EQ(RunSecond("\"" + folder_.PathOf("extra\\missing.xml") + "\""), 0u);
    EXPECT_EQ(folder_.Log().size(), before);
    EXPECT_EQ(RunSecond(folder_.PathOf("extra\\extra.xml")), 0u);
    Lines log = folder_.Log();
    EXPECT_EQ(Lines(log.begin() + static_cast<std::ptrdiff_t>(before), log.end()),
              (Lines{"extra.dll attach", "extra.dll GetVexaWInterface 36", "extra.dll InitWidget host-ok"}));
    EXPECT_FALSE(FirstEnded(0));
}

TEST_F(EndToEndTest, CopyDataWithAnotherTagIsNoCommand) {
    StartFirst("");
    HWND window = LoaderWindow();
    auto send = [window](ULONG_PTR tag) {
        char text[] = "exit";
        COPYDATASTRUCT data{tag, sizeof text, text};
        return testkit::SendWithTimeout(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    };
    EXPECT_EQ(send(33334), std::optional<LRESULT>(0));
    EXPECT_FALSE(FirstEnded(500));
    EXPECT_EQ(send(33333), std::optional<LRESULT>(1));
    EXPECT_TRUE(FirstEnded(kWaitMs));
}

TEST_F(EndToEndTest, WidgetMenuHidesTheWidgetAndTheTrayMenuHasNoHideItem) {
    folder_.AddModule("alpha.xml", "alpha.dll", "good");
    folder_.EnableModules({"alpha.dll"});
    StartFirst("alpha.dll Show 1");
    HWND window = LoaderWindow();

    // The widget asks for the menu for itself (module 0): "隐藏" is on top.
    testkit::PostToWindow(window, 3026, 0, 0);
    HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    testkit::PumpMessages(300);  // let it paint
    std::filesystem::create_directories("screenshots");
    EXPECT_TRUE(testkit::SaveScreenAreaPng(testkit::WindowRectangle(menu), "screenshots\\tray_menu.png"));
    ChooseFirstItem(menu);
    EXPECT_TRUE(WaitForLog("alpha.dll Show 0"));

    // A right click on the tray icon opens it with 关于 on top, which opens the About window.
    testkit::PostToWindow(window, 33768, 0, WM_RBUTTONDOWN);
    menu = WaitForMenu();
    ASSERT_NE(menu, nullptr);
    ChooseFirstItem(menu);
    testkit::WindowQuery about;
    about.title = "About Pellora.loader";
    about.processId = GetProcessId(first_.get());
    EXPECT_NE(testkit::WaitForWindow(about, kWaitMs), nullptr);
    Lines log = folder_.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "alpha.dll Show 0"), 1);
}

TEST_F(EndToEndTest, AnsweringNoToPowerOffDoesNothing) {
    folder_.AddModule("alpha.xml", "alpha.dll", "good");
    folder_.EnableModules({"alpha.dll"});
    StartFirst("alpha.dll Show 1");
    HWND window = LoaderWindow();
    Lines log = folder_.Log();
    testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), IDNO, kWaitMs,
                                         GetProcessId(first_.get()));
    testkit::PostToWindow(window, WM_COMMAND, 70602, 0);
    std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text, "真的要关机吗？");
    EXPECT_EQ(dialog->ButtonIds(), (std::vector<int>{IDYES, IDNO}));
    // (The icon cannot be told from another process; the shell's own test checks it.)
    EXPECT_EQ(dialog->owner, window);
    EXPECT_FALSE(FirstEnded(1000));
    EXPECT_EQ(folder_.Log(), log);
}

TEST_F(EndToEndTest, TrayIconComesBackWhenTheShellRestarts) {
    StartFirst("");
    HWND window = LoaderWindow();
    ASSERT_TRUE(TrayIconPresent(window));
    // What a restarting shell does: it forgets every icon, then announces itself.
    NOTIFYICONDATAA forget{};
    forget.cbSize = sizeof forget;
    forget.hWnd = window;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forget));
    EXPECT_FALSE(TrayIconPresent(window));
    testkit::SendWithTimeout(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayIconPresent(window));
}

}  // namespace
