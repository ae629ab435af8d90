#include "widget/reminders/reminder_recurrence.h"

#include <cstdint>
#include <limits>

#include "widget/reminders/birthday_dates.h"

namespace {

constexpr std::int32_t kMinutesPerDay = 1440;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr Moment kSecondsPerMinute = 60;

// A moment whose local time of day is one minute after that of `now`. Near
// the end of the 32-bit range the same time of day a day earlier is used.
Moment OneMinuteAfter(Moment now) {
    if (now > std::numeric_limits<Moment>::max() - kSecondsPerMinute) {
        return now - static_cast<Moment>(kSecondsPerDay) + kSecondsPerMinute;
    }
    return now + kSecondsPerMinute;
}

// The alarm clock compares times of day, so weekly and monthly reminders
// are alarmed every day and the due test picks the day.
void DeriveRepeat(ReminderItem& item) {
    switch (item.kind) {
        case KindOnce:
            item.repeat = 0;
            break;
        case KindInterval:
            item.repeat = item.param;
            break;
        case KindWeekly:
        case KindMonthly:
            item.repeat = kMinutesPerDay;
            break;
        default:
            // Birthdays keep what they hold (0 from the editor); the rest
            // have no alarm.
            break;
    }
}

}  // namespace

bool HasAlarm(const ReminderItem& item) {
    if (IsBirthdayKind(item.kind)) {
        return item.param >= 0;
    }
    switch (item.kind) {
        case KindOnce:
        case KindWeekly:
        case KindMonthly:
            return true;
        case KindInterval:
            // The due test divides by the interval; a file may hold 0.
            return item.param > 0;
        default:
            return false;
    }
}

void RegisterAlarm(ReminderItem& item,
                   alarmclock::IAlarmClock& alarmClock,
                   alarmclock::IAlarmListener* listener,
                   Moment now) {
    DeriveRepeat(item);
    if (!HasAlarm(item)) {
        // Every stored reminder needs an id of its own (the store is keyed by
        // it); the alarm that hands one out is dropped again at once, which
        // also silences the alarm of an edited reminder switched off.
        if (item.id == 0) {
            item.id = alarmClock.AddAlarm(AlarmItemOf(item), listener);
        }
        alarmClock.RemoveAlarm(item.id);
        return;
    }
    alarmclock::AlarmItem alarm = AlarmItemOf(item);
    if (IsBirthdayKind(item.kind)) {
        alarm.startTime = OneMinuteAfter(now);
    }
    // A yearly birthday's window is tested again every day at that time, so
    // a widget that runs for days alerts each of them; the record keeps the
    // repeat it holds.
    if (IsYearlyBirthdayKind(item.kind)) {
        alarm.repeat = kMinutesPerDay;
    }
    // The alarm clock compares times of day and drops a one-shot alarm after
    // it fires. A once reminder for 10:00 tomorrow, registered at 09:00,
    // would be fired today at 10:00, fail its date and be gone; a daily
    // alarm waits for the right day. The record keeps repeat 0.
    if (item.kind == KindOnce && item.start > now) {
        alarm.repeat = kMinutesPerDay;
    }
    item.id = alarmClock.AddAlarm(alarm, listener);
}

bool IsReminderDue(const ReminderItem& item, Moment now) {
    const LocalTime local = ToLocalTime(now);
    // 64 bits: a start from a file may lie anywhere in the 32-bit range.
    const std::int64_t minute = std::int64_t{now} - local.second;
    const std::int64_t start = item.start;
    switch (item.kind) {
        case KindOnce:
            return minute == start;
        case KindInterval:
            // Whole minutes since the start, truncated.
            return item.param > 0 && minute >= start && ((minute - start) / kSecondsPerMinute) % item.param == 0;
        case KindWeekly:
            return (item.param & WeekdayMask::OfWeekday(local.weekday)) != 0;
        case KindMonthly:
            return local.day == item.param || minute == start;
        case KindBirthday:
            // From 00:00 of the day `param` days before the birthday (start
            // is 23:59:59 of it) to its last minute.
            return minute <= start && start - minute <= (std::int64_t{item.param} + 1) * kSecondsPerDay;
        case KindYearlyBirthday:
        case KindLunarBirthday:
            // The whole of every day of the notice window, by dates alone.
            return BirthdayOccurrenceOn(item, {local.year, local.month, local.day}).has_value();
        default:
            return false;
    }
}
