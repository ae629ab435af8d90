#include "alarmclock/alarm_clock_service.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "alarmclock/tests/fake_timer_service.h"
#include "common/local_time.h"

using alarmclock::AlarmItem;
using alarmclock::CAlarmClock;

namespace {

// Test names from the cases' own names.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// Day 0 of every scenario is Monday 2024-03-04, local time.
Moment At(int day, int hour, int minute, int second = 0) {
    return FromLocalTime(LocalTime{2024, 3, 4 + day, hour, minute, second, 0});
}

// "+1 07:30:00": days after day 0 and the local time of day.
std::string Describe(Moment moment) {
    const LocalTime local = ToLocalTime(moment);
    const int day = (FromLocalTime(LocalTime{local.year, local.month, local.day, 0, 0, 0, 0}) - At(0, 0, 0)) / 86400;
    char text[32];
    std::snprintf(text, sizeof text, "%+d %02d:%02d:%02d", day, local.hour, local.minute, local.second);
    return text;
}

class RecordingSetter final : public alarmclock::IClockSetter {
public:
    bool SetLocalClock(const LocalTime& local) override {
        calls.push_back(local);
        return succeed;
    }
    std::vector<LocalTime> calls;
    bool succeed = true;
};

// Records when it was called; `onAlarm` runs inside OnAlarm.
class RecordingListener final : public alarmclock::IAlarmListener {
public:
    explicit RecordingListener(const IClock& clock) : clock_(clock) {}
    void OnAlarm(const std::uint32_t* id) override {
        ids.push_back(*id);
        firings.push_back(Describe(clock_.Now()));
        if (onAlarm) {
            onAlarm(*id);
        }
    }
    std::vector<std::uint32_t> ids;
    std::vector<std::string> firings;
    std::function<void(std::uint32_t)> onAlarm;

private:
    const IClock& clock_;
};

// A service on a fake clock and a timer service that advances with it.
struct Harness {
    explicit Harness(Moment now, std::uint32_t tick = 5'000'000) : clock(now, tick), service(timer, clock, setter) {}

    // Moves the clock on second by second up to `until`, one timer round per second.
    void RunUntil(Moment until) {
        while (clock.Now() < until) {
            clock.Advance(1);
            timer.Tick();
        }
    }

    FakeClock clock;
    FakeTimerService timer;
    RecordingSetter setter;
    CAlarmClock service;
};

// An alarm item whose date lies days before the scenarios: only its time of day counts.
AlarmItem Alarm(int hour, int minute, std::int32_t repeat, int second = 0) {
    return AlarmItem{0, "起床", At(-40, hour, minute, second), repeat};
}

struct FiringCase {
    const char* name;
    AlarmItem alarm;
    Moment from;
    Moment until;
    std::uint32_t tickAtStart;
    std::vector<std::string> expected;
    bool oneShot;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const FiringCase& c, std::ostream* os) {
    *os << c.name;
}

class AlarmFiring : public testing::TestWithParam<FiringCase> {};

constexpr std::uint32_t kTick = 5'000'000;
constexpr std::uint32_t kJustBeforeWrap = 0xFFFFFFFFu - 30'000u;
constexpr std::uint32_t kHourBeforeWrap = 0xFFFFFFFFu - 3'600'000u;

}  // namespace

TEST_P(AlarmFiring, FiresAtTheExpectedMinutesOnly) {
    const FiringCase& c = GetParam();
    Harness h(c.from, c.tickAtStart);
    RecordingListener listener(h.clock);
    const std::uint32_t id = h.service.AddAlarm(c.alarm, &listener);

    h.RunUntil(c.until);

    EXPECT_EQ(listener.firings, c.expected);
    EXPECT_EQ(listener.ids, std::vector<std::uint32_t>(c.expected.size(), id));
    if (c.oneShot) {
        EXPECT_TRUE(h.service.Alarms().empty());
        EXPECT_FALSE(h.service.IsArmed(id));
    } else {
        EXPECT_TRUE(h.service.Alarms().Contains(id));
        EXPECT_TRUE(h.service.IsArmed(id));
    }
}

