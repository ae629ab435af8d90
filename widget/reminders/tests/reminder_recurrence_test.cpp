#include "widget/reminders/reminder_recurrence.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "widget/reminders/tests/fake_alarm_clock.h"

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

ReminderItem Reminder(std::uint32_t kind, Moment start, std::int32_t param = 0) {
    ReminderItem item;
    item.title = "标题";
    item.kind = kind;
    item.start = start;
    item.param = param;
    return item;
}

std::string Describe(Moment moment) {
    const LocalTime t = ToLocalTime(moment);
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) + " " +
           std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
}

struct NullListener final : alarmclock::IAlarmListener {
    void OnAlarm(const std::uint32_t*) override {}
};

struct DueCase {
    const char* name;
    ReminderItem item;
    Moment now;
    bool due;
};

void ExpectDue(const DueCase* begin, const DueCase* end) {
    for (const DueCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(testing::Message() << c->name << " at " << Describe(c->now));
        EXPECT_EQ(IsReminderDue(c->item, c->now), c->due);
    }
}

// 2024-05-07 is a Tuesday.
TEST(ReminderDue, OnceIsDueInTheMinuteOfItsStartOnly) {
    const ReminderItem once = Reminder(KindOnce, At(2024, 5, 8, 10, 0));
    const DueCase cases[] = {
        {"start", once, At(2024, 5, 8, 10, 0, 0), true},
        {"seconds later", once, At(2024, 5, 8, 10, 0, 59), true},
        {"next minute", once, At(2024, 5, 8, 10, 1, 0), false},
        {"minute before", once, At(2024, 5, 8, 9, 59, 59), false},
        {"same time a day early", once, At(2024, 5, 7, 10, 0), false},
        {"start with seconds never matches", Reminder(KindOnce, At(2024, 5, 8, 10, 0, 30)), At(2024, 5, 8, 10, 0, 30),
         false},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

TEST(ReminderDue, IntervalCountsWholeMinutesFromItsStart) {
    const ReminderItem halfHourly = Reminder(KindInterval, At(2024, 5, 7, 8, 0), 30);
    const ReminderItem sevenMinutes = Reminder(KindInterval, At(2024, 5, 7, 10, 0), 7);
    const DueCase cases[] = {
        {"30: start", halfHourly, At(2024, 5, 7, 8, 0), true},
        {"30: 08:30", halfHourly, At(2024, 5, 7, 8, 30, 20), true},
        {"30: 09:00", halfHourly, At(2024, 5, 7, 9, 0), true},
        {"30: 08:15", halfHourly, At(2024, 5, 7, 8, 15), false},
        {"30: before the start on its day", halfHourly, At(2024, 5, 7, 7, 30), false},
        {"30: the day before", halfHourly, At(2024, 5, 6, 8, 0), false},
        {"30: a later midnight", halfHourly, At(2024, 5, 9, 0, 0), true},
        {"30: a later 08:45", halfHourly, At(2024, 5, 9, 8, 45), false},
        {"7: 10:07", sevenMinutes, At(2024, 5, 7, 10, 7), true},
        {"7: 10:08", sevenMinutes, At(2024, 5, 7, 10, 8), false},
        // 1440 minutes a day: a later day at 10:00 only every seventh day.
        {"7: next day 10:00", sevenMinutes, At(2024, 5, 8, 10, 0), false},
        {"7: seven days on 10:00", sevenMinutes, At(2024, 5, 14, 10, 0), true},
        {"7: next day 09:55 (1435 minutes)", sevenMinutes, At(2024, 5, 8, 9, 55), true},
        // A file may hold intervals the editor cannot make.
        {"0 minutes", Reminder(KindInterval, At(2024, 5, 7, 8, 0), 0), At(2024, 5, 7, 8, 0), false},
        {"negative minutes", Reminder(KindInterval, At(2024, 5, 7, 8, 0), -30), At(2024, 5, 7, 8, 0), false},
        {"start at the 32-bit minimum", Reminder(KindInterval, std::numeric_limits<Moment>::min(), 1),
         At(2024, 5, 7, 8, 0), true},
        {"start at the 32-bit maximum", Reminder(KindInterval, std::numeric_limits<Moment>::max(), 1),
         At(2024, 5, 7, 8, 0), false},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

TEST(ReminderDue, WeeklyAndMonthlyLookAtTheDateOnly) {
    const ReminderItem tuesdays = Reminder(KindWeekly, At(2024, 6, 1, 7, 30), 0x10);
    const ReminderItem mondaysAndSundays = Reminder(KindWeekly, At(2024, 5, 1), 0x1000001);
    const ReminderItem on31st = Reminder(KindMonthly, At(2024, 2, 15, 7, 30), 31);
    const DueCase cases[] = {
        {"Tuesday before the start", tuesdays, At(2024, 5, 7, 7, 30), true},
        {"Wednesday", tuesdays, At(2024, 5, 8, 7, 30), false},
        {"a later Tuesday", tuesdays, At(2024, 6, 4, 19, 5), true},
        {"Monday", mondaysAndSundays, At(2024, 5, 6, 12, 0), true},
        {"Sunday", mondaysAndSundays, At(2024, 5, 12, 12, 0), true},
        {"Saturday", mondaysAndSundays, At(2024, 5, 11, 12, 0), false},
        {"only the lowest bit of a digit counts", Reminder(KindWeekly, 0, 0x2), At(2024, 5, 6, 12, 0), false},
        {"31 January", on31st, At(2024, 1, 31, 7, 30), true},
        {"31 March", on31st, At(2024, 3, 31, 7, 30), true},
        {"30 April", on31st, At(2024, 4, 30, 7, 30), false},
        {"29 February", on31st, At(2024, 2, 29, 7, 30), false},
        {"its start", on31st, At(2024, 2, 15, 7, 30, 10), true},
        {"a minute after its start", on31st, At(2024, 2, 15, 7, 31), false},
        {"day 0 only at its start", Reminder(KindMonthly, At(2024, 2, 15, 7, 30), 0), At(2024, 3, 1, 7, 30), false},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

TEST(ReminderDue, BirthdayWindowRunsFromMidnightParamDaysBefore) {
    const Moment birthday = At(2024, 5, 10, 23, 59, 59);
    const ReminderItem threeDays = Reminder(KindBirthday, birthday, 3);
    const ReminderItem sameDay = Reminder(KindBirthday, birthday, 0);
    const DueCase cases[] = {
        {"3: first minute", threeDays, At(2024, 5, 7, 0, 0), true},
        {"3: loaded 7 May, alarm at 09:16", threeDays, At(2024, 5, 7, 9, 16), true},
        {"3: last minute of 6 May", threeDays, At(2024, 5, 6, 23, 59, 59), false},
        {"3: last minute of the birthday", threeDays, At(2024, 5, 10, 23, 59, 30), true},
        {"3: the day after", threeDays, At(2024, 5, 11, 0, 0), false},
        {"3: a year later", threeDays, At(2025, 5, 9, 12, 0), false},
        {"0: the birthday", sameDay, At(2024, 5, 10, 0, 0), true},
        {"0: the day before", sameDay, At(2024, 5, 9, 23, 59), false},
        {"notice beyond 32-bit seconds", Reminder(KindBirthday, birthday, std::numeric_limits<std::int32_t>::max()),
         At(1990, 1, 1), true},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

// Every minute of every day of a window, in any year: the start's year is
// only the year the user picked.
TEST(ReminderDue, YearlyBirthdaysAreDueOnEveryDayOfTheWindowOfEachYear) {
    // 2 January with 5 days of notice; 八月十五 (2024-09-17, 2025-10-06) with 1.
    const ReminderItem newYear = Reminder(KindYearlyBirthday, At(2024, 1, 2, 23, 59, 59), 5);
    const ReminderItem midAutumn = Reminder(KindLunarBirthday, At(2024, 9, 17, 23, 59, 59), 1);
    const DueCase cases[] = {
        {"yearly: first minute, across the new year", newYear, At(2024, 12, 28, 0, 0), true},
        {"yearly: last minute of the day before the window", newYear, At(2024, 12, 27, 23, 59, 59), false},
        {"yearly: in the middle", newYear, At(2024, 12, 31, 13, 45), true},
        {"yearly: last minute of the birthday", newYear, At(2025, 1, 2, 23, 59), true},
        {"yearly: the day after", newYear, At(2025, 1, 3, 0, 0), false},
        {"yearly: its own first year", newYear, At(2024, 1, 2, 9, 0), true},
        {"yearly: before the year picked", newYear, At(2020, 1, 1, 9, 0), true},
        {"lunar: the day before, 2025", midAutumn, At(2025, 10, 5, 0, 0), true},
        {"lunar: the day, 2025", midAutumn, At(2025, 10, 6, 23, 59), true},
        {"lunar: 2024's Gregorian day in 2025", midAutumn, At(2025, 9, 17, 12, 0), false},
        {"lunar: two days before", midAutumn, At(2025, 10, 4, 23, 59), false},
        {"lunar: 1970 too", midAutumn, At(1970, 9, 15, 8, 0), true},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

TEST(ReminderDue, OffAndUnknownKindsAreNeverDue) {
    const Moment start = At(2024, 5, 7, 8, 0);
    const DueCase cases[] = {
        {"off", Reminder(KindOff, start), start, false},
        {"kind 8", Reminder(8, start), start, false},
        {"kind 0xFFFFFFFF", Reminder(0xFFFFFFFF, start), start, false},
    };
    ExpectDue(std::begin(cases), std::end(cases));
}

TEST(RegisterAlarm, SetsRepeatAndArmsAnAlarmPerKind) {
    const Moment start = At(2024, 5, 10, 23, 59, 59);
    const Moment now = At(2024, 5, 7, 9, 15, 30);
    const Moment birthdayAlarm = At(2024, 5, 7, 9, 16, 30);
    struct Case {
        const char* name;
        std::uint32_t kind;
        std::int32_t param;
        std::int32_t repeat;  // after registration
        bool armed;
        Moment alarmStart;
        std::int32_t alarmRepeat;
    };
    const Case cases[] = {
        {"off", KindOff, 5, 99, false, 0, 0},
        // Ahead of now: daily until its day has come.
        {"once", KindOnce, 5, 0, true, start, 1440},
        {"interval", KindInterval, 30, 30, true, start, 30},
        {"interval of 0", KindInterval, 0, 0, false, 0, 0},
        {"negative interval", KindInterval, -5, -5, false, 0, 0},
        {"weekly", KindWeekly, 0x10, 1440, true, start, 1440},
        {"monthly", KindMonthly, 31, 1440, true, start, 1440},
        {"birthday: a minute after now", KindBirthday, 3, 99, true, birthdayAlarm, 99},
        {"birthday with negative notice", KindBirthday, -1, 99, false, 0, 0},
        // Yearly birthdays: tested every day from a minute after now; the
        // record keeps its repeat.
        {"yearly birthday", KindYearlyBirthday, 3, 99, true, birthdayAlarm, 1440},
        {"lunar birthday", KindLunarBirthday, 0, 99, true, birthdayAlarm, 1440},
        {"yearly birthday with negative notice", KindYearlyBirthday, -1, 99, false, 0, 0},
        {"lunar birthday with negative notice", KindLunarBirthday, -1, 99, false, 0, 0},
        {"unknown kind", 8, 5, 99, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeAlarmClock clock;
        NullListener listener;
        alarmclock::IAlarmListener* store = &listener;
        ReminderItem item = Reminder(c.kind, start, c.param);
        item.repeat = 99;
        RegisterAlarm(item, clock, store, now);

        // Every reminder gets an id, armed or not; start stays as it was.
        EXPECT_EQ(item.id, 1u);
        EXPECT_EQ(item.start, start);
        EXPECT_EQ(item.repeat, c.repeat);
        ASSERT_EQ(clock.IsArmed(1), c.armed);
        if (c.armed) {
            const FakeAlarmClock::Alarm& alarm = clock.alarms().at(1);
            EXPECT_EQ(alarm.item, (alarmclock::AlarmItem{1, "标题", c.alarmStart, c.alarmRepeat}));
            EXPECT_EQ(alarm.listener, store);
        }
    }
}

// The alarm clock drops a one-shot alarm after its first firing, which for a
// once reminder comes at the next matching time of day, whatever the date.
TEST(RegisterAlarm, OnceAlarmRepeatsDailyOnlyWhileItsMomentIsAhead) {
    const Moment now = At(2024, 5, 7, 9, 0, 30);
    struct Case {
        const char* name;
        Moment start;
        std::int32_t alarmRepeat;
    };
    const Case cases[] = {
        {"tomorrow", At(2024, 5, 8, 10, 0), 1440},
        {"later today", At(2024, 5, 7, 10, 0), 1440},
        {"this minute, still ahead", At(2024, 5, 7, 9, 0, 45), 1440},
        {"this minute, come", At(2024, 5, 7, 9, 0, 30), 0},
        {"yesterday", At(2024, 5, 6, 10, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeAlarmClock clock;
        ReminderItem item = Reminder(KindOnce, c.start);
        RegisterAlarm(item, clock, nullptr, now);
        EXPECT_EQ(item.repeat, 0);
        ASSERT_TRUE(clock.IsArmed(1));
        EXPECT_EQ(clock.alarms().at(1).item.repeat, c.alarmRepeat);
    }
}

TEST(RegisterAlarm, EditedReminderKeepsItsIdAndSwitchingOffDropsItsAlarm) {
    FakeAlarmClock clock;
    const Moment now = At(2024, 5, 7, 9, 0);
    ReminderItem item = Reminder(KindWeekly, At(2024, 5, 7, 7, 30), 0x10);
    RegisterAlarm(item, clock, nullptr, now);
    ASSERT_EQ(item.id, 1u);

    item.kind = KindOnce;
    RegisterAlarm(item, clock, nullptr, now);
    EXPECT_EQ(item.id, 1u);
    EXPECT_TRUE(clock.IsArmed(1));
    EXPECT_EQ(clock.alarms().at(1).item.repeat, 0);

    for (std::uint32_t off : {std::uint32_t{KindOff}, std::uint32_t{9}}) {
        item.kind = KindOnce;
        RegisterAlarm(item, clock, nullptr, now);
        clock.ClearCalls();
        item.kind = off;
        RegisterAlarm(item, clock, nullptr, now);
        EXPECT_EQ(item.id, 1u);
        EXPECT_FALSE(clock.IsArmed(1));
        // Nothing is added for a reminder that already has its id.
        ASSERT_EQ(clock.calls().size(), 1u);
        EXPECT_EQ(clock.calls()[0].operation, FakeAlarmClock::Call::kRemove);
    }
}

}  // namespace
