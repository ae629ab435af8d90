#include "widget/win32/calendar_window.h"

#include <algorithm>

#include "alarmclock/win32/query_clock.h"
#include "common/path_util.h"
#include "common/win32/owned_windows.h"
#include "services/product_services.h"
#include "widget/reminders/reminder_messages.h"

namespace {

enum Timer : UINT_PTR {
    kRolloverTimer = 1,
    kWatchDelayTimer = 2,
    kWatchTimer = 3,
    // 4 to 6 are the weather's (weather_sequence.h).
    kReminderStateTimer = 7,
};
constexpr UINT kWatchDelayMilliseconds = 5000;
constexpr UINT kWatchMilliseconds = 1000;
// Snoozed alerts come within this of their moment.
constexpr UINT kReminderStateMilliseconds = 10000;
// A window whose top is this close to the screen's top hides to the edge.
constexpr int kHideNearTop = 25;

constexpr char kSaveFailedText[] = "无法保存日历设置或日程提醒，请检查日历所在的文件夹是否可以写入！";

static_assert(ClockWindow::kHeight == kClockAreaHeight, "the layout leaves the clock window's height free");

}  // namespace

CCalendarWindow::CCalendarWindow(WidgetModule& module) : module_(module), alpha_(module.settings.alpha) {}

CCalendarWindow::~CCalendarWindow() {
    // Destroyed here, while this class still handles the window's messages.
    DestroyWindow();
}

bool CCalendarWindow::Create() {
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kCalendarWindowClass, kCalendarWindowTitle, WS_POPUP, 0, 0, 0, 0,
                    nullptr, nullptr);
}

int CCalendarWindow::OnCreate(CREATESTRUCTA* create) {
    alarmclock::IAlarmClock* alarmClock = QueryClock();
    if (CLayerWindow::OnCreate(create) == -1 || alarmClock == nullptr) {
        return -1;
    }
    const HWND self = GetSafeHwnd();
    BuildMenus();
    holidays_.Load(module_.holidaysPath);
    store_ = std::make_unique<CReminderStore>(alarmClock, systemClock_);
    // A missing Calendar.dat is an empty store; the first save makes it.
    store_->LoadReminders(module_.remindersPath);
    store_->SetDueNotification([self](std::uint32_t id) { PostMessageA(self, RM_DUE, id, 0); });
    view_ = std::make_unique<CalendarView>(holidays_, store_->items(), systemClock_);
    view_->SetLayoutFlags(module_.settings.layoutFlags);
    view_->SetDescriptionMeasurer(
        [this](const std::string& description, int width) { return painter_.MeasureDescription(description, width); });
    view_->SelectToday();
    SetTimer(self, kRolloverTimer, view_->MillisecondsToNextRolloverCheck(), nullptr);
    CreateDirectoryA(JoinPath(module_.folder, "Data").c_str(), nullptr);  // fails harmlessly when it exists
    skinName_ = ReadSkinName(module_.loaderSettingsPath);
    LoadSkin();
    StartWeather();
    Redraw();
    clock_.Create(self, {JoinPath(module_.folder, "Commskins"), SkinFolder(), module_.networkSettingsPath, alpha_});
    hotKeys_.RegisterHotKeys(self, module_.loaderSettingsPath);
    RestartPointerWatch();
    StartReminderState();
    SetTimer(self, kReminderStateTimer, kReminderStateMilliseconds, nullptr);
    return 0;
}

void CCalendarWindow::OnDestroy() {
    const HWND self = GetSafeHwnd();
    for (UINT_PTR timer : {kRolloverTimer, kWatchDelayTimer, kWatchTimer, kReminderStateTimer}) {
        KillTimer(self, timer);
    }
    if (weather_) {
        weather_->Stop(self);
    }
    CloseReminderWindows();
    edgeStrip_.DestroyWindow();
    clock_.Destroy();
    hotKeys_.UnregisterAll();
    // A window whose creation failed has nothing to save. The window is
    // going: a failure message has no owner.
    if (store_ && view_) {
        SaveAll(nullptr);
        StopReminderState();
    }
    newMenu_.reset();
    monthMenu_.reset();
    painter_.SetSkin({});
}