INSTANTIATE_TEST_SUITE_P(Rules,
                         AlarmFiring,
                         testing::Values(FiringCase{"OnceAlreadyPastFiresTheNextDay",
                                                    Alarm(7, 30, 0),
                                                    At(0, 8, 0),
                                                    At(1, 9, 0),
                                                    kTick,
                                                    {"+1 07:30:00"},
                                                    true},
                                         FiringCase{"OnceIgnoresTheSecondsOfItsStart",
                                                    Alarm(7, 30, 0, 59),
                                                    At(0, 7, 0),
                                                    At(0, 8, 0),
                                                    kTick,
                                                    {"+0 07:30:00"},
                                                    true},
                                         FiringCase{"DailyFiresOncePerDay",
                                                    Alarm(7, 30, 1440),
                                                    At(0, 0, 0),
                                                    At(2, 23, 59, 59),
                                                    kTick,
                                                    {"+0 07:30:00", "+1 07:30:00", "+2 07:30:00"},
                                                    false},
                                         FiringCase{"Every45MinutesAlsoBeforeTheStart",
                                                    Alarm(8, 0, 45),
                                                    At(0, 6, 0),
                                                    At(0, 10, 0),
                                                    kTick,
                                                    {"+0 06:30:00", "+0 07:15:00", "+0 08:00:00", "+0 08:45:00",
                                                     "+0 09:30:00"},
                                                    false},
                                         FiringCase{"Every7MinutesAroundTheStart",
                                                    Alarm(10, 0, 7),
                                                    At(0, 9, 50),
                                                    At(0, 10, 10),
                                                    kTick,
                                                    {"+0 09:53:00", "+0 10:00:00", "+0 10:07:00"},
                                                    false},
                                         // Minutes count from the start's time of day within one day: at
                                         // 00:00 the distance is -600, not a multiple of 7.
                                         FiringCase{"Every7MinutesAcrossMidnight",
                                                    Alarm(10, 0, 7),
                                                    At(0, 23, 50),
                                                    At(1, 0, 6),
                                                    kTick,
                                                    {"+0 23:53:00", "+1 00:05:00"},
                                                    false},
                                         // After firing, a repeating alarm keeps quiet for more than 60 s,
                                         // so an alarm due every minute slips by a second each time.
                                         FiringCase{"EveryMinuteKeepsQuietForSixtySeconds",
                                                    Alarm(10, 0, 1),
                                                    At(0, 9, 59, 59),
                                                    At(0, 10, 2, 30),
                                                    kTick,
                                                    {"+0 10:00:00", "+0 10:01:01", "+0 10:02:02"},
                                                    false},
                                         FiringCase{"EveryMinuteAcrossTheTickCountWrap",
                                                    Alarm(10, 0, 1),
                                                    At(0, 9, 59, 59),
                                                    At(0, 10, 2, 30),
                                                    kJustBeforeWrap,
                                                    {"+0 10:00:00", "+0 10:01:01", "+0 10:02:02"},
                                                    false},
                                         FiringCase{"DailyAcrossTheTickCountWrap",
                                                    Alarm(7, 30, 1440),
                                                    At(0, 7, 29),
                                                    At(1, 7, 31),
                                                    kHourBeforeWrap,
                                                    {"+0 07:30:00", "+1 07:30:00"},
                                                    false},
                                         // A tick count near 0 (just after start-up or a wrap) must not hold
                                         // back an alarm that has never fired.
                                         FiringCase{"FirstFiringWithALowTickCount",
                                                    Alarm(7, 30, 1440),
                                                    At(0, 7, 29, 59),
                                                    At(0, 7, 31),
                                                    0,
                                                    {"+0 07:30:00"},
                                                    false}),
                         CaseName<FiringCase>);

TEST(AlarmClock, IdsStartAtOneAndAreNeverReused) {
    Harness h(At(0, 12, 0));
    RecordingListener listener(h.clock);
    EXPECT_EQ(h.service.AddAlarm(Alarm(7, 0, 0), &listener), 1u);
    EXPECT_EQ(h.service.AddAlarm(Alarm(8, 0, 0), nullptr), 2u);
    AlarmItem given = Alarm(9, 0, 0);
    given.id = 7;
    EXPECT_EQ(h.service.AddAlarm(given, &listener), 7u);
    h.service.RemoveAlarm(2);
    EXPECT_EQ(h.service.AddAlarm(Alarm(10, 0, 0), &listener), 3u);

    std::vector<std::uint32_t> stored;
    for (const auto& [id, item] : h.service.Alarms()) {
        EXPECT_EQ(item.id, id);  // the stored copy carries its id
        stored.push_back(id);
    }
    EXPECT_EQ(stored, (std::vector<std::uint32_t>{1, 7, 3}));
}

