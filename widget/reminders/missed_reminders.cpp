#include "widget/reminders/missed_reminders.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "widget/calendar/gregorian.h"

// The due minutes of a reminder are those where both tests of the alarm
// chain hold: the alarm clock's time-of-day rule and IsReminderDue's test of
// the full date. Both are worked out here on local dates (day numbers) and
// minutes of the day, which agree with the moments in a time zone without
// daylight saving time, so no moment before 1970 is ever made.

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kSecondsPerDay = 86400;

// A date of the time looked at, with the minutes of it that lie inside.
struct SpanDay {
    GregorianDate date;
    int dayNumber = 0;  // DayCount
    int weekday = 0;    // 0 = Sunday ... 6 = Saturday
    int firstMinute = 0;
    int lastMinute = kMinutesPerDay - 1;
};

// The local date and time of day of a reminder's start.
struct StartTime {
    int dayNumber = 0;
    int minute = 0;  // of the day
    int second = 0;
};

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

int MinuteOfDay(const LocalTime& local) {
    return local.hour * 60 + local.minute;
}

// The Windows C runtime has no local time before 1970: a start before it
// (only a damaged file holds one) is moved on by whole days first.
StartTime StartTimeOf(Moment start) {
    const std::int64_t shiftDays = start < 0 ? (-std::int64_t{start} + kSecondsPerDay - 1) / kSecondsPerDay : 0;
    const LocalTime local = ToLocalTime(static_cast<Moment>(start + shiftDays * kSecondsPerDay));
    return {DayCount(local.year, local.month, local.day) - static_cast<int>(shiftDays), MinuteOfDay(local),
            local.second};
}

Moment MinuteStart(Moment moment) {
    return moment - ToLocalTime(moment).second;
}

// The local dates from `first` to `last` (both minutes, seconds 0), latest
// first.
std::vector<SpanDay> SpanDays(Moment first, Moment last) {
    const LocalTime from = ToLocalTime(first);
    const LocalTime to = ToLocalTime(last);
    const GregorianDate lastDate{to.year, to.month, to.day};
    std::vector<SpanDay> days;
    for (GregorianDate date{from.year, from.month, from.day}; date <= lastDate; date = NextDay(date)) {
        days.push_back({date, DayCount(date), WeekdayOf(date.year, date.month, date.day) - 1});
    }
    days.front().firstMinute = MinuteOfDay(from);
    days.back().lastMinute = MinuteOfDay(to);
    std::reverse(days.begin(), days.end());
    return days;
}

struct DueMinute {
    GregorianDate date;
    int minute = 0;
};

// An interval alarm fires at every time of day a multiple of `param`
// minutes from the start's, and the date test wants the whole minutes since
// the start (truncated; one fewer when the start has seconds) to be such a
// multiple too. Within one day the candidates differ by multiples of
// `param`, so the latest of a day passes the date test exactly when all of
// them do.
std::optional<DueMinute> LastIntervalMinute(const ReminderItem& item, const std::vector<SpanDay>& days) {
    const std::int64_t period = item.param;
    const StartTime start = StartTimeOf(item.start);
    const std::int64_t fewest = start.second > 0 ? 1 : 0;
    for (const SpanDay& day : days) {
        const std::int64_t minute = day.lastMinute - FloorMod(day.lastMinute - start.minute, period);
        if (minute < day.firstMinute) {
            continue;
        }
        const std::int64_t sinceStart =
            std::int64_t{day.dayNumber - start.dayNumber} * kMinutesPerDay + (minute - start.minute);
        if (sinceStart < fewest) {
            return std::nullopt;  // the days before lie before the start too
        }
        if (FloorMod(sinceStart - fewest, period) == 0) {
            return DueMinute{day.date, static_cast<int>(minute)};
        }
    }
    return std::nullopt;
}

