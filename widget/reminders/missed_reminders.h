#pragma once

// The reminders that came due while nothing was checking them: between the
// last checked moment of an earlier run (or of this run, before the computer
// slept) and now. Shown at start in one window "错过的日程提醒", without sound.
// Everything is computed on local calendar dates and minutes of the day, not
// by stepping moments.

#include <cstdint>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"

// Nothing older than this is shown.
inline constexpr int kMissedReminderDays = 30;
// A check that comes this long after the one before means the widget was
// not running its checks (the computer slept): the minutes between are
// looked at as missed.
inline constexpr int kCheckGapSeconds = 180;

inline constexpr char kMissedRemindersTitle[] = "错过的日程提醒";

struct MissedReminder {
    std::uint32_t id = 0;
    Moment due = 0;  // the due minute, seconds 0

    friend bool operator==(const MissedReminder&, const MissedReminder&) = default;
};

// Every reminder with a due minute after the minute of `checkedUpTo` and
// before the minute of `now` (that minute is the alarm clock's own), and not
// before `now` less kMissedReminderDays days: once reminders at their
// moment, the repeating kinds (interval, weekly, monthly) at their last due
// minute in that time, each reminder at most once, by due minute and then
// id. Switched-off reminders, kinds outside the list and birthdays (their
// notice window is alerted at every start anyway) never are. Nothing when
// `checkedUpTo` is not before `now` (the clock was set back).
std::vector<MissedReminder> FindMissedReminders(const ReminderMap& items, Moment checkedUpTo, Moment now);

// One row of the window: "%Y-%m-%d %H:%M" of the due minute, the kind's
// text, the title.
struct MissedReminderRow {
    std::string time;
    std::string kind;
    std::string title;

    friend bool operator==(const MissedReminderRow&, const MissedReminderRow&) = default;
};

MissedReminderRow MissedRowOf(const ReminderItem& item, Moment due);
