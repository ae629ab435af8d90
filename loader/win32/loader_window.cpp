#include "loader/win32/loader_window.h"

#include "loader/command_line.h"
#include "loader/loader_commands.h"
#include "loader/loader_paths.h"
#include "loader/shutdown_schedule.h"
#include "loader/tray_menu_model.h"
#include "loader/win32/loader_resources.h"
#include "loader/win32/shutdown_countdown_dialog.h"
#include "loader/win32/shutdown_dialog.h"

namespace {

constexpr UINT kWelcomeBalloonMs = 5000;
constexpr UINT kSystemBalloonMs = 0;  // the shell's shortest time
constexpr COLORREF kMenuIconMask = RGB(0, 128, 128);

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

LoaderWindow::LoaderWindow(const IClock& clock,
                           ModuleManager& modules,
                           DesktopShell& shell,
                           PowerControl& power,
                           LoaderWindowOptions options)
    : clock_(clock),
      modules_(modules),
      shell_(shell),
      power_(power),
      options_(std::move(options)),
      shutdownSchedule_(LoaderPathsFor(options_.programFolder).moduleSettings) {}

LoaderWindow::~LoaderWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool LoaderWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = options_.instance;
    windowClass.hIcon = LoadIconA(options_.instance, MAKEINTRESOURCEA(kProgramIconResource));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kLoaderWindowClass;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    // A pop-up tool window has no task bar button; it is never shown.
    return CreateWindowExA(WS_EX_TOOLWINDOW, kLoaderWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           options_.instance, this) != nullptr;
}

