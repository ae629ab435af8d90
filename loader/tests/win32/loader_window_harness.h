#pragma once

// A LoaderWindow in the test's own process for tests of the windows it
// opens: a scratch program folder with no modules, a clock the test sets,
// a shell and a power control that do nothing, the product's name and
// version, and the maker's site at a host the test names (its own HTTP
// server, or a closed port). The test's program carries the loader's
// resources, so the window finds its icons, bitmaps and dialog templates.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/local_time.h"
#include "loader/module_manager.h"
#include "loader/tests/win32/fixture_folder.h"
#include "loader/tests/win32/quiet_desktop.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/system_module_platform.h"

class LoaderWindowHarness {
public:
    explicit LoaderWindowHarness(const std::string& folderName)
        : folder_(folderName), savedPath_(platform_.ReadSearchPath()) {}
    ~LoaderWindowHarness() {
        Stop();
        platform_.WriteSearchPath(savedPath_);  // module loading adds to PATH
    }
    LoaderWindowHarness(const LoaderWindowHarness&) = delete;
    LoaderWindowHarness& operator=(const LoaderWindowHarness&) = delete;

    // Creates the window; `adjust` may change the options first (a test's
    // shell or power control are passed in place of the quiet ones).
    // Returns false when the window could not be made.
    bool Start(const std::string& siteHost,
               const std::function<void(LoaderWindowOptions&)>& adjust = {},
               DesktopShell* shell = nullptr,
               PowerControl* power = nullptr) {
        if (!std::filesystem::exists(folder_.PathOf("Data\\module.ini"))) {
            folder_.EnableModules({});
        }
        modules_ = std::make_unique<ModuleManager>(platform_, folder_.PathOf("Data\\module.ini"));
        LoaderWindowOptions options;
        options.instance = GetModuleHandleA(nullptr);
        options.productName = "泽鲁桌面日历";
        options.productVersion = "V4.0";
        options.programFolder = folder_.Path();
        options.siteHost = siteHost;
        options.endsMessageLoop = false;
        if (adjust) {
            adjust(options);
        }
        window_ = std::make_unique<LoaderWindow>(clock_, *modules_, shell != nullptr ? *shell : shell_,
                                                 power != nullptr ? *power : power_, options);
        return window_->Create();
    }

    // Loads the modules of the folder's modules\ as the program does after
    // the window is made.
    void LoadModules() {
        modules_->SetHost(window_.get());
        modules_->Discover(folder_.PathOf("modules"));
    }

    // Destroys the window, then the modules (the window's destruction may
    // still call them).
    void Stop() {
        window_.reset();
        modules_.reset();
    }

    LoaderWindow& Window() { return *window_; }
    HWND Handle() const { return window_->Handle(); }
    FixtureFolder& Folder() { return folder_; }
    FakeClock& Clock() { return clock_; }

    // Sends the menu command `number` as the tray menu sends it.
    void Command(unsigned number) { SendMessageA(window_->Handle(), WM_COMMAND, number, 0); }

private:
    FixtureFolder folder_;
    SystemModulePlatform platform_;
    std::string savedPath_;
    FakeClock clock_{1356998400};  // 2013-01-01 08:00 in Shanghai
    QuietShell shell_;
    QuietPower power_;
    std::unique_ptr<ModuleManager> modules_;
    std::unique_ptr<LoaderWindow> window_;
};
