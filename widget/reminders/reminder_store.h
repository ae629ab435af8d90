#pragma once

// CReminderStore: every reminder of the calendar widget, keyed by id. It
// registers each reminder with the alarm clock as it is added, is the
// listener of all those alarms, and decides when one fires whether the
// reminder is really due; the calendar window learns of a due reminder
// through the callback it supplies.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "alarmclock/alarm_clock.h"
#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"

class CReminderStore final : public alarmclock::IAlarmListener {
public:
    using DueNotification = std::function<void(std::uint32_t id)>;

    // Neither is owned; both must outlive the store (the widget passes the
    // process-wide alarm clock and the system clock).
    CReminderStore(alarmclock::IAlarmClock* alarmClock, const IClock& clock);
    // Removes every alarm the store holds, so the alarm clock never calls a
    // listener that is gone.
    ~CReminderStore() override;

    CReminderStore(const CReminderStore&) = delete;
    CReminderStore& operator=(const CReminderStore&) = delete;

    // Registers a copy of `item` (a new id when its id is 0, else the id is
    // kept) and stores it under that id, replacing a record with the same id.
    bool AddReminder(ReminderItem item);
    // Forgets the reminder and removes its alarm.
    bool RemoveReminder(std::uint32_t id);
    // Copies the reminder into `item`; false, and `item` reset, when absent.
    bool FindReminder(std::uint32_t id, ReminderItem& item) const;
    // Drops once, switched-off and (kind 5) birthday reminders whose start
    // lies before `now`, with their alarms. Repeating kinds and yearly
    // birthdays stay.
    bool PurgeExpired(Moment now);

    // Adds the reminders of a Calendar.dat to those held, each under a new id.
    // False when the file cannot be read (nothing changes) or ends inside a
    // record (the records before it are added).
    bool LoadReminders(const std::string& path);
    // Replaces the file with every reminder held; the old file survives a
    // failed write. False when nothing was written.
    bool SaveReminders(const std::string& path) const;

    // Called by the alarm clock when a reminder's alarm fires.
    void OnAlarm(const std::uint32_t* id) override;

    // Who hears of a due reminder; empty = nobody.
    void SetDueNotification(DueNotification notify) { notify_ = std::move(notify); }

    const ReminderMap& items() const { return items_; }

private:
    alarmclock::IAlarmClock* alarmClock_;
    const IClock& clock_;
    ReminderMap items_;
    DueNotification notify_;
};
