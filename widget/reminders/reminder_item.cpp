#include "widget/reminders/reminder_item.h"

#include <algorithm>
#include <limits>

namespace {

// Years whose 12:00 of every day fits a 32-bit moment.
constexpr int kFirstMomentYear = 1970;
constexpr int kLastMomentYear = 2037;

constexpr int kMinutesPerHour = 60;

}  // namespace

bool IsBirthdayKind(std::uint32_t kind) {
    return kind == KindBirthday || IsYearlyBirthdayKind(kind);
}

bool IsYearlyBirthdayKind(std::uint32_t kind) {
    return kind == KindYearlyBirthday || kind == KindLunarBirthday;
}

alarmclock::AlarmItem AlarmItemOf(const ReminderItem& item) {
    return {item.id, item.title, item.start, item.repeat};
}

void ResetReminder(ReminderItem& item) {
    item = ReminderItem{};
}

const char* ReminderKindText(std::uint32_t kind) {
    switch (kind) {
        case KindOnce:
            return "只提醒一次";
        case KindInterval:
            return "间隔提醒";
        case KindWeekly:
            return "周提醒";
        case KindMonthly:
            return "月提醒";
        case KindBirthday:
            return "生日提醒";
        case KindYearlyBirthday:
            return "每年生日";
        case KindLunarBirthday:
            return "农历生日";
        default:
            return "";
    }
}

const char* ReminderStatusText(std::uint32_t kind) {
    return kind == KindOff ? "关闭" : "打开";
}

IntervalEntry IntervalEntryOf(std::int32_t param) {
    if (param % kMinutesPerHour == 0) {
        return {param / kMinutesPerHour, IntervalUnit::kHours};
    }
    return {param, IntervalUnit::kMinutes};
}

std::int32_t IntervalParamOf(IntervalEntry entry) {
    if (entry.unit == IntervalUnit::kMinutes) {
        return entry.number;
    }
    const std::int64_t minutes = std::int64_t{entry.number} * kMinutesPerHour;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(minutes, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

const char* IntervalEntryError(IntervalEntry entry) {
    if (entry.unit == IntervalUnit::kMinutes) {
        return entry.number >= 1 && entry.number <= 59 ? nullptr : "请输入一个1和59之间的数字";
    }
    return entry.number >= 1 && entry.number <= 23 ? nullptr : "请输入一个1和23之间的数字";
}

ReminderItem NewScheduleReminder(Moment now) {
    ReminderItem item;
    item.start = now;
    item.title = kTitlePlaceholder;
    item.content = kContentPlaceholder;
    item.kind = KindOnce;
    return item;
}

ReminderItem NewBirthdayReminder(GregorianDate selectedDay, Moment now) {
    LocalTime noon;
    noon.year = selectedDay.year;
    if (noon.year < kFirstMomentYear || noon.year > kLastMomentYear) {
        noon.year = ToLocalTime(now).year;
    }
    noon.month = std::clamp(selectedDay.month, 1, 12);
    // 29 February taken into a common year becomes the 28th, not 1 March.
    noon.day = std::clamp(selectedDay.day, 1, DaysInMonth(noon.year, noon.month));
    noon.hour = 12;

    ReminderItem item;
    item.start = FromLocalTime(noon);
    item.title = kFriendNamePlaceholder;
    item.content = kContentPlaceholder;
    item.kind = KindBirthday;
    item.param = 1;
    return item;
}
