#include "widget/reminders/missed_reminders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <vector>

#include "widget/reminders/reminder_recurrence.h"
#include "widget/reminders/tests/reminder_test_records.h"

// Failures name the reminder and its local minute.
void PrintTo(const MissedReminder& missed, std::ostream* out) {
    const LocalTime local = ToLocalTime(missed.due);
    *out << "{" << missed.id << ", " << local.year << "-" << local.month << "-" << local.day << " " << local.hour << ":"
         << local.minute << ":" << local.second << "}";
}

namespace {

using reminders_test::At;
using reminders_test::MapOf;
using Missed = std::vector<MissedReminder>;

ReminderItem Reminder(std::uint32_t id, std::uint32_t kind, Moment start, std::int32_t param = 0) {
    ReminderItem item;
    item.id = id;
    item.title = "提醒";
    item.kind = kind;
    item.start = start;
    item.param = param;
    return item;
}

// The alarm clock's rule: minutes between the times of day, fired at 0 or
// at a multiple of the alarm's repeat (what registration makes of the kind).
bool AlarmFires(const ReminderItem& item, Moment minute) {
    const std::int32_t repeat = item.kind == KindInterval                             ? item.param
                                : item.kind == KindWeekly || item.kind == KindMonthly ? 1440
                                                                                      : 0;
    const LocalTime at = ToLocalTime(minute);
    const LocalTime start = ToLocalTime(item.start);
    const int d = (at.hour - start.hour) * 60 + (at.minute - start.minute);
    return d == 0 || (repeat != 0 && d % repeat == 0);
}

// Minute by minute from the one before now's back to the checked one.
std::optional<Moment> OracleLastDue(const ReminderItem& item, Moment checkedUpTo, Moment now) {
    if (IsBirthdayKind(item.kind)) {
        return std::nullopt;
    }
    const Moment checkedMinute = checkedUpTo - ToLocalTime(checkedUpTo).second;
    for (Moment minute = now - ToLocalTime(now).second - 60;
         minute > checkedMinute && minute >= now - 30 * 86400 && minute >= 0; minute -= 60) {
        if (AlarmFires(item, minute) && IsReminderDue(item, minute)) {
            return minute;
        }
    }
    return std::nullopt;
}

Missed Oracle(const ReminderMap& items, Moment checkedUpTo, Moment now) {
    Missed missed;
    for (const auto& [id, item] : items) {
        if (const std::optional<Moment> due = OracleLastDue(item, checkedUpTo, now)) {
            missed.push_back({id, *due});
        }
    }
    std::sort(missed.begin(), missed.end(), [](const MissedReminder& a, const MissedReminder& b) {
        return a.due != b.due ? a.due < b.due : a.id < b.id;
    });
    return missed;
}

// Every kind, starts with and without seconds, before, inside and after the
// spans below, periods shorter and longer than a day.
ReminderMap OracleReminders() {
    constexpr std::int32_t kEveryDay = 0x1111111;
    return MapOf({
        Reminder(1, KindOnce, At(2024, 5, 7, 9, 30)),
        Reminder(2, KindOnce, At(2024, 5, 8, 0, 0)),
        Reminder(3, KindOnce, At(2024, 2, 29, 23, 59)),
        Reminder(4, KindOnce, At(2024, 5, 7, 9, 30, 30)),
        Reminder(5, KindOnce, At(2024, 5, 6, 22, 10)),
        Reminder(6, KindInterval, At(2024, 5, 1, 10, 0), 7),
        Reminder(7, KindInterval, At(2024, 5, 7, 9, 0, 30), 1),
        Reminder(8, KindInterval, At(2024, 5, 8, 12, 0), 5),
        Reminder(9, KindInterval, At(2024, 5, 8, 23, 30), 60),
        Reminder(10, KindInterval, At(2024, 5, 6, 0, 0), 1441),
        Reminder(11, KindInterval, At(2024, 2, 28, 0, 0), 1500),
        Reminder(12, KindInterval, -1000000, 13),
        Reminder(13, KindInterval, At(2024, 5, 7, 10, 0), 0),
        Reminder(14, KindInterval, At(2024, 5, 7, 10, 0), -3),
        Reminder(15, KindInterval, At(2024, 5, 7, 10, 0), 2000000),
        Reminder(16, KindInterval, At(2024, 5, 7, 10, 0, 15), 3),
        Reminder(17, KindWeekly, At(2024, 1, 1, 9, 30), WeekdayMask::kTuesday | WeekdayMask::kThursday),
        Reminder(18, KindWeekly, At(2030, 1, 1, 0, 0), kEveryDay),
        Reminder(19, KindWeekly, At(2024, 1, 1, 9, 30), 0),
        Reminder(20, KindWeekly, At(2024, 1, 1, 23, 59, 30), WeekdayMask::kThursday),
        Reminder(21, KindMonthly, At(2023, 1, 1, 13, 0), 8),
        Reminder(22, KindMonthly, At(2023, 1, 1, 8, 0), 31),
        Reminder(23, KindMonthly, At(2024, 1, 1, 6, 0), 29),
        Reminder(24, KindMonthly, At(2024, 5, 8, 7, 45), 15),
        Reminder(25, KindMonthly, At(2020, 1, 1, 12, 0), 1),
        Reminder(26, KindOff, At(2024, 5, 7, 9, 30)),
        Reminder(27, KindBirthday, At(2024, 5, 8, 23, 59, 59), 3),
        Reminder(28, KindYearlyBirthday, At(2000, 5, 8, 23, 59, 59), 3),
        Reminder(29, KindLunarBirthday, At(2000, 5, 8, 23, 59, 59), 3),
        Reminder(30, 9, At(2024, 5, 7, 9, 30)),
    });
}

TEST(FindMissedReminders, AgreesWithAMinuteByMinuteSearch) {
    const ReminderMap items = OracleReminders();
    struct Span {
        Moment checkedUpTo;
        Moment now;
    };
    const Span spans[] = {
        {At(2024, 5, 6, 22, 10, 30), At(2024, 5, 9, 1, 5, 20)},
        {At(2024, 5, 7, 6, 0, 0), At(2024, 5, 7, 10, 30, 59)},
        {At(2024, 2, 27, 12, 0), At(2024, 3, 2, 12, 0)},
        {At(2024, 5, 7, 9, 29, 59), At(2024, 5, 7, 9, 32, 0)},
    };
    for (const Span& span : spans) {
        SCOPED_TRACE(span.checkedUpTo);
        const Missed expected = Oracle(items, span.checkedUpTo, span.now);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(FindMissedReminders(items, span.checkedUpTo, span.now), expected);
    }
}

// 2024-05-07 is a Tuesday.
TEST(FindMissedReminders, FindsEachKindAcrossMidnight) {
    const ReminderMap items = MapOf({
        Reminder(1, KindInterval, At(2024, 5, 6, 23, 0), 2),
        Reminder(2, KindWeekly, At(2024, 1, 1, 0, 1), WeekdayMask::kTuesday),
        Reminder(3, KindMonthly, At(2024, 1, 1, 0, 0), 7), Reminder(4, KindOnce, At(2024, 5, 6, 23, 59)),
        Reminder(5, KindOnce, At(2024, 5, 6, 23, 58)),  // the checked minute
        Reminder(6, KindOnce, At(2024, 5, 7, 0, 3)),    // the current minute
    });
    const Missed expected = {
        {4, At(2024, 5, 6, 23, 59)},
        {3, At(2024, 5, 7, 0, 0)},
        {2, At(2024, 5, 7, 0, 1)},
        {1, At(2024, 5, 7, 0, 2)},
    };
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 6, 23, 58, 10), At(2024, 5, 7, 0, 3, 40)), expected);
}

