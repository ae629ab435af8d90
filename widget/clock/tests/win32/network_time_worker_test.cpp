#include "widget/clock/win32/network_time_worker.h"

#include <gtest/gtest.h>

#include <functional>

#include "testkit/win32/stopwatch.h"
#include "testkit/win32/time_test_server.h"

namespace {

using testkit::Stopwatch;
using testkit::TimeReply;
using testkit::TimeTestServer;

// 2008-08-07 00:00:01 UTC, 08:00:01 in China.
constexpr Moment kDayBeforeTheGames = 1218067201;

// Short enough for a test, long enough that a scripted change of the
// server's reply lands between two fetches.
NetworkTimeTiming QuickTiming() {
    NetworkTimeTiming timing;
    timing.periodMs = 60 * 1000;
    timing.retryDelayMs = 300;
    timing.connectTimeoutMs = 2000;
    timing.readTimeoutMs = 500;
    return timing;
}

TimeServerAddress LocalServer(const TimeTestServer& server) {
    return {"127.0.0.1", server.Port()};
}

bool WaitUntil(const std::function<bool()>& condition, unsigned int timeoutMs) {
    const Stopwatch stopwatch;
    while (!condition()) {
        if (stopwatch.Milliseconds() > timeoutMs) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

struct GoodReply {
    std::int64_t unixSeconds;
    const char* what;
};

TEST(NetworkTimeWorker, KeepsTheServersTime) {
    const GoodReply replies[] = {
        {kDayBeforeTheGames, "a day before the games"},
        {2100000000, "2036-07-18, after the protocol's count wrapped"},
    };
    for (const GoodReply& reply : replies) {
        SCOPED_TRACE(reply.what);
        TimeTestServer server(TimeReply::Time(reply.unixSeconds));
        NetworkTimeWorker worker(LocalServer(server), QuickTiming());
        EXPECT_FALSE(worker.NetworkTime());
        ASSERT_TRUE(worker.Start());
        ASSERT_TRUE(WaitUntil([&] { return worker.FinishedFetches() == 1; }, 5000));
        EXPECT_EQ(worker.NetworkTime(), reply.unixSeconds);
        EXPECT_EQ(server.ConnectionCount(), 1u);
    }
}

struct BadServer {
    TimeReply reply;
    bool stopped;  // nobody listens on the port
    const char* what;
};

TEST(NetworkTimeWorker, ThreeFailedFetchesLeaveNoTime) {
    const BadServer servers[] = {
        {TimeReply::Partial(kDayBeforeTheGames, 3), false, "three bytes, then closed"},
        {TimeReply::Silent(), false, "accepts and says nothing"},
        {TimeReply::CloseAtOnce(), false, "closes at once"},
        {TimeReply::Time(4000000000), false, "a time in 2096, past what a Moment holds"},
        {TimeReply::Time(kDayBeforeTheGames), true, "refuses the connection"},
    };
    for (const BadServer& bad : servers) {
        SCOPED_TRACE(bad.what);
        TimeTestServer server(bad.reply);
        if (bad.stopped) {
            server.Stop();
        }
        const NetworkTimeTiming timing = QuickTiming();
        NetworkTimeWorker worker(LocalServer(server), timing);
        const Stopwatch stopwatch;
        ASSERT_TRUE(worker.Start());
        ASSERT_TRUE(WaitUntil([&] { return worker.FinishedFetches() == 3; }, 10000));
        const long long elapsed = stopwatch.Milliseconds();
        EXPECT_FALSE(worker.NetworkTime());
        // Two pauses between the three fetches; nothing more until the next round.
        EXPECT_GE(elapsed, 2 * timing.retryDelayMs - 20);
        Sleep(timing.retryDelayMs * 2);
        EXPECT_EQ(worker.FinishedFetches(), 3u);
        if (!bad.stopped) {
            EXPECT_EQ(server.ConnectionCount(), 3u);
        }
        if (bad.reply.kind == TimeReply::Kind::kSilent) {
            // Each silent fetch waited for its read time-out.
            EXPECT_GE(elapsed, 3 * timing.readTimeoutMs + 2 * timing.retryDelayMs - 20);
        }
    }
}

TEST(NetworkTimeWorker, AnswerAtTheThirdTryCounts) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    NetworkTimeTiming timing = QuickTiming();
    timing.retryDelayMs = 1000;  // room to change the reply before the third fetch
    NetworkTimeWorker worker(LocalServer(server), timing);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitUntil([&] { return worker.FinishedFetches() == 2; }, 5000));
    EXPECT_FALSE(worker.NetworkTime());
    server.SetReply(TimeReply::Time(kDayBeforeTheGames));
    ASSERT_TRUE(WaitUntil([&] { return worker.NetworkTime().has_value(); }, 5000));
    EXPECT_EQ(worker.NetworkTime(), kDayBeforeTheGames);
    EXPECT_EQ(worker.FinishedFetches(), 3u);
    EXPECT_EQ(server.ConnectionCount(), 3u);
}

TEST(NetworkTimeWorker, EachPeriodStartsAFreshRound) {
    TimeTestServer server(TimeReply::Time(kDayBeforeTheGames));
    NetworkTimeTiming timing = QuickTiming();
    timing.periodMs = 1000;
    NetworkTimeWorker worker(LocalServer(server), timing);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(WaitUntil([&] { return worker.FinishedFetches() == 1; }, 5000));
    EXPECT_EQ(worker.NetworkTime(), kDayBeforeTheGames);
    // The next round clears the time before it asks; once its fetches fail,
    // the old time is not shown again.
    server.SetReply(TimeReply::CloseAtOnce());
    ASSERT_TRUE(WaitUntil([&] { return worker.FinishedFetches() == 2; }, 5000));
    EXPECT_FALSE(worker.NetworkTime());
    server.SetReply(TimeReply::Time(kDayBeforeTheGames + 3600));
    ASSERT_TRUE(WaitUntil([&] { return worker.NetworkTime() == kDayBeforeTheGames + 3600; }, 5000));
}

struct StopCase {
    TimeReply reply;
    const char* what;
};

TEST(NetworkTimeWorker, StopsAtOnceWhateverItWaitsFor) {
    const StopCase cases[] = {
        {TimeReply::Silent(), "a fetch waiting for a silent server"},
        {TimeReply::CloseAtOnce(), "the pause after a failed fetch"},
        {TimeReply::Time(kDayBeforeTheGames), "the wait for the next round"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.what);
        TimeTestServer server(c.reply);
        // The real time-outs and pauses, each far longer than the stop may take.
        NetworkTimeWorker worker(LocalServer(server), NetworkTimeTiming{});
        ASSERT_TRUE(worker.Start());
        ASSERT_TRUE(WaitUntil([&] { return server.ConnectionCount() == 1; }, 5000));
        Sleep(200);
        const Stopwatch stopwatch;
        EXPECT_TRUE(worker.Stop());
        EXPECT_LT(stopwatch.Milliseconds(), 1000);
    }
}

TEST(NetworkTimeWorker, StopsBeforeItStartedAndTwice) {
    TimeTestServer server(TimeReply::Silent());
    NetworkTimeWorker never(LocalServer(server), QuickTiming());
    EXPECT_TRUE(never.Stop());
    NetworkTimeWorker twice(LocalServer(server), QuickTiming());
    ASSERT_TRUE(twice.Start());
    EXPECT_FALSE(twice.Start());
    EXPECT_TRUE(twice.Stop());
    EXPECT_TRUE(twice.Stop());
}

}  // namespace