TEST(AlarmClock, RemoveAlarmDisarmsAndIgnoresUnknownIds) {
    Harness h(At(0, 7, 0));
    RecordingListener listener(h.clock);
    const AlarmItem kept{h.service.AddAlarm(Alarm(7, 30, 0), &listener), "", 0, 0};
    const AlarmItem removed{h.service.AddAlarm(Alarm(7, 30, 0), &listener), "", 0, 0};

    h.service.RemoveAlarm(99);
    EXPECT_EQ(h.service.Alarms().size(), 2u);
    EXPECT_TRUE(h.service.IsArmed(removed.id));

    h.service.RemoveAlarm(removed.id);  // an item's id field, as callers pass it
    EXPECT_FALSE(h.service.Alarms().Contains(removed.id));
    EXPECT_FALSE(h.service.IsArmed(removed.id));
    EXPECT_TRUE(h.service.IsArmed(kept.id));

    h.RunUntil(At(0, 8, 0));
    EXPECT_EQ(listener.ids, std::vector<std::uint32_t>{kept.id});
}

TEST(AlarmClock, AlarmWithoutListenerIsStoredButNeverArmed) {
    Harness h(At(0, 7, 0));
    AlarmItem item = Alarm(7, 30, 0);
    item.id = h.service.AddAlarm(item, nullptr);
    EXPECT_TRUE(h.service.Alarms().Contains(item.id));
    EXPECT_FALSE(h.service.IsArmed(item.id));
    h.RunUntil(At(0, 7, 45));
    EXPECT_TRUE(h.service.Alarms().Contains(item.id));  // nothing fired, so nothing removed

    // Added again with a listener, the same alarm is armed and fires.
    RecordingListener listener(h.clock);
    item.startTime = At(-40, 8, 0);
    EXPECT_EQ(h.service.AddAlarm(item, &listener), item.id);
    h.RunUntil(At(0, 8, 30));
    EXPECT_EQ(listener.firings, std::vector<std::string>{"+0 08:00:00"});
}

TEST(AlarmClock, UpdateKeepsTheFirstListener) {
    Harness h(At(0, 7, 0));
    RecordingListener first(h.clock);
    RecordingListener second(h.clock);
    AlarmItem item = Alarm(7, 30, 0);
    item.id = h.service.AddAlarm(item, &first);
    item.startTime = At(-40, 9, 0);
    item.name = "开会";
    EXPECT_EQ(h.service.AddAlarm(item, &second), item.id);

    ASSERT_EQ(h.service.Alarms().size(), 1u);
    EXPECT_EQ(h.service.Alarms().ValueAt(0), item);

    h.RunUntil(At(0, 9, 30));
    EXPECT_EQ(first.firings, std::vector<std::string>{"+0 09:00:00"});
    EXPECT_TRUE(second.firings.empty());
}

TEST(AlarmClock, ListenerMayRemoveItsOwnAlarm) {
    for (std::int32_t repeat : {0, 45, 1440}) {
        SCOPED_TRACE(repeat);
        Harness h(At(0, 7, 0));
        RecordingListener listener(h.clock);
        listener.onAlarm = [&h](std::uint32_t id) { h.service.RemoveAlarm(id); };
        h.service.AddAlarm(Alarm(7, 30, repeat), &listener);
        h.RunUntil(At(0, 7, 35));
        EXPECT_EQ(listener.firings, std::vector<std::string>{"+0 07:30:00"});
        EXPECT_TRUE(h.service.Alarms().empty());
        EXPECT_FALSE(h.service.IsArmed(1));
    }
}

TEST(AlarmClock, ListenerMayRemoveAnotherAlarmDueInTheSameRound) {
    Harness h(At(0, 7, 0));
    RecordingListener listener(h.clock);
    std::uint32_t other = 0;
    listener.onAlarm = [&](std::uint32_t) { h.service.RemoveAlarm(other); };
    const std::uint32_t first = h.service.AddAlarm(Alarm(7, 30, 1440), &listener);
    other = h.service.AddAlarm(Alarm(7, 30, 1440), &listener);
    h.RunUntil(At(0, 7, 35));
    EXPECT_EQ(listener.ids, std::vector<std::uint32_t>{first});
}

TEST(AlarmClock, OneTimerListenerServesEveryAlarm) {
    Harness h(At(0, 6, 59));
    RecordingListener listener(h.clock);
    // Alarm k (1-based) at 07:(k-1) % 60, once: twenty alarms in each minute.
    for (int k = 1; k <= 1200; ++k) {
        h.service.AddAlarm(Alarm(7, (k - 1) % 60, 0), &listener);
    }
    ASSERT_EQ(h.timer.registrations.size(), 1u);
    EXPECT_EQ(h.timer.registrations[0].second, 1000u);

    h.RunUntil(At(0, 8, 0));
    ASSERT_EQ(listener.ids.size(), 1200u);
    for (std::size_t i = 0; i < listener.ids.size(); ++i) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "+0 07:%02u:00", (listener.ids[i] - 1) % 60);
        EXPECT_EQ(listener.firings[i], expected) << "alarm " << listener.ids[i];
    }
    EXPECT_TRUE(h.service.Alarms().empty());
    EXPECT_EQ(h.timer.ListenerCount(), 1u);
}

