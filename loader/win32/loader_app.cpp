#include "loader/win32/loader_app.h"

#include <ole2.h>

#include "alarmclock/win32/local_time_setter.h"
#include "common/local_time.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "loader/command_line.h"
#include "loader/loader_paths.h"
#include "loader/module_manager.h"
#include "common/win32/control_hosting.h"
#include "loader/win32/dialog_keys.h"
#include "loader/win32/loader_window.h"
#include "loader/win32/system_desktop_shell.h"
#include "loader/win32/system_module_platform.h"
#include "services/product_services.h"
#include "widget/clock/time_server_address.h"

namespace {

// A running copy busy for this long with a forwarded command is given up on.
constexpr UINT kForwardTimeoutMs = 60000;

// The single-instance mutex, owned from creation; released and closed last.
class InstanceMutex {
public:
    InstanceMutex() : handle_(CreateMutexA(nullptr, TRUE, kSingleInstanceMutexName)), error_(GetLastError()) {}
    ~InstanceMutex() {
        if (handle_ && error_ != ERROR_ALREADY_EXISTS) {
            ReleaseMutex(handle_.get());
        }
    }
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    bool AnotherCopyRuns() const { return error_ == ERROR_ALREADY_EXISTS; }

private:
    UniqueHandle handle_;
    DWORD error_;
};

// The component (OLE) runtime for the user-interface thread.
class OleSession {
public:
    OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool ok_;
};

bool IsLoaderWindowClass(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::string_view(name) == kLoaderWindowClass;
}

// EnumChildWindows walks every descendant, depth first.
BOOL CALLBACK TakeFirstOfClass(HWND child, LPARAM found) {
    if (IsLoaderWindowClass(child)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK SearchBelowTopLevel(HWND topLevel, LPARAM found) {
    EnumChildWindows(topLevel, TakeFirstOfClass, found);
    return *reinterpret_cast<HWND*>(found) == nullptr;
}

}  // namespace

HWND FindLoaderWindow() {
    if (HWND window = FindWindowA(kLoaderWindowClass, nullptr)) {
        return window;
    }
    HWND found = nullptr;
    EnumWindows(SearchBelowTopLevel, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool ForwardCommand(const std::string& command) {
    HWND running = FindLoaderWindow();
    if (running == nullptr) {
        return false;
    }
    COPYDATASTRUCT data{};
    data.dwData = kCopyDataCommand;
    data.cbData = static_cast<DWORD>(command.size() + 1);  // with the terminating zero
    data.lpData = const_cast<char*>(command.c_str());
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               kForwardTimeoutMs, &answer) != 0;
}

int LoaderApp::Run(const std::string& commandText) {
    InstanceMutex mutex;
    if (mutex.AnotherCopyRuns()) {
        if (!commandText.empty()) {
            ForwardCommand(commandText);
        }
        return 0;
    }
    if (!commandText.empty()) {
        return 0;  // a command for a copy that does not run
    }

    // The lookup windows embed a web browser; without hosting they open
    // empty, so a failure here stops nothing.
    static_cast<void>(EnableControlHosting());
    LoaderPaths paths = LoaderPathsFor(ModuleFolder(nullptr));
    OleSession ole;
    GdiplusSession gdiplus;
    SystemClock clock;
    SystemModulePlatform platform;
    SystemDesktopShell shell;
    SystemPowerControl power;
    alarmclock::LocalTimeSetter clockSetter;
    ModuleManager modules(platform, paths.moduleSettings);

    LoaderWindowOptions options;
    options.instance = instance_;
    options.productName = GetSoftName();
    options.productVersion = GetSoftVersion();
    options.aboutImagePath = paths.aboutImage;
    options.programFolder = paths.programFolder;
    options.siteHost = SiteHost(paths.networkSettings);
    options.timeSync.server = ReadTimeServerAddress(paths.networkSettings);
    options.timeSync.clockSetter = &clockSetter;
    LoaderWindow window(clock, modules, shell, power, options);
    if (!window.Create()) {
        return 0;
    }
    shell.SetOwner(window.Handle());
    modules.SetHost(&window);
    modules.Discover(paths.modulesFolder);
    window.AddShowSubmenu();
    window.ShowFirstModuleSoon();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (RouteDialogKeys(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The window is gone; every widget is released before its library goes.
    // GDI+, the component runtime and the mutex follow as their owners end.
    modules.RemoveAll();
    return 0;
}
