// The calendar window's reminder windows: the two editors it opens for new
// and existing reminders and stores from when they are confirmed, and what
// it does when a reminder is due (its program, its sound, a pop-up).

#include "widget/win32/calendar_window.h"

#include <shellapi.h>

#include "controls/win32/sound_player.h"
#include "services/product_services.h"
#include "widget/reminders/reminder_messages.h"

namespace {

// A due reminder's sound repeats for one minute.
constexpr std::uint32_t kAlertSoundMilliseconds = 60000;

constexpr char kPlannerFailedText[] = "无法打开日程提醒表。";

}  // namespace

bool CCalendarWindow::OnReminderWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case RM_SCHEDULE_SAVED:
            if (scheduleEditor_) {
                StoreEdited(scheduleEditor_->ReadBack());
            }
            return true;
        case RM_BIRTHDAY_SAVED:
            if (birthdayEditor_) {
                StoreEdited(birthdayEditor_->ReadBack());
            }
            return true;
        case RM_DUE:
            AlertReminder(static_cast<std::uint32_t>(wParam));
            return true;
        case RM_POPUP_CLOSED:
            popups_.erase(reinterpret_cast<HWND>(lParam));
            return true;
        default:
            return OnReminderStateMessage(message, wParam, lParam);
    }
}

// Birthdays open in the birthday editor, every other kind in the schedule
// editor; each editor is made once and then shown again for every record.
void CCalendarWindow::OpenEditor(const ReminderItem& item, bool existing) {
    const HWND self = GetSafeHwnd();
    if (IsBirthdayKind(item.kind)) {
        if (!birthdayEditor_) {
            birthdayEditor_ = std::make_unique<BirthdayEditor>(self, module_.instance);
        }
        birthdayEditor_->Open(item, existing);
        return;
    }
    if (!scheduleEditor_) {
        scheduleEditor_ = std::make_unique<ScheduleEditor>(self, module_.instance);
    }
    scheduleEditor_->Open(item, existing);
}

// A click on a panel line's text opens its reminder: a birthday line as the
// stored record it is, with the editor's delete button; a schedule line
// without it, since the line carries its own delete button. False when the
// point is on no line.
bool CCalendarWindow::OpenReminderLineAt(int x, int y) {
    const std::vector<PanelLine>& lines = view_->panelLines();
    for (std::size_t i = 0; i < lines.size() && i < layout_.reminderLines.size(); ++i) {
        if (!layout_.reminderLines[i].Contains(x, y)) {
            continue;
        }
        if (ReminderItem item; store_->FindReminder(lines[i].id, item)) {
            editorRecord_ = item;
            OpenEditor(item, lines[i].birthday);
        }
        return true;
    }
    return false;
}

// The pop-up's open button: the reminder as it is stored now, if it still is.
void CCalendarWindow::OpenStoredReminder(std::uint32_t id) {
    if (ReminderItem item; store_->FindReminder(id, item)) {
        OpenEditor(item, true);
    }
}

// The record keeps its id when it was stored before (its alarm is updated)
// and gets a new one when it is new.
void CCalendarWindow::StoreEdited(ReminderItem item) {
    store_->AddReminder(std::move(item));
    RemindersChanged();
}

// A reminder deleted after it was found due still gets its pop-up, with
// the reset record's empty texts; it starts neither program nor sound.
void CCalendarWindow::AlertReminder(std::uint32_t id) {
    ReminderItem item;
    store_->FindReminder(id, item);
    if (!item.program.empty()) {
        // A program that cannot be started has no message of its own here:
        // the pop-up still tells the user the reminder is due.
        ShellExecuteA(nullptr, "open", item.program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    if (!item.sound.empty()) {
        if (soundPlayer_ == nullptr) {
            soundPlayer_ = QuerySoundPlayer();
        }
        if (soundPlayer_ != nullptr) {
            // A file that cannot be played is reported by the player itself.
            soundPlayer_->Play(id, item.sound.c_str(), kAlertSoundMilliseconds);
        }
    }
    auto popup = ReminderPopup::Open(
        GetSafeHwnd(), module_.instance, item, systemClock_.Now(),
        [this](std::uint32_t shown) { OpenStoredReminder(shown); },
        [this](std::uint32_t shown, int minutes) { SnoozeAlert(shown, minutes); });
    if (popup) {
        const HWND window = popup->window();
        popups_[window] = std::move(popup);
    }
    view_->Refresh();
    Redraw();
}

// The editors and pop-ups belong to the desktop, so they do not go with the
// calendar window by themselves; a sound still playing for one of its
// reminders stops with it.
void CCalendarWindow::CloseReminderWindows() {
    planner_.reset();
    popups_.clear();
    missedWindow_.reset();
    scheduleEditor_.reset();
    birthdayEditor_.reset();
    if (soundPlayer_ != nullptr) {
        soundPlayer_->StopAll();
        soundPlayer_ = nullptr;
    }
}

bool CCalendarWindow::ShowPlanner(bool show) {
    if (!show) {
        if (planner_) {
            planner_->Hide();
        }
        return true;
    }
    if (!planner_) {
        planner_ = std::make_unique<ReminderPlanner>(*this, module_.instance, module_.plannerLook);
    }
    if (planner_->Show()) {
        return true;
    }
    planner_.reset();
    MsgBox(GetSafeHwnd(), kPlannerFailedText, MB_OK | MB_ICONERROR);
    return false;
}

void CCalendarWindow::RefreshPlanner() {
    if (planner_) {
        planner_->Refresh();
    }
}

const ReminderMap& CCalendarWindow::PlannerReminders() const {
    return store_->items();
}

const HolidayTable& CCalendarWindow::PlannerHolidays() const {
    return holidays_;
}

HWND CCalendarWindow::PlannerMessageTarget() const {
    return GetSafeHwnd();
}

// The planner's reminders open in the calendar's own editors, so they are
// stored from there like every other.
void CCalendarWindow::OpenPlannerReminder(const ReminderItem& item, bool existing) {
    editorRecord_ = item;
    OpenEditor(item, existing);
}

Moment CCalendarWindow::PlannerNow() const {
    return systemClock_.Now();
}
