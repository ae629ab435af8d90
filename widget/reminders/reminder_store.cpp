#include "widget/reminders/reminder_store.h"

#include <vector>

#include "common/file_io.h"
#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_recurrence.h"

CReminderStore::CReminderStore(alarmclock::IAlarmClock* alarmClock, const IClock& clock)
    : alarmClock_(alarmClock), clock_(clock) {}

// Newest first: the alarm clock renumbers the alarms added after the one it
// removes, so taking them from the end keeps this linear.
CReminderStore::~CReminderStore() {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        alarmClock_->RemoveAlarm(it->first);
    }
}

bool CReminderStore::AddReminder(ReminderItem item) {
    RegisterAlarm(item, *alarmClock_, this, clock_.Now());
    const std::uint32_t id = item.id;
    items_.insert_or_assign(id, std::move(item));
    return true;
}

bool CReminderStore::RemoveReminder(std::uint32_t id) {
    items_.erase(id);
    alarmClock_->RemoveAlarm(id);
    return true;
}

bool CReminderStore::FindReminder(std::uint32_t id, ReminderItem& item) const {
    ResetReminder(item);
    auto found = items_.find(id);
    if (found == items_.end()) {
        return false;
    }
    item = found->second;
    return true;
}

bool CReminderStore::PurgeExpired(Moment now) {
    for (auto it = items_.begin(); it != items_.end();) {
        const ReminderItem& item = it->second;
        // Yearly birthdays come again however old their start is.
        const bool oneOff = item.kind == KindOff || item.kind == KindOnce || item.kind == KindBirthday;
        if (oneOff && item.start < now) {
            const std::uint32_t id = it->first;
            it = items_.erase(it);
            alarmClock_->RemoveAlarm(id);
        } else {
            ++it;
        }
    }
    return true;
}

bool CReminderStore::LoadReminders(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    std::vector<ReminderItem> records;
    const bool complete = ParseReminderFile(bytes, records);
    // Ids in the file belong to the run that wrote it.
    for (ReminderItem& record : records) {
        record.id = 0;
        AddReminder(std::move(record));
    }
    return complete;
}

bool CReminderStore::SaveReminders(const std::string& path) const {
    std::string bytes;
    return EncodeReminderFile(items_, bytes) && ReplaceFileAtomically(path, bytes) == 0;
}

// Runs inside the alarm clock's timer callback: nothing may escape it. The
// record is tested in place, so nothing is copied or allocated before the
// notification, and it is not touched after it (the notification may remove
// it).
void CReminderStore::OnAlarm(const std::uint32_t* id) {
    if (id == nullptr) {
        return;
    }
    const std::uint32_t key = *id;
    auto found = items_.find(key);
    if (found == items_.end()) {
        return;
    }
    const Moment now = clock_.Now();
    const ReminderItem& item = found->second;
    const bool due = IsReminderDue(item, now);
    // A once reminder registered ahead of its moment has a daily alarm
    // (RegisterAlarm); once the moment has come no later day can be due.
    if (item.kind == KindOnce && item.start <= now) {
        alarmClock_->RemoveAlarm(key);
    }
    if (!due || !notify_) {
        return;
    }
    try {
        notify_(key);
    } catch (...) {
        // The window's notification only posts a message; a failure to do so
        // loses this alert, and the next due minute brings another.
    }
}
