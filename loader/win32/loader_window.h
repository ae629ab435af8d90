#pragma once

// LoaderWindow: the loader's hidden main window ("QvCalendar Loader Class").
// It owns the tray icon and menu, the day icon, the About window and the
// tool-window slots; its timers show the widgets and watch the date; it
// takes commands forwarded by a second start (WM_COPYDATA), the tray's mouse
// messages and WM_SHOW_TRAY_MENU from the widgets. Everything runs on the
// user-interface thread but the tray information worker, which only posts
// the system balloon to the window.
//
// Its WidgetHost base is what the widgets get in InitWidget and
// GetPreferWnd: the window handle to send WM_SHOW_TRAY_MENU to.

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "common/local_time.h"
#include "common/win32/handles.h"
#include "loader/desktop_commands.h"
#include "loader/module_manager.h"
#include "loader/shutdown_schedule.h"
#include "loader/tool_window_slots.h"
#include "loader/tray_texts.h"
#include "loader/widget_interface.h"
#include "loader/win32/about_window.h"
#include "loader/win32/notice_window.h"
#include "loader/win32/time_sync_dialog.h"
#include "loader/win32/tray_icon.h"
#include "loader/win32/tray_info_worker.h"
#include "loader/win32/tray_menu.h"
#include "loader/win32/version_check_worker.h"

struct LoaderWindowOptions {
    HINSTANCE instance = nullptr;  // holds the icons and the menu bitmap; owns the window class
    std::string productName;       // GBK, for the welcome balloon
    std::string productVersion;
    std::string aboutImagePath;
    // From the first notice check to the version check's download.
    unsigned versionCheckDelayMs = 30000;
    std::string programFolder;    // without a trailing backslash
    std::string siteHost;         // the maker's web site
    bool endsMessageLoop = true;  // destroying the window posts WM_QUIT (the program's main window)
    TimeSyncSetup timeSync;       // 网络校时: the time server, its time-outs and who sets the clock
    unsigned long skinPackageWaitMs = 5 * 60 * 1000;  // a skin package still running then is given up
};

class LoaderWindow : public WidgetHost {
public:
    LoaderWindow(const IClock& clock,
                 ModuleManager& modules,
                 DesktopShell& shell,
                 PowerControl& power,
                 LoaderWindowOptions options);
    ~LoaderWindow();
    LoaderWindow(const LoaderWindow&) = delete;
    LoaderWindow& operator=(const LoaderWindow&) = delete;

    // Registers the window class and creates the hidden window, which sets up
    // the menu, the day icon, the tray icon and the date watch. False when
    // the window could not be made.
    bool Create();
    HWND Handle() const { return window_; }

    // Numbers the working modules and, when there is one, adds the 显示
    // submenu (with a separator) above "退出(&x)". Once, after the modules
    // are loaded.
    void AddShowSubmenu();
    // Starts the timer whose first tick shows the first module.
    void ShowFirstModuleSoon();

    // What the tests look at.
    HMENU Menu() const { return menu_.Root(); }
    int DayIconResourceShown() const { return dayIconResource_; }
    const TrayIcon& Tray() const { return trayIcon_; }
    int MenuContext() const { return menuContext_; }
    AboutWindow* About() const { return about_.get(); }
    const TrayInfoWorker* TrayWorker() const { return trayWorker_.get(); }
    NoticeWindow* Notice() const { return notice_.get(); }
    const VersionCheckWorker* VersionWorker() const { return versionWorker_.get(); }
    // Steps 2 and 3 of opening the menu: remembers `moduleIndex` and shows
    // "隐藏" on top when it is not -1.
    void PrepareMenu(int moduleIndex);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate(HWND handle);
    void OnDestroy();
    bool OnTimer(UINT_PTR timerId);
    std::optional<LRESULT> OnCopyData(const COPYDATASTRUCT& data);
    void OnTrayNotify(UINT mouseMessage);
    bool OnCommand(unsigned number);
    void OpenMenu(int moduleIndex);
    void WatchDate();
    void ShowDayIcon(int day);
    void BringToFront();
    void ShowAllModules();
    void HideAllModules();
    void CheckShutdown();
    void OpenToolWindow(ToolWindowKind kind);
    void OpenShutdownDialog();
    void OpenTimeSyncDialog();
    void OpenSkinDialog();                       // loader_window_skins.cpp
    void ChangeAllSkins();                       // loader_window_skins.cpp
    void OpenLookupWindow(ToolWindowKind kind);  // loader_window_lookup.cpp
    void StartTrayWorker();
    void OnTrayBalloon(BalloonStep step);
    void CreateNoticeWindow();  // loader_window_notices.cpp
    void OnNoticeTimer(TimerAction action);
    void CheckNotice();
    void StartVersionCheck();

    const IClock& clock_;
    ModuleManager& modules_;
    DesktopShell& shell_;
    PowerControl& power_;
    LoaderWindowOptions options_;
    ShutdownScheduleReader shutdownSchedule_;

    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;  // the shell's "TaskbarCreated" message
    HIMAGELIST menuIcons_ = nullptr;
    TrayMenu menu_;
    TrayIcon trayIcon_;
    UniqueIcon dayIcon_;
    int dayIconResource_ = 0;
    std::optional<DateWatch> dateWatch_;
    std::optional<DesktopCommands> desktop_;
    int menuContext_ = -1;  // module the menu was last opened for, -1 for the tray
    ToolWindowSlots toolWindows_;
    std::unique_ptr<AboutWindow> about_;
    // Written by this thread on a right press over the icon, read and
    // cleared by the tray information worker.
    std::atomic<bool> menuOpen_{false};
    std::unique_ptr<TrayInfoWorker> trayWorker_;  // from the first pointer move over the icon; joined on destroy

    // None when it could not be made: no notice checks then.
    std::unique_ptr<NoticeWindow> notice_;
    // From the first notice check; let go on destroy.
    std::unique_ptr<VersionCheckWorker> versionWorker_;
};
