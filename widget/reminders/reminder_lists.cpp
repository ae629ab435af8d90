#include "widget/reminders/reminder_lists.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "widget/reminders/birthday_dates.h"

namespace {

GregorianDate DateOf(Moment moment) {
    LocalTime local = ToLocalTime(moment);
    return {local.year, local.month, local.day};
}

Moment StartOfDay(GregorianDate day) {
    return FromLocalTime({day.year, day.month, day.day, 0, 0, 0});
}

Moment EndOfDay(GregorianDate day) {
    return FromLocalTime({day.year, day.month, day.day, 23, 59, 59});
}

bool IsDayView(std::uint32_t viewMode) {
    return viewMode != ViewWeek && viewMode != ViewMonth;
}

}  // namespace

MomentRange RangeOf(GregorianDate day, std::uint32_t viewMode) {
    int length = DaysInMonth(day.year, day.month);
    int first = day.day;
    int last = day.day;
    if (viewMode == ViewMonth) {
        first = 1;
        last = length;
    } else if (viewMode == ViewWeek) {
        // Sunday to Saturday of the day's week, cut at the month's ends.
        int weekday = WeekdayOf(day.year, day.month, day.day);
        first = std::max(1, day.day - (weekday - 1));
        last = std::min(length, day.day + (7 - weekday));
    }
    return {StartOfDay({day.year, day.month, first}), EndOfDay({day.year, day.month, last})};
}

std::vector<ReminderItem> CollectInRange(const ReminderMap& items, MomentRange range) {
    std::vector<ReminderItem> found;
    for (const auto& [id, item] : items) {
        if (!IsBirthdayKind(item.kind) && item.start >= range.from && item.start <= range.to) {
            found.push_back(item);
        }
    }
    std::sort(found.begin(), found.end(), [](const ReminderItem& a, const ReminderItem& b) {
        return a.start != b.start ? a.start < b.start : a.id < b.id;
    });
    return found;
}

std::vector<ReminderItem> CollectBirthdays(const ReminderMap& items, GregorianDate day) {
    std::vector<ReminderItem> found;
    for (const auto& [id, item] : items) {
        if (BirthdayOccurrenceOn(item, day)) {
            found.push_back(item);
        }
    }
    return found;
}

bool HasReminderOnDay(const ReminderMap& items, GregorianDate day) {
    return ReminderDaysOfMonth(items, day.year, day.month).test(static_cast<std::size_t>(std::clamp(day.day, 0, 31)));
}

std::bitset<32> ReminderDaysOfMonth(const ReminderMap& items, int year, int month) {
    std::bitset<32> days;
    for (const auto& [id, item] : items) {
        if (IsBirthdayKind(item.kind)) {
            if (const std::optional<GregorianDate> day = BirthdayOccurrenceInMonth(item, year, month)) {
                days.set(static_cast<std::size_t>(day->day));
            }
            continue;
        }
        const GregorianDate start = DateOf(item.start);
        if (start.year == year && start.month == month) {
            days.set(static_cast<std::size_t>(start.day));
        }
    }
    return days;
}

const char* PanelHeading(std::uint32_t viewMode) {
    if (viewMode == ViewWeek) {
        return "本 周 安 排";
    }
    if (viewMode == ViewMonth) {
        return "本 月 安 排";
    }
    return "当 天 安 排";
}

std::string BirthdayLineText(const ReminderItem& item, GregorianDate occurrence) {
    char date[32];
    std::snprintf(date, sizeof date, "%d月%d日 ", occurrence.month, occurrence.day);
    return date + item.title + "生日" + LunarBirthdayNote(item, occurrence);
}

std::string ScheduleLineText(const ReminderItem& item, std::uint32_t viewMode) {
    if (item.kind == KindOff) {
        return item.title;
    }
    LocalTime start = ToLocalTime(item.start);
    char time[32];
    if (IsDayView(viewMode)) {
        std::snprintf(time, sizeof time, "%02d:%02d ", start.hour, start.minute);
    } else {
        std::snprintf(time, sizeof time, "%02d日%02d:%02d ", start.day, start.hour, start.minute);
    }
    return time + item.title;
}

std::vector<PanelLine> PanelLines(const ReminderMap& items, GregorianDate day, std::uint32_t viewMode) {
    std::vector<PanelLine> lines;
    for (const ReminderItem& item : CollectBirthdays(items, day)) {
        // Collected because the day has an occurrence, so the birth date is never used.
        const GregorianDate occurrence = BirthdayOccurrenceOn(item, day).value_or(BirthDateOf(item));
        lines.push_back({item.id, true, BirthdayLineText(item, occurrence)});
    }
    for (const ReminderItem& item : CollectInRange(items, RangeOf(day, viewMode))) {
        lines.push_back({item.id, false, ScheduleLineText(item, viewMode)});
    }
    return lines;
}