TEST(FindMissedReminders, ARepeatingReminderComesOnceAtItsLastDueMinute) {
    const ReminderMap items = MapOf({
        Reminder(1, KindInterval, At(2024, 5, 1, 8, 0), 1),
        Reminder(2, KindWeekly, At(2024, 1, 1, 7, 15), WeekdayMask::kMonday),
        Reminder(3, KindMonthly, At(2024, 1, 1, 18, 0), 20),
    });
    const Missed expected = {
        {3, At(2024, 4, 20, 18, 0)},
        {2, At(2024, 5, 6, 7, 15)},
        {1, At(2024, 5, 7, 8, 59)},
    };
    EXPECT_EQ(FindMissedReminders(items, At(2024, 4, 10, 12, 0), At(2024, 5, 7, 9, 0, 5)), expected);
}

TEST(FindMissedReminders, EqualMinutesComeById) {
    const ReminderMap items = MapOf({
        Reminder(9, KindOnce, At(2024, 5, 7, 8, 0)),
        Reminder(4, KindWeekly, At(2024, 1, 1, 8, 0), WeekdayMask::kTuesday),
        Reminder(6, KindOnce, At(2024, 5, 7, 7, 0)),
    });
    const Missed expected = {{6, At(2024, 5, 7, 7, 0)}, {4, At(2024, 5, 7, 8, 0)}, {9, At(2024, 5, 7, 8, 0)}};
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 7, 6, 0), At(2024, 5, 7, 9, 0)), expected);
}