LRESULT CALLBACK LoaderWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<LoaderWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self->WidgetHost::window = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return self->Handle(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT LoaderWindow::Handle(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (taskbarCreated_ != 0 && message == taskbarCreated_) {
        // The shell restarted and forgot its icons.
        trayIcon_.AddAgain();
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(handle) ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_TIMER:
            if (OnTimer(wParam)) {
                return 0;
            }
            break;
        case WM_COPYDATA:
            if (lParam != 0) {
                if (std::optional<LRESULT> answer = OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam))) {
                    return *answer;
                }
            }
            break;
        case kTrayNotifyMessage:
            OnTrayNotify(static_cast<UINT>(LOWORD(lParam)));
            return 0;
        case kShowTrayMenuMessage:
            OpenMenu(static_cast<int>(wParam));
            return 0;
        case kTrayBalloonMessage:
            OnTrayBalloon(static_cast<BalloonStep>(wParam));
            return 0;
        case kTrayRestoreIconMessage:
            if (trayIcon_.added()) {
                trayIcon_.ShowIconAgain();
            }
            return 0;
        case WM_COMMAND:
            // Menu commands arrive whole in the first argument (numbers above
            // 65535 do not fit its low word).
            if (lParam == 0 && OnCommand(static_cast<unsigned>(wParam))) {
                return 0;
            }
            break;
        case WM_MEASUREITEM:
            if (wParam == 0 && lParam != 0) {
                menu_.OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_DRAWITEM:
            if (wParam == 0 && lParam != 0) {
                menu_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_MENUCHAR:
            return menu_.OnMenuChar(static_cast<char>(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        default:
            break;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

bool LoaderWindow::OnCreate(HWND handle) {
    window_ = handle;
    window = handle;
    menuIcons_ = ImageList_LoadImageA(options_.instance, MAKEINTRESOURCEA(kMenuIconsResource), 16, 1, kMenuIconMask,
                                      IMAGE_BITMAP, LR_CREATEDIBSECTION);
    // The drive lists are made once, with the menu.
    DesktopContext context{options_.programFolder, options_.siteHost, SplitDrives(shell_.Drives())};
    menu_.Build(BuildTrayMenu(context.drives), menuIcons_);
    desktop_.emplace(shell_, power_, std::move(context));

    LocalTime now = ToLocalTime(clock_.Now());
    dateWatch_.emplace(now);
    ShowDayIcon(now.day);
    trayIcon_.Add(handle, kTrayNotifyMessage, dayIcon_.get(),
                  WelcomeTitle(options_.productName, options_.productVersion), CurrentTimeText(now), kWelcomeBalloonMs);
    CreateNoticeWindow();
    SetTimer(handle, timer::kDateWatch, timer::kDateWatchPeriod, nullptr);
    SetTimer(handle, timer::kFirstNoticeCheck, timer::kFirstNoticeDelay, nullptr);
    SetTimer(handle, timer::kShutdownCheck, kShutdownCheckPeriodMs, nullptr);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    return true;
}

void LoaderWindow::OnDestroy() {
    shell_.StopSideProgramHook();
    trayWorker_.reset();  // its quit request, and the wait for it, before the icon goes
    // Its quit request; it is not waited for.
    versionWorker_.reset();
    trayIcon_.Remove();
    dayIcon_.reset();
    KillTimer(window_, timer::kDateWatch);
    KillTimer(window_, timer::kShutdownCheck);
    KillTimer(window_, timer::kShutdownPause);
    KillTimer(window_, timer::kFirstNoticeCheck);
    KillTimer(window_, timer::kNoticeCheck);
    menu_.Destroy();
    if (menuIcons_ != nullptr) {
        ImageList_Destroy(menuIcons_);
        menuIcons_ = nullptr;
    }
    notice_.reset();
    toolWindows_.CloseAll();
    about_.reset();
    if (options_.endsMessageLoop) {
        PostQuitMessage(0);
    }
}

// Loads the icon of `day` and puts it in the tray once the tray has it.
void LoaderWindow::ShowDayIcon(int day) {
    dayIconResource_ = DayIconResource(day);
    dayIcon_.reset(static_cast<HICON>(
        LoadImageA(options_.instance, MAKEINTRESOURCEA(dayIconResource_), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

void LoaderWindow::WatchDate() {
    LocalTime now = ToLocalTime(clock_.Now());
    if (!dateWatch_ || !dateWatch_->Changed(now)) {
        return;
    }
    UniqueIcon previous(dayIcon_.release());  // the tray keeps using it until it has the new one
    ShowDayIcon(now.day);
    trayIcon_.Change(dayIcon_.get(), CurrentTimeText(now));
}

void LoaderWindow::BringToFront() {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

bool LoaderWindow::OnTimer(UINT_PTR timerId) {
    TimerRoute route = RouteTimer(static_cast<unsigned>(timerId));
    switch (route.action) {
        case TimerAction::kShowModule:
            KillTimer(window_, timerId);
            BringToFront();
            if (ModuleRecord* record = modules_.Usable(static_cast<std::size_t>(route.moduleIndex));
                record != nullptr && record->entries.Show != nullptr) {
                record->entries.Show(1);
            }
            return true;
        case TimerAction::kShowAll:
            KillTimer(window_, timerId);
            BringToFront();
            ShowAllModules();
            return true;
        case TimerAction::kDateWatch:
            WatchDate();
            return true;
        case TimerAction::kFirstNoticeCheck:
        case TimerAction::kNoticeCheck:
            OnNoticeTimer(route.action);
            return true;
        case TimerAction::kShutdownCheck:
            CheckShutdown();
            return true;
        case TimerAction::kShutdownResume:
            KillTimer(window_, timerId);
            SetTimer(window_, timer::kShutdownCheck, kShutdownCheckPeriodMs, nullptr);
            return true;
        case TimerAction::kNone:
            break;
    }
    return false;
}

void LoaderWindow::ShowAllModules() {
    for (std::size_t index = 0; index < modules_.Count(); ++index) {
        if (ModuleRecord* record = modules_.Usable(index)) {
            if (record->entries.Show != nullptr) {
                record->entries.Show(1);
            }
            if (record->entries.ShowCalendar != nullptr) {
                record->entries.ShowCalendar(1);
            }
        }
    }
}

void LoaderWindow::HideAllModules() {
    for (std::size_t index = 0; index < modules_.Count(); ++index) {
        if (ModuleRecord* record = modules_.Usable(index)) {
            if (record->entries.Show != nullptr) {
                record->entries.Show(0);
            }
            if (record->entries.ShowCalendar != nullptr) {
                record->entries.ShowCalendar(0);
            }
        }
    }
}

std::optional<LRESULT> LoaderWindow::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData != kCopyDataCommand) {
        return std::nullopt;
    }
    std::string_view bytes;
    if (data.lpData != nullptr) {
        bytes = std::string_view(static_cast<const char*>(data.lpData), data.cbData);
    }
    ForwardedCommand command = ClassifyForwardedCommand(kCopyDataCommand, bytes);
    if (command.kind == ForwardedKind::kExit) {
        PostMessageA(window_, WM_CLOSE, 0, 0);
    } else if (command.kind == ForwardedKind::kDescriptor && FileExists(command.text)) {
        // The menu is not rebuilt: the new module gets no menu number.
        std::uint32_t id = 0;
        modules_.Add(command.text, id);
    }
    return 1;
}

void LoaderWindow::OnTrayNotify(UINT mouseMessage) {
    switch (mouseMessage) {
        case WM_LBUTTONDOWN:
            SetTimer(window_, timer::kShowFirstModule, timer::kTrayClickDelay, nullptr);
            break;
        case WM_LBUTTONDBLCLK:
            SetTimer(window_, timer::kShowAll, timer::kMenuDelay, nullptr);
            break;
        case WM_MOUSEMOVE:
            StartTrayWorker();
            break;
        case WM_RBUTTONDOWN:
            menuOpen_ = true;
            if (IsWindowEnabled(window_)) {
                SendMessageA(window_, kShowTrayMenuMessage, static_cast<WPARAM>(-1), 0);
            }
            break;
        default:
            break;
    }
}

void LoaderWindow::StartTrayWorker() {
    if (trayWorker_) {
        return;
    }
    trayWorker_ = std::make_unique<TrayInfoWorker>(window_, 0, menuOpen_, clock_,
                                                   SystemBalloonTitle(options_.productName, options_.productVersion));
    // A worker that could not start is kept too: it is never tried again.
    trayWorker_->Start();
}

void LoaderWindow::OnTrayBalloon(BalloonStep step) {
    if (!trayWorker_ || !trayIcon_.added()) {
        return;
    }
    if (step == BalloonStep::kShow) {
        TrayBalloon balloon = trayWorker_->TakeBalloon();
        trayIcon_.ChangeBalloon(balloon.title, balloon.text, kSystemBalloonMs);
    } else if (step == BalloonStep::kHide) {
        trayIcon_.ChangeBalloon("", "", kSystemBalloonMs);
    }
}

void LoaderWindow::PrepareMenu(int moduleIndex) {
    menuContext_ = moduleIndex;
    menu_.SetHideItem(moduleIndex != -1);
}

void LoaderWindow::OpenMenu(int moduleIndex) {
    // A modal window of the loader (a question) is open: no menu over it.
    if (!IsWindowEnabled(window_) || menu_.Root() == nullptr) {
        return;
    }
    PrepareMenu(moduleIndex);
    POINT cursor{};
    GetCursorPos(&cursor);
    // The menu's owner must be in the foreground, or the menu would not
    // close when the user clicks elsewhere.
    SetForegroundWindow(window_);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(menu_.Root(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                   cursor.x, cursor.y, 0, window_, nullptr));
    PostMessageA(window_, WM_NULL, 0, 0);
    if (chosen != 0) {
        PostMessageA(window_, WM_COMMAND, chosen, 0);
    }
}

bool LoaderWindow::OnCommand(unsigned number) {
    LoaderCommand command = ClassifyCommand(number);
    switch (command.kind) {
        case CommandKind::kUnknown:
            return false;
        case CommandKind::kHideWidget:
            if (menuContext_ >= 0) {
                if (ModuleRecord* record = modules_.Usable(static_cast<std::size_t>(menuContext_));
                    record != nullptr && record->entries.Show != nullptr) {
                    record->entries.Show(0);
                }
            }
            return true;
        case CommandKind::kHideAll:
            HideAllModules();
            return true;
        case CommandKind::kShowAll:
            SetTimer(window_, timer::kShowAll, timer::kMenuDelay, nullptr);
            return true;
        case CommandKind::kShowCalendar:
        case CommandKind::kShowReminderList:
        case CommandKind::kPreferences:
            if (ModuleRecord* record = modules_.Usable(0)) {
                WidgetInterface& entries = record->entries;
                if (command.kind == CommandKind::kShowCalendar && entries.Show != nullptr) {
                    entries.Show(1);
                } else if (command.kind == CommandKind::kShowReminderList && entries.ShowCalendar != nullptr) {
                    entries.ShowCalendar(1);
                } else if (command.kind == CommandKind::kPreferences && entries.GetPreferWnd != nullptr) {
                    entries.GetPreferWnd(this);
                }
            }
            return true;
        case CommandKind::kShowModule:
            BringToFront();
            SetTimer(window_, static_cast<UINT_PTR>(command.argument), timer::kMenuDelay, nullptr);
            return true;
        case CommandKind::kExit:
            PostMessageA(window_, WM_CLOSE, 0, 0);
            return true;
        case CommandKind::kAbout:
            if (!about_) {
                about_ =
                    std::make_unique<AboutWindow>(options_.instance, options_.aboutImagePath, options_.productVersion);
            }
            about_->Show();
            return true;
        case CommandKind::kToolWindow:
            OpenToolWindow(static_cast<ToolWindowKind>(command.argument));
            return true;
        default:
            return desktop_ && desktop_->Run(command);
    }
}

// At the scheduled minute the check pauses (so the minute starts one
// countdown only) and the countdown runs modally; the window's other timers
// are served by its message loop meanwhile. Nothing of the window is used
// after the countdown: the window may have been destroyed while it ran.
void LoaderWindow::CheckShutdown() {
    const Moment now = clock_.Now();
    const std::optional<ShutdownSchedule> schedule = shutdownSchedule_.Read(now);
    if (!schedule || !ShutdownDue(*schedule, ToLocalTime(now))) {
        return;
    }
    KillTimer(window_, timer::kShutdownCheck);
    SetTimer(window_, timer::kShutdownPause, kShutdownPauseMs, nullptr);
    const std::string title = options_.productName + options_.productVersion + kShutdownCountdownTitleSuffix;
    // Whether the power-off was asked for changes nothing here: a refused
    // one leaves the computer running and the check resumes after the pause.
    static_cast<void>(RunShutdownCountdown(options_.instance, window_, title, power_));
}

void LoaderWindow::OpenToolWindow(ToolWindowKind kind) {
    switch (kind) {
        case ToolWindowKind::kShutdown:
            OpenShutdownDialog();
            break;
        case ToolWindowKind::kTimeSync:
            OpenTimeSyncDialog();
            break;
        case ToolWindowKind::kSkins:
            OpenSkinDialog();
            break;
        case ToolWindowKind::kWannianli:
        case ToolWindowKind::kExchangeRates:
            OpenLookupWindow(kind);
            break;
    }
}

void LoaderWindow::OpenShutdownDialog() {
    toolWindows_.Open(ToolWindowKind::kShutdown, [this]() -> std::unique_ptr<ToolWindow> {
        return ShutdownDialog::Open(options_.instance, LoaderPathsFor(options_.programFolder).moduleSettings,
                                    options_.productName + options_.productVersion + kShutdownDialogTitleSuffix);
    });
}

void LoaderWindow::OpenTimeSyncDialog() {
    if (options_.timeSync.clockSetter == nullptr) {
        return;
    }
    toolWindows_.Open(ToolWindowKind::kTimeSync, [this]() -> std::unique_ptr<ToolWindow> {
        auto dialog = std::make_unique<TimeSyncDialog>(
            options_.instance, clock_, *options_.timeSync.clockSetter, options_.timeSync,
            options_.productName + options_.productVersion + kTimeSyncTitleSuffix);
        return dialog->Create() ? std::move(dialog) : nullptr;
    });
}

void LoaderWindow::AddShowSubmenu() {
    if (modules_.NumberWorkingModules() > 0) {
        menu_.InsertSubmenuBefore(command::kExit, BuildShowSubmenu());
    }
}

void LoaderWindow::ShowFirstModuleSoon() {
    SetTimer(window_, timer::kShowFirstModule, timer::kStartUpDelay, nullptr);
}
