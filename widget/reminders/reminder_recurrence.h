#pragma once

// When a reminder comes due. Two tests run in series: the alarm clock fires a
// reminder's alarm by time of day only (RegisterAlarm sets that alarm up per
// kind), and the store then asks IsReminderDue, which looks at the full date.

#include "alarmclock/alarm_clock.h"
#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"

// Whether the reminder gets an alarm at all. Switched-off reminders, kinds
// outside the list, intervals of 0 or fewer minutes and birthdays with a
// negative notice never do.
bool HasAlarm(const ReminderItem& item);

// Sets `repeat` from the kind and registers (or re-arms) the reminder's alarm
// with `listener`, storing the alarm's id in `id` (a non-zero id is kept). A
// reminder without an alarm still gets an id, so it can be stored, but any
// alarm it had is removed. A birthday's alarm fires in the minute after
// `now`, so its window is tested shortly after every registration: once for
// kind 5, and every day at that time of day for the yearly kinds. A once
// reminder whose start lies ahead of `now` gets an alarm every day at its
// time of day, so a day before its date cannot use the alarm up; the store
// removes that alarm once the moment has come.
void RegisterAlarm(ReminderItem& item,
                   alarmclock::IAlarmClock& alarmClock,
                   alarmclock::IAlarmListener* listener,
                   Moment now);

// Whether the reminder is due in the minute of `now` (local time). The test of
// each kind compares `start` with `now` with its seconds set to 0; a yearly
// birthday is due on every day of the notice window of an occurrence.
bool IsReminderDue(const ReminderItem& item, Moment now);
