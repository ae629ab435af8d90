// The calendar window's input: the pointer over days and hit areas, the
// commands they run and what each command asks of the window, the pop-up
// menus, the global hot keys and the reminder messages of editors and
// dialogs.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "services/product_services.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/settings/preferences_rules.h"
#include "widget/win32/calendar_window.h"

bool CCalendarWindow::OnReminderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case RM_DELETE:
            DeleteReminder(static_cast<std::uint32_t>(wParam), lParam == 1);
            return true;
        case RM_RELOAD:
            ReloadReminders();
            return true;
        case RM_PURGE:
            // Written with the next save, like every other change of the settings.
            store_->PurgeExpired(systemClock_.Now());
            view_->Refresh();
            Redraw();
            RefreshPlanner();
            return true;
        default:
            return OnReminderWindowMessage(message, wParam, lParam);
    }
}

void CCalendarWindow::OnMouseMove(int x, int y) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, GetSafeHwnd(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const int day = layout_.grid.Contains(x, y) ? DayAtPoint(view_->days(), x - layout_.grid.x, y - layout_.grid.y) : 0;
    bool changed = view_->SetHoverDay(day);
    const HitArea* area = HitAreaAt(layout_, x, y);
    const std::uint32_t hover = area != nullptr ? area->command : 0;
    if (hover != paintState_.hoverCommand) {
        paintState_.hoverCommand = hover;
        changed = true;
    }
    if (changed) {
        Redraw();
    }
}

void CCalendarWindow::OnMouseLeave() {
    trackingLeave_ = false;
    bool changed = view_->SetHoverDay(0);
    if (paintState_.hoverCommand != 0 || paintState_.pressedCommand != 0) {
        paintState_.hoverCommand = 0;
        paintState_.pressedCommand = 0;
        changed = true;
    }
    if (changed) {
        Redraw();
    }
    if (pointerWatched_) {
        WatchPointer();
    }
}