LRESULT CCalendarWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    if (OnReminderMessage(message, wParam, lParam)) {
        return 0;
    }
    switch (message) {
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_TIMECHANGE:
            // The clock was set: the date may have changed just now.
            CheckRollover();
            break;
        case WM_MOUSEMOVE:
            OnMouseMove(x, y);
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButtonDown(x, y);
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(x, y);
            return 0;
        case WM_RBUTTONUP:
            if (module_.host != nullptr) {
                SendMessageA(module_.host, kShowTrayMenuMessage, 0, 0);
            }
            return 0;
        case WM_COMMAND:
            // Hit-area and menu commands, whole 32-bit numbers in wParam.
            RunCommand(static_cast<std::uint32_t>(wParam));
            return 0;
        case WM_HOTKEY:
            OnHotKey(static_cast<int>(wParam));
            return 0;
        case kShowFromEdgeMessage:
            ShowOnTop();
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_MOVE:
            MoveClock();
            break;
        case WM_WINDOWPOSCHANGED:
            OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
            break;
        default:
            break;
    }
    return CLayerWindow::WindowProc(message, wParam, lParam);
}

void CCalendarWindow::OnTimer(UINT_PTR timer) {
    switch (timer) {
        case kRolloverTimer:
            CheckRollover();
            break;
        case kWatchDelayTimer:
            KillTimer(GetSafeHwnd(), kWatchDelayTimer);
            pointerWatched_ = true;
            SetTimer(GetSafeHwnd(), kWatchTimer, kWatchMilliseconds, nullptr);
            break;
        case kWatchTimer:
            WatchPointer();
            break;
        case kReminderStateTimer:
            CheckReminderState(systemClock_.Now());
            break;
        default:
            OnWeatherTimer(timer);
            break;
    }
}

void CCalendarWindow::CheckRollover() {
    // WM_TIMECHANGE is broadcast to every window, also one whose view is
    // not made yet.
    if (!view_) {
        return;
    }
    if (view_->CheckRollover()) {
        Redraw();
        // Today's mark moves in the planner too.
        RefreshPlanner();
    }
    SetTimer(GetSafeHwnd(), kRolloverTimer, view_->MillisecondsToNextRolloverCheck(), nullptr);
}

void CCalendarWindow::WatchPointer() {
    POINT pointer = {};
    RECT window = {};
    GetCursorPos(&pointer);
    GetWindowRect(GetSafeHwnd(), &window);
    const bool inside = !hidden_ && PtInRect(&window, pointer) != FALSE;
    const bool left = pointerWasInside_ && !inside;
    // Noted before saving: a failure message's own message loop runs this
    // watch again meanwhile.
    pointerWasInside_ = inside;
    if (left) {
        SaveAll(GetSafeHwnd());
    }
    if (module_.settings.autoHide != 0 && !inside && !hidden_ && window.top <= kHideNearTop) {
        Hide();
    }
    // The pointer is looked at again only while it is over the window's
    // area but not over the window itself (over the clock, say): on the
    // window, its leaving brings WM_MOUSELEAVE, which runs this watch; away
    // from it, there is nothing to do until it comes back.
    if (inside && !trackingLeave_) {
        SetTimer(GetSafeHwnd(), kWatchTimer, kWatchMilliseconds, nullptr);
    } else {
        KillTimer(GetSafeHwnd(), kWatchTimer);
    }
}

void CCalendarWindow::RestartPointerWatch() {
    pointerWatched_ = false;
    KillTimer(GetSafeHwnd(), kWatchTimer);
    SetTimer(GetSafeHwnd(), kWatchDelayTimer, kWatchDelayMilliseconds, nullptr);
}