TEST(FindMissedReminders, NothingWhenTheClockWasSetBackOrNoMinutePassed) {
    const ReminderMap items = MapOf({Reminder(1, KindInterval, At(2024, 5, 1, 8, 0), 1)});
    const Moment now = At(2024, 5, 7, 9, 0, 30);
    EXPECT_EQ(FindMissedReminders(items, now + 3600, now), Missed{});
    EXPECT_EQ(FindMissedReminders(items, now, now), Missed{});
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 7, 9, 0, 0), now), Missed{});
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 7, 8, 59, 59), now), Missed{});
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 7, 8, 58, 59), now), (Missed{{1, At(2024, 5, 7, 8, 59)}}));
}

TEST(FindMissedReminders, LooksBackThirtyDaysAtMost) {
    const Moment now = At(2024, 5, 31, 12, 0, 0);
    const ReminderMap items = MapOf({
        Reminder(1, KindOnce, At(2024, 5, 1, 12, 0)),   // exactly 30 days
        Reminder(2, KindOnce, At(2024, 5, 1, 11, 59)),  // a minute more
        Reminder(3, KindOnce, At(2024, 4, 15, 9, 0)),
        Reminder(4, KindMonthly, At(2024, 1, 1, 11, 0), 1),  // 1 May at 11:00
        Reminder(5, KindMonthly, At(2024, 1, 1, 11, 0), 2),
    });
    const Missed expected = {{1, At(2024, 5, 1, 12, 0)}, {5, At(2024, 5, 2, 11, 0)}};
    EXPECT_EQ(FindMissedReminders(items, At(2024, 3, 1, 0, 0), now), expected);
}

TEST(FindMissedReminders, NeverLooksBefore1970) {
    const Moment now = At(1970, 1, 5, 12, 0);
    const ReminderMap items = MapOf({
        Reminder(1, KindOnce, 0),  // 1970-01-01 08:00 in Shanghai
        Reminder(2, KindOnce, -60),
        // 1970-01-01 07:00, a moment the Windows C runtime cannot make.
        Reminder(3, KindWeekly, -3600, 0x1111111),
        Reminder(4, KindInterval, -3600, 1440),
    });
    const Missed expected = {{1, 0}, {3, At(1970, 1, 5, 7, 0)}, {4, At(1970, 1, 5, 7, 0)}};
    EXPECT_EQ(FindMissedReminders(items, std::numeric_limits<Moment>::min(), now), expected);
    EXPECT_EQ(FindMissedReminders(items, std::numeric_limits<Moment>::min(), -30), Missed{});
}

TEST(FindMissedReminders, SkipsSwitchedOffUnknownBrokenAndBirthdayReminders) {
    const Moment start = At(2024, 5, 7, 8, 0);
    const ReminderMap items = MapOf({
        Reminder(1, KindOff, start),
        Reminder(2, KindBirthday, At(2024, 5, 7, 23, 59, 59), 1),
        Reminder(3, KindYearlyBirthday, At(2000, 5, 7, 23, 59, 59), 1),
        Reminder(4, KindLunarBirthday, At(2000, 5, 7, 23, 59, 59), 1),
        Reminder(5, 8, start),
        Reminder(6, KindInterval, start, 0),
        Reminder(7, KindInterval, start, -60),
    });
    EXPECT_EQ(FindMissedReminders(items, At(2024, 5, 1, 0, 0), At(2024, 5, 8, 0, 0)), Missed{});
}

TEST(MissedRowOf, ShowsTheMinuteTheKindAndTheTitle) {
    ReminderItem item = Reminder(1, KindWeekly, At(2024, 1, 1, 9, 5));
    item.title = "周会";
    EXPECT_EQ(MissedRowOf(item, At(2024, 5, 7, 9, 5)), (MissedReminderRow{"2024-05-07 09:05", "周提醒", "周会"}));
    item.kind = KindOnce;
    EXPECT_EQ(MissedRowOf(item, At(2024, 12, 31, 23, 59)),
              (MissedReminderRow{"2024-12-31 23:59", "只提醒一次", "周会"}));
}

}  // namespace
