// The reminder store wired to the real alarm clock service, on a fake clock
// and a timer service ticked by hand: a reminder is alerted only when its
// alarm fires (time of day) and its due test passes (full date).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "alarmclock/alarm_clock_service.h"
#include "common/path_util.h"
#include "widget/reminders/reminder_store.h"
#include "widget/reminders/tests/manual_timer_service.h"

namespace {

// 2024-05-07 is a Tuesday.
Moment At(int month, int day, int hour = 0, int minute = 0, int second = 0, int year = 2024) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

std::string Describe(Moment moment) {
    const LocalTime t = ToLocalTime(moment);
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d:%02d", t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

class NoClockSetter final : public alarmclock::IClockSetter {
public:
    bool SetLocalClock(const LocalTime&) override { return false; }
};

ReminderItem Reminder(std::uint32_t kind, Moment start, std::int32_t param = 0) {
    ReminderItem item;
    item.title = "提醒";
    item.kind = kind;
    item.start = start;
    item.param = param;
    return item;
}

// The widget's chain from the timer to the due notification. The clock moves
// in steps of 10 s, each one round of the timer service; every due minute is
// still seen several times, as with the real one-second checks.
class Chain {
public:
    explicit Chain(Moment now) : clock_(now, 7'000'000) {
        store_.SetDueNotification([this](std::uint32_t) { alerts.push_back(Describe(clock_.Now())); });
    }

    void RunUntil(Moment until) {
        while (clock_.Now() < until) {
            clock_.Advance(10);
            timer_.Tick();
        }
    }
    // The machine was off or asleep: no checks in between.
    void JumpTo(Moment now) { clock_.Set(now); }

    CReminderStore& store() { return store_; }
    alarmclock::CAlarmClock& alarms() { return alarms_; }

    std::vector<std::string> alerts;

private:
    FakeClock clock_;
    ManualTimerService timer_;
    NoClockSetter setter_;
    alarmclock::CAlarmClock alarms_{timer_, clock_, setter_};
    CReminderStore store_{&alarms_, clock_};
};

using Alerts = std::vector<std::string>;

// Registered at 09:00, the alarm meets 10:00 today first: the date is wrong,
// and the reminder must still come tomorrow.
TEST(ReminderChain, OnceReminderComesOnItsDateWheneverItWasRegistered) {
    const Moment tomorrowAtTen = At(5, 8, 10, 0);
    for (const Moment registered : {At(5, 7, 9, 0), At(5, 7, 11, 0), At(5, 8, 9, 59, 50)}) {
        SCOPED_TRACE(Describe(registered));
        Chain chain(registered);
        chain.store().AddReminder(Reminder(KindOnce, tomorrowAtTen));
        chain.RunUntil(At(5, 7, 23, 59));
        EXPECT_EQ(chain.alerts, Alerts{});
        EXPECT_TRUE(chain.alarms().IsArmed(1));

        chain.RunUntil(At(5, 10, 12, 0));
        EXPECT_EQ(chain.alerts, Alerts{"05-08 10:00:00"});
        EXPECT_FALSE(chain.alarms().IsArmed(1));
        EXPECT_EQ(chain.store().items().size(), 1u);
    }
}

TEST(ReminderChain, MissedOnceReminderIsNeverCaughtUp) {
    struct Case {
        const char* name;
        Moment registered;
        Moment wokeUp;  // the machine slept from registration to here
        Moment nextAlarm;
    };
    const Case cases[] = {
        {"moment passed before loading", At(5, 7, 9, 0), At(5, 7, 9, 0), At(5, 8, 8, 0)},
        {"slept through the moment", At(5, 6, 7, 0), At(5, 6, 9, 0), At(5, 7, 8, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chain chain(c.registered);
        chain.store().AddReminder(Reminder(KindOnce, At(5, 6, 8, 0)));
        chain.JumpTo(c.wokeUp);
        // The next 08:00 fires the alarm, fails the date, and ends it.
        chain.RunUntil(c.nextAlarm - 60);
        EXPECT_TRUE(chain.alarms().IsArmed(1));
        chain.RunUntil(c.nextAlarm + 60);
        EXPECT_FALSE(chain.alarms().IsArmed(1));
        chain.RunUntil(At(5, 9, 9, 0));
        EXPECT_EQ(chain.alerts, Alerts{});
    }
}

TEST(ReminderChain, HalfHourlyIntervalFromItsStartOnEveryLaterDay) {
    Chain chain(At(5, 7, 6, 0));
    chain.store().AddReminder(Reminder(KindInterval, At(5, 7, 8, 0), 30));
    chain.RunUntil(At(5, 8, 1, 10));

    // 08:00 to 23:30 on the start day, then on through midnight.
    ASSERT_EQ(chain.alerts.size(), 32u + 3u);
    EXPECT_EQ(chain.alerts[0], "05-07 08:00:00");
    EXPECT_EQ(chain.alerts[1], "05-07 08:30:00");
    EXPECT_EQ(chain.alerts[31], "05-07 23:30:00");
    EXPECT_EQ(chain.alerts[32], "05-08 00:00:00");
    EXPECT_EQ(chain.alerts[34], "05-08 01:00:00");
}

TEST(ReminderChain, SevenMinuteIntervalNeedsBothTheTimeOfDayAndTheDayCount) {
    Chain chain(At(5, 7, 9, 50));
    chain.store().AddReminder(Reminder(KindInterval, At(5, 7, 10, 0), 7));

    // The alarm fires at 09:53 too, but that is before the start.
    chain.RunUntil(At(5, 7, 10, 20));
    EXPECT_EQ(chain.alerts, (Alerts{"05-07 10:00:00", "05-07 10:07:00", "05-07 10:14:00"}));

    // 1440 minutes a day is no multiple of 7: a day later the alarm's
    // minutes and the reminder's never meet, a week later they do again.
    chain.JumpTo(At(5, 8, 0, 0));
    chain.alerts.clear();
    chain.RunUntil(At(5, 9, 0, 0));
    EXPECT_EQ(chain.alerts, Alerts{});
    chain.JumpTo(At(5, 14, 9, 50));
    chain.RunUntil(At(5, 14, 10, 10));
    EXPECT_EQ(chain.alerts, (Alerts{"05-14 09:53:00", "05-14 10:00:00", "05-14 10:07:00"}));
}

TEST(ReminderChain, WeeklyReminderOnTuesdaysAlsoBeforeItsStartDate) {
    Chain chain(At(5, 6, 0, 0));
    chain.store().AddReminder(Reminder(KindWeekly, At(6, 1, 7, 30), WeekdayMask::kTuesday));
    chain.RunUntil(At(5, 9, 0, 0));
    EXPECT_EQ(chain.alerts, Alerts{"05-07 07:30:00"});
}

TEST(ReminderChain, MonthlyOn31stOnlyInLongMonthsPlusOnceAtItsStart) {
    Chain chain(At(1, 30, 12, 0));
    chain.store().AddReminder(Reminder(KindMonthly, At(2, 15, 7, 30), 31));
    chain.RunUntil(At(2, 1, 0, 0));
    chain.JumpTo(At(2, 14, 12, 0));
    chain.RunUntil(At(2, 16, 0, 0));
    chain.JumpTo(At(2, 28, 12, 0));
    chain.RunUntil(At(3, 1, 0, 0));
    chain.JumpTo(At(4, 29, 12, 0));
    chain.RunUntil(At(5, 1, 0, 0));
    EXPECT_EQ(chain.alerts, (Alerts{"01-31 07:30:00", "02-15 07:30:00"}));
}

// Loading Calendar.dat registers a birthday with a one-shot alarm in the
// next minute, which alerts it when its window is open.
TEST(ReminderChain, BirthdayIsTestedInTheMinuteAfterLoading) {
    const std::string path =
        JoinPath(std::filesystem::temp_directory_path().string(), "reminder_chain_test_Calendar.dat");
    {
        Chain writer(At(5, 1, 12, 0));
        writer.store().AddReminder(Reminder(KindBirthday, At(5, 10, 23, 59, 59), 3));
        ASSERT_TRUE(writer.store().SaveReminders(path));
    }
    struct Case {
        Moment loaded;
        Alerts alerts;
    };
    const Case cases[] = {
        {At(5, 7, 9, 15, 30), {"05-07 09:16:00"}},
        {At(5, 6, 9, 15, 30), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Describe(c.loaded));
        Chain chain(c.loaded);
        ASSERT_TRUE(chain.store().LoadReminders(path));
        chain.RunUntil(c.loaded + 6 * 3600);
        EXPECT_EQ(chain.alerts, c.alerts);
    }
    std::filesystem::remove(path);
}

// A widget that runs for days: a yearly birthday's daily alarm, a minute
// after registration, alerts it on each day of the window and on no other.
// 八月十五 of 2024 (2024-09-17) falls on 2025-10-06.
TEST(ReminderChain, YearlyBirthdayIsAlertedOnEveryDayOfItsWindowWithoutARestart) {
    struct Case {
        const char* name;
        ReminderItem birthday;
        Moment registered;
        Moment until;
        Alerts alerts;
    };
    const Case cases[] = {
        {"2 January, 2 days' notice, across the new year",
         Reminder(KindYearlyBirthday, At(1, 2, 23, 59, 59, 2024), 2),
         At(12, 29, 9, 15, 30),
         At(1, 5, 12, 0, 0, 2025),
         {"12-31 09:16:00", "01-01 09:16:00", "01-02 09:16:00"}},
        {"八月十五, 1 day's notice",
         Reminder(KindLunarBirthday, At(9, 17, 23, 59, 59, 2024), 1),
         At(10, 3, 20, 0, 0, 2025),
         At(10, 8, 0, 0, 0, 2025),
         {"10-05 20:01:00", "10-06 20:01:00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Chain chain(c.registered);
        chain.store().AddReminder(c.birthday);
        chain.RunUntil(c.until);
        EXPECT_EQ(chain.alerts, c.alerts);
        // The record keeps the repeat it was given; only the alarm repeats.
        EXPECT_EQ(chain.store().items().at(1).repeat, 0);
        EXPECT_TRUE(chain.alarms().IsArmed(1));
    }
}

TEST(ReminderChain, SwitchedOffReminderKeepsItsIdAndIsNeverAlerted) {
    Chain chain(At(5, 7, 7, 55));
    chain.store().AddReminder(Reminder(KindInterval, At(5, 7, 8, 0), 5));
    ReminderItem item;
    ASSERT_TRUE(chain.store().FindReminder(1, item));
    item.kind = KindOff;
    chain.store().AddReminder(item);

    EXPECT_EQ(chain.store().items().count(1), 1u);
    EXPECT_FALSE(chain.alarms().IsArmed(1));
    EXPECT_TRUE(chain.alarms().Alarms().empty());
    chain.RunUntil(At(5, 7, 9, 0));
    EXPECT_EQ(chain.alerts, Alerts{});
}

}  // namespace