// A fixed window stays at the saved left and top, however it is moved.
void CCalendarWindow::OnWindowPosChanging(WINDOWPOS* position) const {
    if (module_.settings.fixedPosition != 0 && (position->flags & SWP_NOMOVE) == 0) {
        position->x = std::max(0, module_.settings.windowRect.left);
        position->y = std::max(0, module_.settings.windowRect.top);
    }
}

// Whoever raised the window (this code, Wine on its first show, a window
// manager), the windows it owns follow it up.
void CCalendarWindow::OnWindowPosChanged(const WINDOWPOS& position) {
    if ((position.flags & SWP_NOZORDER) == 0 && IsWindowVisible(GetSafeHwnd())) {
        // A window left under the calendar is still open and reachable; there
        // is nothing to tell the user.
        KeepOwnedWindowsAbove(GetSafeHwnd());
    }
}

void CCalendarWindow::Place() {
    const ScreenRect& saved = module_.settings.windowRect;
    SetWindowPos(GetSafeHwnd(), module_.settings.alwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST,
                 std::max(0, saved.left), std::max(0, saved.top), 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    LONG_PTR style = GetWindowLongPtrA(GetSafeHwnd(), GWL_EXSTYLE);
    if (module_.settings.clickThrough != 0) {
        style |= WS_EX_LAYERED | WS_EX_TRANSPARENT;
    } else {
        style &= ~static_cast<LONG_PTR>(WS_EX_TRANSPARENT);
    }
    SetWindowLongPtrA(GetSafeHwnd(), GWL_EXSTYLE, style);
    MoveClock();
    // A change of styles may bring a new, empty back buffer.
    Redraw();
}

BOOL CCalendarWindow::Hide() {
    if (module_.settings.autoHide != 0 && !hidden_) {
        RECT window = {};
        GetWindowRect(GetSafeHwnd(), &window);
        edgeStrip_.Show(GetSafeHwnd(), kShowFromEdgeMessage, window.left + kEdgeStripIndent, window.right);
    }
    const BOOL result = ShowWindow(GetSafeHwnd(), SW_HIDE);
    hidden_ = true;
    clock_.Show(false);
    return result;
}

BOOL CCalendarWindow::ShowOnTop() {
    edgeStrip_.DestroyWindow();
    if (module_.settings.autoHide != 0) {
        RestartPointerWatch();
    }
    if (!IsWindowVisible(GetSafeHwnd())) {
        // Wine puts a window on top of the X display when it maps it: the
        // clock, shown with the window made (the first show), is mapped
        // again after the calendar so it is not left under it.
        clock_.Show(false);
    }
    ShowWindow(GetSafeHwnd(), SW_SHOWNOACTIVATE);
    const BOOL result = SetWindowPos(GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    hidden_ = false;
    clock_.Show(true);
    // A window that stays under the calendar is still open and reachable
    // through its owner; there is nothing to tell the user.
    KeepOwnedWindowsAbove(GetSafeHwnd());
    return result;
}

int CCalendarWindow::ChangeSkins() {
    skinName_ = ReadSkinName(module_.loaderSettingsPath);
    LoadSkin();
    clock_.SetSkinFolder(SkinFolder());
    RECT window = {};
    GetWindowRect(GetSafeHwnd(), &window);
    module_.settings.windowRect = {window.left, window.top, window.right, window.bottom};
    Place();
    ShowOnTop();
    return clock_.Show(true) ? 1 : 0;
}

int CCalendarWindow::RunPreferences() {
    PreferencesPaths paths{module_.loaderSettingsPath, module_.programPath, module_.remindersPath};
    return ShowPreferences(module_.instance, GetSafeHwnd(), module_.settings, paths, *this);
}

void CCalendarWindow::ApplySettings() {
    alpha_ = module_.settings.alpha;
    clock_.SetAlpha(alpha_);
    Place();
    ShowOnTop();
}

void CCalendarWindow::PreviewAlpha(int alpha) {
    alpha_ = std::clamp(alpha, 0, 255);
    clock_.SetAlpha(alpha_);
    Redraw();
}

bool CCalendarWindow::RegisterHotKeys() {
    return hotKeys_.RegisterHotKeys(GetSafeHwnd(), module_.loaderSettingsPath);
}

HWND CCalendarWindow::ReminderWindow() {
    return GetSafeHwnd();
}

std::string CCalendarWindow::SkinFolder() const {
    return JoinPath(module_.folder, skinName_);
}

void CCalendarWindow::LoadSkin() {
    painter_.SetSkin(LoadSkinImages(module_.folder, SkinFolder()));
}

void CCalendarWindow::Redraw() {
    LayoutInput input;
    input.layoutFlags = view_->layoutFlags();
    input.monthRows = view_->monthRows();
    paintState_.showHolidayEntries = view_->ShowsHolidayEntries(module_.settings.showHolidayDetails != 0);
    if (paintState_.showHolidayEntries) {
        const DayHolidays& info = view_->selectedDayInfo();
        for (std::size_t i = 0; i < info.entries.size(); ++i) {
            const TextRect* rect = i < info.descriptionRects.size() ? &info.descriptionRects[i] : nullptr;
            input.holidayDescriptionHeights.push_back(rect != nullptr ? rect->bottom - rect->top : 0);
        }
    }
    bool anySchedule = false;
    for (const PanelLine& line : view_->panelLines()) {
        input.reminderIds.push_back(line.id);
        anySchedule = anySchedule || !line.birthday;
    }
    input.emptyScheduleText = !anySchedule;
    if (weather_) {
        input.weather = weather_->State();
    }
    const LayoutRect clockBefore = layout_.clock;
    layout_ = LayOutCalendar(input);

    RECT window = {};
    GetWindowRect(GetSafeHwnd(), &window);
    if (window.right - window.left != kCalendarWindowWidth || window.bottom - window.top != layout_.height) {
        // The new size brings a new back buffer of that size.
        SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, kCalendarWindowWidth, layout_.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (Gdiplus::Bitmap* buffer = GetBackBuffer()) {
        painter_.Paint(*buffer, layout_, *view_, paintState_, ShownWeather());
        SetLayerBitmap(buffer, static_cast<BYTE>(alpha_));
    }
    // The weather section's height moves the clock.
    if (layout_.clock != clockBefore && clock_.GetSafeHwnd() != nullptr) {
        MoveClock();
    }
}

void CCalendarWindow::MoveClock() {
    RECT window = {};
    GetWindowRect(GetSafeHwnd(), &window);
    clock_.MoveTo(window.left + layout_.clock.x, window.top + layout_.clock.y);
}

void CCalendarWindow::SaveAll(HWND messageOwner) {
    if (!hidden_) {
        RECT window = {};
        GetWindowRect(GetSafeHwnd(), &window);
        module_.settings.windowRect = {window.left, window.top, window.right, window.bottom};
    }
    module_.settings.layoutFlags = view_->layoutFlags();
    const bool settingsSaved =
        SaveWidgetSettings(module_.settingsPath, module_.settings) && (!weather_ || weather_->Save() == 0);
    const bool remindersSaved = store_->SaveReminders(module_.remindersPath);
    if (!settingsSaved || !remindersSaved) {
        ReportSaveFailure(messageOwner, false);
    }
}

bool CCalendarWindow::SaveReminders() {
    if (store_->SaveReminders(module_.remindersPath)) {
        return true;
    }
    ReportSaveFailure(GetSafeHwnd(), true);
    return false;
}

// A change the user has just made is reported every time it cannot be
// saved. The saves made behind the user's back (each time the pointer
// leaves the window) report only their first failure, or a read-only folder
// would bring a message box every time the pointer passes.
void CCalendarWindow::ReportSaveFailure(HWND messageOwner, bool always) {
    if (saveFailureShown_ && !always) {
        return;
    }
    saveFailureShown_ = true;
    MsgBox(messageOwner, kSaveFailedText, MB_ICONWARNING);
}
