// The calendar window's reminder state between runs and across sleep:
// ReminderState.dat beside Calendar.dat with the moment up to which the
// reminders were checked and the alerts put off with "稍后提醒", and the
// window "错过的日程提醒" listing what came due while nothing checked.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/reminders/reminder_state_file.h"
#include "widget/win32/calendar_window.h"

namespace {

// The checked moment is recorded (and the file written) about once a minute.
constexpr std::int64_t kRecordCheckedSeconds = 60;

Moment SecondsAfter(Moment moment, std::int64_t seconds) {
    const std::int64_t later = std::int64_t{moment} + seconds;
    return static_cast<Moment>(std::min<std::int64_t>(later, std::numeric_limits<Moment>::max()));
}

}  // namespace

bool CCalendarWindow::OnReminderStateMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != RM_MISSED_CLOSED) {
        return false;
    }
    // A notice of a window already replaced by a newer one leaves that one.
    if (missedWindow_ &&
        (missedWindow_->window() == nullptr || missedWindow_->window() == reinterpret_cast<HWND>(lParam))) {
        missedWindow_.reset();
    }
    return true;
}

std::string CCalendarWindow::ReminderStatePath() const {
    return JoinPath(FolderOf(module_.remindersPath), kReminderStateFileName);
}

// A missing file, or one whose fixed part is broken, is a first start: no
// alert was put off and no moment checked, so nothing counts as missed. The
// alerts of a file broken further on are kept up to the broken one, which is
// all the parser's false says here. Alerts whose moment passed while the
// widget was not running come now, once.
void CCalendarWindow::StartReminderState() {
    const Moment now = systemClock_.Now();
    ReminderState state;
    if (std::string bytes; ReadWholeFile(ReminderStatePath(), bytes)) {
        ParseReminderState(bytes, state);
    }
    snoozes_.Restore(state.snoozed, store_->items());
    AlertDueSnoozes(now);  // the state is saved below either way
    if (state.checkedUpTo) {
        ShowMissedReminders(*state.checkedUpTo, now);
    }
    // Recorded at once, so that a run ended before its first minute does not
    // list the same reminders again at the next start.
    checkedUpTo_ = now;
    SaveReminderState();
}

// The window is going: everything up to now has been checked.
void CCalendarWindow::StopReminderState() {
    checkedUpTo_ = systemClock_.Now();
    SaveReminderState();
}

// A check this long after the recorded one means the computer slept (or the
// clock was set forward): the minutes between were never checked. A clock
// set back records the earlier moment, and nothing between is missed.
void CCalendarWindow::CheckReminderState(Moment now) {
    bool changed = AlertDueSnoozes(now);
    const std::int64_t sinceChecked = checkedUpTo_ ? std::int64_t{now} - *checkedUpTo_ : kRecordCheckedSeconds;
    if (sinceChecked < 0 || sinceChecked >= kRecordCheckedSeconds) {
        if (checkedUpTo_ && sinceChecked > kCheckGapSeconds) {
            ShowMissedReminders(*checkedUpTo_, now);
        }
        checkedUpTo_ = now;
        changed = true;
    }
    if (changed) {
        SaveReminderState();
    }
}

// Only reminders still stored come again: a purge of expired reminders
// takes them out of the store behind the snoozes' back, and an alert of one
// would be an empty pop-up. True when any alert left the list.
bool CCalendarWindow::AlertDueSnoozes(Moment now) {
    const std::vector<std::uint32_t> due = snoozes_.TakeDue(now);
    for (std::uint32_t id : due) {
        if (store_->items().contains(id)) {
            AlertReminder(id);
        }
    }
    return !due.empty();
}

// A failed write is not reported: the folder is the one of Calendar.dat,
// whose own failed saves already bring the message, and the state is written
// again within a minute. A state that cannot be encoded (a text too long
// for its length prefix) is not written at all, so the last good file stays.
void CCalendarWindow::SaveReminderState() {
    const ReminderState state{checkedUpTo_, snoozes_.Saved(store_->items())};
    if (std::string bytes; EncodeReminderState(state, bytes)) {
        ReplaceFileAtomically(ReminderStatePath(), bytes);
    }
}

// The pop-up's "稍后提醒": its sound stops now, and the reminder as stored
// comes again after the chosen minutes. A reminder deleted while its pop-up
// was open has nothing to come back with.
void CCalendarWindow::SnoozeAlert(std::uint32_t id, int minutes) {
    if (soundPlayer_ != nullptr) {
        soundPlayer_->Stop(id);  // false when its sound has ended already: nothing to stop
    }
    ReminderItem item;
    if (!store_->FindReminder(id, item)) {
        return;
    }
    snoozes_.Snooze(item, SecondsAfter(systemClock_.Now(), std::int64_t{minutes} * 60));
    SaveReminderState();
}

// Without sound; one window at a time, to which later misses are added.
void CCalendarWindow::ShowMissedReminders(Moment checkedUpTo, Moment now) {
    std::vector<MissedReminderEntry> entries;
    for (const MissedReminder& missed : FindMissedReminders(store_->items(), checkedUpTo, now)) {
        if (const auto found = store_->items().find(missed.id); found != store_->items().end()) {
            entries.push_back({missed.id, MissedRowOf(found->second, missed.due)});
        }
    }
    if (entries.empty()) {
        return;
    }
    if (missedWindow_ && missedWindow_->window() != nullptr) {
        missedWindow_->Add(entries);
        return;
    }
    missedWindow_ = MissedRemindersWindow::Open(GetSafeHwnd(), module_.instance, entries,
                                                [this](std::uint32_t id) { OpenStoredReminder(id); });
}

// A deleted reminder's put-off alert does not come again, and its missed row
// goes.
void CCalendarWindow::ForgetReminderState(std::uint32_t id) {
    const std::size_t snoozed = snoozes_.size();
    snoozes_.Forget(id);
    if (missedWindow_ && missedWindow_->window() != nullptr) {
        missedWindow_->Remove(id);
    }
    if (snoozes_.size() != snoozed) {
        SaveReminderState();
    }
}

// A restore from a backup gives every reminder a new id: the put-off alerts
// go over to the records equal to theirs, as at a start, and the missed
// list, whose rows all name reminders that are gone, closes.
void CCalendarWindow::CarrySnoozesOver(const std::vector<SnoozedAlert>& saved) {
    snoozes_.Restore(saved, store_->items());
    missedWindow_.reset();
    SaveReminderState();
}
