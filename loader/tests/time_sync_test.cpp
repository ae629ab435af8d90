// Network time synchronisation without the network: what a finished
// exchange sets the clock to, the result codes of failures and refusals,
// the progress of each stage and the dialog's texts.

#include "loader/time_sync.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "widget/clock/time_protocol.h"

namespace {

// "2013-01-01 08:00:00": the fields a clock is set to, weekday left out.
std::string Fields(const LocalTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
    LocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return time;
}

// Records what the clock is set to and, like the real clock, shows it from
// then on.
class RecordingSetter : public alarmclock::IClockSetter {
public:
    RecordingSetter(FakeClock& clock, bool accepts) : clock_(clock), accepts_(accepts) {}
    bool SetLocalClock(const LocalTime& local) override {
        set.push_back(Fields(local));
        if (accepts_) {
            clock_.Set(FromLocalTime(local));
        }
        return accepts_;
    }
    std::vector<std::string> set;

private:
    FakeClock& clock_;
    bool accepts_;
};

TimeSyncReport Received(std::uint32_t seconds1900) {
    TimeSyncReport report;
    report.finished = true;
    report.stage = TimeSyncStage::kReplied;
    report.seconds1900 = seconds1900;
    return report;
}

class TimeSyncTest : public testing::Test {
protected:
    FakeClock clock_{FromLocalTime(At(2012, 12, 31, 23, 59, 30))};
    RecordingSetter setter_{clock_, true};
};

TEST_F(TimeSyncTest, ReplySetsTheClockToItsLocalTimeAcrossTheWrap) {
    // Expected instants worked out by hand from 1900-01-01 00:00 UTC, shown
    // in UTC+8.
    struct Case {
        const char* reply;
        const char* local;
    } const cases[] = {
        {"\xD4\x8C\xA5\x80", "2013-01-01 08:00:00"},  // 3565987200 s: 2013-01-01 00:00:00 UTC
        {"\x00\x00\x00\x00", "2036-02-07 14:28:16"},  // 2^32 s: the count's first wrap
        {"\x03\xAA\x7E\x7F", "2038-01-19 11:14:07"},  // the last moment a Moment holds
    };
    for (const Case& c : cases) {
        RecordingSetter setter(clock_, true);
        const std::optional<std::uint32_t> count = DecodeTimeProtocolReply(std::string_view(c.reply, 4));
        ASSERT_TRUE(count.has_value()) << c.local;
        const TimeSyncOutcome outcome = CompleteTimeSync(Received(*count), clock_, setter);
        EXPECT_EQ(outcome.result, TimeSyncResult::kClockSet) << c.local;
        EXPECT_EQ(setter.set, std::vector<std::string>{c.local});
    }
}

TEST_F(TimeSyncTest, PreviousTimeIsTheClockBeforeItWasSet) {
    const TimeSyncOutcome outcome = CompleteTimeSync(Received(0xD48CA580), clock_, setter_);
    EXPECT_EQ(Fields(outcome.previous), "2012-12-31 23:59:30");
    EXPECT_EQ(Fields(ToLocalTime(clock_.Now())), "2013-01-01 08:00:00");
}

TEST_F(TimeSyncTest, CountsNoMomentHoldsSetNothingAndFail) {
    // 2038-01-19 03:14:08 UTC, one second past what a Moment holds; and the
    // largest count after the wrap, in 2104.
    for (std::uint32_t count : {0x03AA7E80u, 0x7FFFFFFFu}) {
        EXPECT_EQ(CompleteTimeSync(Received(count), clock_, setter_).result, TimeSyncResult::kNoReply) << count;
    }
    EXPECT_TRUE(setter_.set.empty());
}

TEST_F(TimeSyncTest, ClockThatRefusesGives1005) {
    RecordingSetter refusing(clock_, false);
    const TimeSyncOutcome outcome = CompleteTimeSync(Received(0xD48CA580), clock_, refusing);
    EXPECT_EQ(static_cast<int>(outcome.result), 1005);
    EXPECT_EQ(refusing.set.size(), 1u);
}

TEST_F(TimeSyncTest, FailedExchangeKeepsItsResultAndSetsNothing) {
    TimeSyncReport report;
    report.finished = true;
    report.stage = TimeSyncStage::kSocketMade;
    report.exchange = TimeSyncResult::kNoConnection;
    report.seconds1900 = 0xD48CA580;  // left over: never used after a failure
    EXPECT_EQ(static_cast<int>(CompleteTimeSync(report, clock_, setter_).result), 1002);
    EXPECT_TRUE(setter_.set.empty());
}

TEST(TimeSync, EachStageHasItsProgressAndItsFailure) {
    struct Case {
        TimeSyncStage stage;
        int progress;
        int failure;
    } const cases[] = {
        {TimeSyncStage::kStarted, 0, 1002},      // the name gave no address: no network
        {TimeSyncStage::kServerFound, 0, 1001},  // no socket
        {TimeSyncStage::kSocketMade, 20, 1002},  // refused or timed out
        {TimeSyncStage::kConnected, 40, 1003},   // no reply, or too short
        {TimeSyncStage::kReplied, 60, 1003},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimeSyncProgress(c.stage), c.progress) << static_cast<int>(c.stage);
        EXPECT_EQ(static_cast<int>(TimeSyncFailure(c.stage)), c.failure) << static_cast<int>(c.stage);
    }
}

TEST(TimeSync, TimeTextPadsTheClockButNotTheDate) {
    EXPECT_EQ(TimeSyncTimeText(At(2013, 1, 1, 8, 0, 0)), "2013年1月1日 08:00:00");
    EXPECT_EQ(TimeSyncTimeText(At(2024, 12, 31, 23, 5, 9)), "2024年12月31日 23:05:09");
}

TEST(TimeSync, SuccessShowsBothTimesOnThreeLines) {
    EXPECT_EQ(TimeSyncFinishedText(TimeSyncResult::kClockSet, At(2012, 12, 31, 23, 59, 30), At(2013, 1, 1, 8, 0, 1)),
              "网络校时成功！\r\n原本地时间：2012年12月31日 23:59:30\r\n现本地时间：2013年1月1日 08:00:01");
}

TEST(TimeSync, EveryFailureShowsTheSameText) {
    for (TimeSyncResult result :
         {TimeSyncResult::kWrongSocketVersion, TimeSyncResult::kNoServer, TimeSyncResult::kNoSocketLibrary,
          TimeSyncResult::kNoSocket, TimeSyncResult::kNoConnection, TimeSyncResult::kNoReply,
          TimeSyncResult::kClockNotSet}) {
        EXPECT_EQ(TimeSyncFinishedText(result, At(2013, 1, 1, 8, 0, 0), At(2013, 1, 1, 8, 0, 0)),
                  "网络校时失败！请稍后再试！")
            << static_cast<int>(result);
    }
}

}  // namespace