void CCalendarWindow::OnLeftButtonDown(int x, int y) {
    if (const HitArea* area = HitAreaAt(layout_, x, y)) {
        paintState_.pressedCommand = area->command;
        SetCapture(GetSafeHwnd());
        Redraw();
        return;
    }
    if (OpenReminderLineAt(x, y)) {
        return;
    }
    if (IsTitleDoubleClick(x, y)) {
        ShowPlanner(true);
        return;
    }
    if (layout_.grid.Contains(x, y)) {
        if (int day = DayAtPoint(view_->days(), x - layout_.grid.x, y - layout_.grid.y); day != 0) {
            view_->SelectDate({view_->selected().year, view_->selected().month, day});
            Redraw();
        }
        return;
    }
    if (module_.settings.fixedPosition == 0) {
        // The background moves the window, as a title bar would.
        ReleaseCapture();
        SendMessageA(GetSafeHwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

// A button runs its command when the button is released over it.
void CCalendarWindow::OnLeftButtonUp(int x, int y) {
    const std::uint32_t pressed = paintState_.pressedCommand;
    if (pressed == 0) {
        return;
    }
    paintState_.pressedCommand = 0;
    ReleaseCapture();
    const HitArea* area = HitAreaAt(layout_, x, y);
    if (area != nullptr && area->command == pressed) {
        RunCommand(pressed);
    } else {
        Redraw();
    }
}

void CCalendarWindow::OnHotKey(int id) {
    const std::string section = hotKeys_.SectionOf(id);
    if (lstrcmpiA(section.c_str(), kPlannerHotKeySection) == 0) {
        ShowPlanner(!planner_ || !planner_->IsShown());
        return;
    }
    if (lstrcmpiA(section.c_str(), kCalendarHotKeySection) != 0) {
        return;
    }
    if (IsWindowVisible(GetSafeHwnd())) {
        Hide();
    } else {
        ShowOnTop();
    }
}

// A press on the title text that follows the previous one within the
// system's double-click time and rectangle.
bool CCalendarWindow::IsTitleDoubleClick(int x, int y) {
    if (!layout_.title.Contains(x, y)) {
        titlePressed_ = false;
        return false;
    }
    POINT point = {x, y};
    ClientToScreen(GetSafeHwnd(), &point);
    const DWORD now = GetTickCount();
    const bool twice = titlePressed_ && now - titlePressTime_ <= GetDoubleClickTime() &&
                       std::abs(point.x - titlePressPoint_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                       std::abs(point.y - titlePressPoint_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    titlePressed_ = !twice;
    titlePressTime_ = now;
    titlePressPoint_ = point;
    return twice;
}

void CCalendarWindow::RunCommand(std::uint32_t command) {
    if (IsWeatherCommand(command)) {
        OnWeatherCommand(command);
        return;
    }
    CarryOut(view_->OnCommand(command));
}

void CCalendarWindow::CarryOut(CommandResult result) {
    switch (result.effect) {
        case CommandEffect::kNone:
            break;
        case CommandEffect::kRedraw:
            Redraw();
            break;
        case CommandEffect::kHide:
            Hide();
            break;
        case CommandEffect::kShowPreferences:
            RunPreferences();
            break;
        case CommandEffect::kShowNewMenu:
            RunMenu(newMenu_.get());
            break;
        case CommandEffect::kShowMonthMenu:
            RunMenu(monthMenu_.get());
            break;
        case CommandEffect::kNewSchedule:
            editorRecord_ = NewScheduleReminder(systemClock_.Now());
            OpenEditor(*editorRecord_, false);
            break;
        case CommandEffect::kNewBirthday:
            editorRecord_ = NewBirthdayReminder(view_->selected(), systemClock_.Now());
            OpenEditor(*editorRecord_, false);
            break;
        case CommandEffect::kEditReminder:
            if (ReminderItem item; store_->FindReminder(result.reminderId, item)) {
                editorRecord_ = item;
                OpenEditor(item, true);
            }
            break;
        case CommandEffect::kDeleteReminder:
            DeleteReminder(result.reminderId, true);
            break;
    }
}

void CCalendarWindow::BuildMenus() {
    newMenu_.reset(CreatePopupMenu());
    AppendMenuA(newMenu_.get(), MF_STRING, kMenuNewSchedule, "新建日程提醒");
    AppendMenuA(newMenu_.get(), MF_STRING, kMenuNewBirthday, "新建生日提醒");
    monthMenu_.reset(CreatePopupMenu());
    for (std::uint32_t command = kMenuFirstMonth; command <= kMenuLastMonth; ++command) {
        char text[8];
        std::snprintf(text, sizeof text, "%d月", static_cast<int>(command - kMenuFirstMonth + 1));
        AppendMenuA(monthMenu_.get(), MF_STRING, command, text);
    }
}

// The menu opens at the pointer; its choice goes back to the view.
void CCalendarWindow::RunMenu(HMENU menu) {
    POINT pointer = {};
    GetCursorPos(&pointer);
    // The menu closes on a click elsewhere only when its owner is in front.
    SetForegroundWindow(GetSafeHwnd());
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, pointer.x,
                                      pointer.y, 0, GetSafeHwnd(), nullptr);
    PostMessageA(GetSafeHwnd(), WM_NULL, 0, 0);
    if (chosen != 0) {
        RunCommand(static_cast<std::uint32_t>(chosen));
    }
}

void CCalendarWindow::DeleteReminder(std::uint32_t id, bool ask) {
    if (ask && MsgBox(GetSafeHwnd(), kDeleteReminderQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    store_->RemoveReminder(id);
    ForgetReminderState(id);
    RemindersChanged();
}

// The file was restored from a backup: the store takes its reminders in
// place of those it held. A file that cannot be read changes nothing, and
// one that ends inside a record is not written back over with the records
// that could be read.
void CCalendarWindow::ReloadReminders() {
    std::string bytes;
    if (!ReadWholeFile(module_.remindersPath, bytes)) {
        return;
    }
    std::vector<ReminderItem> records;
    const bool complete = ParseReminderFile(bytes, records);
    const std::vector<SnoozedAlert> snoozed = snoozes_.Saved(store_->items());
    std::vector<std::uint32_t> held;
    for (const auto& [id, item] : store_->items()) {
        held.push_back(id);
    }
    for (std::uint32_t id : held) {
        store_->RemoveReminder(id);
    }
    for (ReminderItem& record : records) {
        record.id = 0;
        store_->AddReminder(std::move(record));
    }
    CarrySnoozesOver(snoozed);
    if (complete) {
        SaveReminders();
    }
    view_->Refresh();
    Redraw();
    RefreshPlanner();
}

void CCalendarWindow::RemindersChanged() {
    SaveReminders();
    view_->Refresh();
    Redraw();
    RefreshPlanner();
}