TEST(AlarmClock, AlarmsDueTogetherFireInTheOrderTheyWereLastAdded) {
    Harness h(At(0, 7, 0));
    RecordingListener listener(h.clock);
    AlarmItem first = Alarm(7, 30, 1440);
    first.id = h.service.AddAlarm(first, &listener);
    const std::uint32_t second = h.service.AddAlarm(Alarm(7, 30, 1440), &listener);
    const std::uint32_t third = h.service.AddAlarm(Alarm(7, 30, 0), &listener);
    h.service.AddAlarm(first, &listener);  // added again: now the latest
    h.RunUntil(At(0, 7, 31));
    EXPECT_EQ(listener.ids, (std::vector<std::uint32_t>{second, third, first.id}));
}

TEST(AlarmClock, AnAlarmAddedByAListenerForTheCurrentMinuteFiresAtTheNextSecond) {
    Harness h(At(0, 7, 0));
    RecordingListener listener(h.clock);
    const std::uint32_t first = h.service.AddAlarm(Alarm(7, 30, 0), &listener);
    std::uint32_t added = 0;
    listener.onAlarm = [&](std::uint32_t id) {
        if (id == first) {
            added = h.service.AddAlarm(Alarm(7, 30, 0), &listener);
        }
    };
    h.RunUntil(At(0, 7, 35));
    EXPECT_EQ(listener.ids, (std::vector<std::uint32_t>{first, added}));
    EXPECT_EQ(listener.firings, (std::vector<std::string>{"+0 07:30:00", "+0 07:30:01"}));
}

namespace {

// The clock runs from `from` to `jumpAt`, is set to `jumpTo` (the tick count
// runs on unchanged, as it does when the user sets the clock) and runs on to
// `until`.
struct ClockSetCase {
    const char* name;
    AlarmItem alarm;
    Moment from;
    Moment jumpAt;
    Moment jumpTo;
    Moment until;
    std::vector<std::string> expected;
};

void PrintTo(const ClockSetCase& c, std::ostream* os) {
    *os << c.name;
}

class AlarmAcrossAClockChange : public testing::TestWithParam<ClockSetCase> {};

}  // namespace