// Weekly and monthly alarms repeat every 1440 minutes, so they fire at the
// start's time of day only; the date test then picks the day.
std::optional<DueMinute> LastDailyMinute(const ReminderItem& item, const std::vector<SpanDay>& days) {
    const StartTime start = StartTimeOf(item.start);
    for (const SpanDay& day : days) {
        if (start.minute < day.firstMinute || start.minute > day.lastMinute) {
            continue;
        }
        const bool due = item.kind == KindWeekly
                             ? (item.param & WeekdayMask::OfWeekday(day.weekday)) != 0
                             : day.date.day == item.param || (day.dayNumber == start.dayNumber && start.second == 0);
        if (due) {
            return DueMinute{day.date, start.minute};
        }
    }
    return std::nullopt;
}

Moment MomentOf(const DueMinute& due) {
    return FromLocalTime({due.date.year, due.date.month, due.date.day, due.minute / 60, due.minute % 60, 0});
}

// The last due minute of `item` from `first` to `last` (minutes, seconds 0).
std::optional<Moment> LastDue(const ReminderItem& item, Moment first, Moment last, const std::vector<SpanDay>& days) {
    // Birthdays are alerted at every start while their window is open.
    if (IsBirthdayKind(item.kind)) {
        return std::nullopt;
    }
    std::optional<DueMinute> due;
    switch (item.kind) {
        case KindOnce:
            // Due in the one minute that equals the start, seconds and all.
            if (item.start >= first && item.start <= last && ToLocalTime(item.start).second == 0) {
                return item.start;
            }
            return std::nullopt;
        case KindInterval:
            if (item.param <= 0) {
                return std::nullopt;
            }
            due = LastIntervalMinute(item, days);
            break;
        case KindWeekly:
        case KindMonthly:
            due = LastDailyMinute(item, days);
            break;
        default:
            return std::nullopt;
    }
    if (!due) {
        return std::nullopt;
    }
    return MomentOf(*due);
}

}  // namespace

std::vector<MissedReminder> FindMissedReminders(const ReminderMap& items, Moment checkedUpTo, Moment now) {
    // A clock set back checks its minutes again anyway; before 1970 nothing
    // is looked at.
    if (checkedUpTo >= now || now < 0) {
        return {};
    }
    // The minutes after the checked one and before the current one, from
    // now less the days kept on, never before 1970.
    std::int64_t first = checkedUpTo < 0 ? 0 : std::int64_t{MinuteStart(checkedUpTo)} + kSecondsPerMinute;
    first = std::max(first, std::int64_t{now} - kMissedReminderDays * kSecondsPerDay);
    first = std::max<std::int64_t>(first, 0);
    const std::int64_t firstSecond = ToLocalTime(static_cast<Moment>(first)).second;
    if (firstSecond != 0) {
        first += kSecondsPerMinute - firstSecond;
    }
    const std::int64_t last = std::int64_t{MinuteStart(now)} - kSecondsPerMinute;
    if (last < first) {
        return {};
    }
    const std::vector<SpanDay> days = SpanDays(static_cast<Moment>(first), static_cast<Moment>(last));
    std::vector<MissedReminder> missed;
    for (const auto& [id, item] : items) {
        if (const std::optional<Moment> due =
                LastDue(item, static_cast<Moment>(first), static_cast<Moment>(last), days)) {
            missed.push_back({id, *due});
        }
    }
    std::sort(missed.begin(), missed.end(), [](const MissedReminder& a, const MissedReminder& b) {
        return a.due != b.due ? a.due < b.due : a.id < b.id;
    });
    return missed;
}

MissedReminderRow MissedRowOf(const ReminderItem& item, Moment due) {
    const LocalTime local = ToLocalTime(due);
    char time[64];
    std::snprintf(time, sizeof(time), "%04d-%02d-%02d %02d:%02d", local.year, local.month, local.day, local.hour,
                  local.minute);
    return {time, ReminderKindText(item.kind), item.title};
}