TEST_P(AlarmAcrossAClockChange, FiresAtTheMinutesTheClockShows) {
    const ClockSetCase& c = GetParam();
    Harness h(c.from);
    RecordingListener listener(h.clock);
    h.service.AddAlarm(c.alarm, &listener);
    h.RunUntil(c.jumpAt);
    h.clock.Set(c.jumpTo);
    h.RunUntil(c.until);
    EXPECT_EQ(listener.firings, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Jumps,
                         AlarmAcrossAClockChange,
                         testing::Values(
                             // Half an hour back after the minute: the minute comes again, long
                             // after the 60 s guard.
                             ClockSetCase{"SetBackFiresAgain",
                                          Alarm(7, 30, 1440),
                                          At(0, 7, 29),
                                          At(0, 7, 31),
                                          At(0, 7, 0),
                                          At(0, 7, 40),
                                          {"+0 07:30:00", "+0 07:30:00"}},
                             // Back by seconds into the same minute: the guard counts the tick
                             // count, not the clock, so the alarm fires again 61 s after it fired.
                             ClockSetCase{"SetBackIntoTheMinuteWaitsOutTheGuard",
                                          Alarm(7, 30, 1440),
                                          At(0, 7, 29, 50),
                                          At(0, 7, 30, 20),
                                          At(0, 7, 29, 55),
                                          At(0, 7, 35),
                                          {"+0 07:30:00", "+0 07:30:36"}},
                             // Forward over the minute: it is not seen, so a one-shot alarm waits
                             // for the next day.
                             ClockSetCase{"SetForwardOverTheMinuteSkipsIt",
                                          Alarm(7, 30, 0),
                                          At(0, 7, 0),
                                          At(0, 7, 29, 30),
                                          At(0, 7, 31),
                                          At(1, 7, 31),
                                          {"+1 07:30:00"}},
                             ClockSetCase{"SetForwardIntoTheMinuteFiresAtOnce",
                                          Alarm(7, 30, 0),
                                          At(0, 7, 0),
                                          At(0, 7, 10),
                                          At(0, 7, 30, 30),
                                          At(0, 7, 40),
                                          {"+0 07:30:31"}},
                             // A whole day back lands in the same minute of the day: the guard
                             // holds, and the next multiples come on the day set.
                             ClockSetCase{"SetBackADayKeepsTheMinutesOfTheDay",
                                          Alarm(8, 0, 45),
                                          At(0, 7, 59, 50),
                                          At(0, 8, 0, 10),
                                          At(-1, 8, 0, 20),
                                          At(-1, 9, 0),
                                          {"+0 08:00:00", "-1 08:45:00"}}),
                         CaseName<ClockSetCase>);

TEST(AlarmClock, DestructionUnregistersEveryListener) {
    FakeClock clock(At(0, 7, 0));
    FakeTimerService timer;
    RecordingSetter setter;
    {
        CAlarmClock service(timer, clock, setter);
        RecordingListener listener(clock);
        service.AddAlarm(Alarm(7, 30, 0), &listener);
        service.AddAlarm(Alarm(8, 30, 45), &listener);
        EXPECT_EQ(timer.ListenerCount(), 1u);
    }
    EXPECT_EQ(timer.ListenerCount(), 0u);
}

namespace {

// Records the times it is told into a shared log, under its name.
class RecordingObserver final : public alarmclock::ITimeObserver {
public:
    RecordingObserver(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void OnTime(const Moment* time) override {
        log_.push_back(name_ + " " + Describe(*time));
        if (onTime) {
            onTime();
        }
    }
    std::function<void()> onTime;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

}  // namespace

TEST(AlarmClock, TimeObserversAreToldInOrderOncePerRound) {
    Harness h(At(0, 12, 0));
    std::vector<std::string> log;
    RecordingObserver a("a", log), b("b", log), c("c", log);
    EXPECT_TRUE(h.service.AddTimeObserver(&a));
    EXPECT_TRUE(h.service.AddTimeObserver(&b));
    EXPECT_TRUE(h.service.AddTimeObserver(&c));
    EXPECT_TRUE(h.service.AddTimeObserver(&a));  // already there: not added twice
    EXPECT_FALSE(h.service.AddTimeObserver(nullptr));

    h.RunUntil(At(0, 12, 0, 1));
    h.service.RemoveTimeObserver(&b);
    h.RunUntil(At(0, 12, 0, 2));
    EXPECT_EQ(log, (std::vector<std::string>{"a +0 12:00:01", "b +0 12:00:01", "c +0 12:00:01", "a +0 12:00:02",
                                             "c +0 12:00:02"}));
}

TEST(AlarmClock, ObserverRemovingItselfDoesNotCostTheOthersTheirTurn) {
    Harness h(At(0, 12, 0));
    std::vector<std::string> log;
    RecordingObserver a("a", log), b("b", log), c("c", log), d("d", log);
    b.onTime = [&] { h.service.RemoveTimeObserver(&b); };
    c.onTime = [&] { h.service.AddTimeObserver(&d); };  // joins at the end, told in this round
    for (RecordingObserver* observer : {&a, &b, &c}) {
        h.service.AddTimeObserver(observer);
    }
    h.RunUntil(At(0, 12, 0, 1));
    EXPECT_EQ(log, (std::vector<std::string>{"a +0 12:00:01", "b +0 12:00:01", "c +0 12:00:01", "d +0 12:00:01"}));
}

TEST(AlarmClock, SetTimeSetsTheClockAndTellsTheObservers) {
    Harness h(At(0, 12, 0));
    EXPECT_EQ(h.service.GetSetTime(), At(0, 12, 0));  // the creation time until set
    std::vector<std::string> log;
    RecordingObserver a("a", log), b("b", log);
    h.service.AddTimeObserver(&a);
    h.service.AddTimeObserver(&b);

    const Moment time = At(2, 8, 9, 10);
    EXPECT_EQ(h.service.SetTime(&time), 1);
    EXPECT_EQ(h.service.GetSetTime(), time);
    ASSERT_EQ(h.setter.calls.size(), 1u);
    EXPECT_EQ(h.setter.calls[0], (LocalTime{2024, 3, 6, 8, 9, 10, 0}));
    EXPECT_EQ(log, (std::vector<std::string>{"a +2 08:09:10", "b +2 08:09:10"}));

    // A clock that refuses the change is reported; the value is still kept
    // and the observers still told.
    h.setter.succeed = false;
    const Moment later = At(3, 0, 0);
    EXPECT_EQ(h.service.SetTime(&later), 0);
    EXPECT_EQ(h.service.GetSetTime(), later);
    EXPECT_EQ(log.size(), 4u);

    EXPECT_EQ(h.service.SetTime(nullptr), 0);
    EXPECT_EQ(h.setter.calls.size(), 2u);
}
