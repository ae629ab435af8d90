#include "timer/thread_listener_set.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <vector>

namespace {

// The core never calls a listener; only its address matters.
class Listener final : public ITimerSenseObj {
public:
    void TimeArrive() override {}
};

struct Post {
    unsigned int message = 0;
    ITimerSenseObj* listener = nullptr;
    ThreadListenerSet* set = nullptr;
};

// Stands in for the hidden window: records what would have been posted.
class RecordingWindow final : public ITimerWindow {
public:
    explicit RecordingWindow(std::vector<Post>& posts) : posts_(posts) {}
    void PostTick(ThreadListenerSet* set) override { posts_.push_back({TM_TICK, nullptr, set}); }
    void PostFire(ITimerSenseObj* listener, ThreadListenerSet* set) override {
        posts_.push_back({TM_FIRE, listener, set});
    }

private:
    std::vector<Post>& posts_;
};

// One thread's set with a recording window, under a period the test sets.
struct SetFixture {
    explicit SetFixture(std::uint32_t period = 100) : tick(period), set(tick) {
        set.AttachWindow(std::make_unique<RecordingWindow>(posts));
    }

    // Dispatches `handledTicks` times and returns the 1-based ticks on which
    // `listener` fired.
    std::vector<int> FireTicks(const ITimerSenseObj* listener, int handledTicks) {
        std::vector<int> fired;
        for (int i = 1; i <= handledTicks; ++i) {
            posts.clear();
            set.Dispatch();
            for (const Post& post : posts) {
                EXPECT_EQ(post.message, TM_FIRE);
                EXPECT_EQ(post.set, &set);
                if (post.listener == listener) {
                    fired.push_back(i);
                }
            }
        }
        return fired;
    }

    std::size_t CountPosts(unsigned int message) const {
        std::size_t n = 0;
        for (const Post& post : posts) {
            n += post.message == message ? 1 : 0;
        }
        return n;
    }

    std::atomic<std::uint32_t> tick;
    std::vector<Post> posts;
    ThreadListenerSet set;
};

struct FireCase {
    std::uint32_t interval;
    std::uint32_t registeredUnder;  // the period when it was added
    std::uint32_t dispatchedUnder;  // the period of the ticks that follow
    std::vector<int> fireTicks;     // over 20 handled ticks
};

std::vector<int> EveryTick(int step = 1) {
    std::vector<int> ticks;
    for (int i = step; i <= 20; i += step) {
        ticks.push_back(i);
    }
    return ticks;
}

}  // namespace

TEST(ThreadListenerSet, FiresOnTheHandledTicksItsIntervalCovers) {
    const FireCase cases[] = {
        {0, 100, 100, EveryTick()},
        {50, 100, 100, EveryTick()},
        {100, 100, 100, EveryTick()},
        {150, 100, 100, {2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20}},
        {250, 100, 100, {3, 5, 8, 10, 13, 15, 18, 20}},
        {1000, 100, 100, EveryTick(10)},
        // Registered while the period was shorter (or the timer stopped): an
        // interval below the period fires on every tick.
        {50, 50, 100, EveryTick()},
        {0, 0, 100, EveryTick()},
        // Raised to the period it was registered under, so it keeps that
        // pace when the period later shrinks.
        {50, 100, 50, EveryTick(2)},
    };
    for (const FireCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "interval " << c.interval << " registered under " << c.registeredUnder
                                        << ", dispatched under " << c.dispatchedUnder);
        SetFixture fixture(c.registeredUnder);
        Listener listener;
        fixture.set.Add(&listener, c.interval);
        fixture.tick = c.dispatchedUnder;
        EXPECT_EQ(fixture.FireTicks(&listener, 20), c.fireTicks);
    }
}

TEST(ThreadListenerSet, ExtremePeriodsAndIntervalsStayInRange) {
    SetFixture fixture;
    Listener longOne;
    Listener shortOne;
    // Beyond what a signed 32-bit countdown holds: capped, not negative, so
    // it does not fire on the first tick.
    fixture.set.Add(&longOne, 4'000'000'000u);
    EXPECT_EQ(fixture.set.entries().front().interval,
              static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()));
    EXPECT_TRUE(fixture.FireTicks(&longOne, 3).empty());

    // A period far above the interval: fires on every tick and the countdown
    // stops at the bottom of its range instead of wrapping round.
    fixture.set.Add(&shortOne, 1000);
    fixture.tick = 3'000'000'000u;
    EXPECT_EQ(fixture.FireTicks(&shortOne, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(fixture.set.entries().back().remaining, std::numeric_limits<std::int32_t>::min());
}

TEST(ThreadListenerSet, RegisteringAgainRestartsTheCountdownAtTheEnd) {
    SetFixture fixture;
    Listener a;
    Listener b;
    fixture.set.Add(&a, 1000);
    fixture.set.Add(&b, 1000);
    EXPECT_TRUE(fixture.FireTicks(&a, 5).empty());

    fixture.set.Add(&a, 500);  // new interval, full countdown, moved behind b
    ASSERT_EQ(fixture.set.count(), 2u);
    EXPECT_EQ(fixture.set.entries().front().listener, &b);
    EXPECT_EQ(fixture.set.entries().back().listener, &a);
    EXPECT_EQ(fixture.set.entries().back().remaining, 500);

    // Both come due on the fifth tick from here, and are posted in list order.
    for (int i = 0; i < 4; ++i) {
        fixture.posts.clear();
        fixture.set.Dispatch();
        EXPECT_TRUE(fixture.posts.empty());
    }
    fixture.posts.clear();
    fixture.set.Dispatch();
    ASSERT_EQ(fixture.posts.size(), 2u);
    EXPECT_EQ(fixture.posts[0].listener, &b);
    EXPECT_EQ(fixture.posts[1].listener, &a);
}

TEST(ThreadListenerSet, NullListenersAndRemovals) {
    SetFixture fixture;
    Listener a;
    Listener b;
    fixture.set.Add(nullptr, 100);
    EXPECT_TRUE(fixture.set.empty());

    fixture.set.Add(&a, 100);
    fixture.set.Add(&b, 100);
    EXPECT_FALSE(fixture.set.Remove(nullptr));
    EXPECT_TRUE(fixture.set.Remove(&a));
    EXPECT_FALSE(fixture.set.Remove(&a));
    EXPECT_FALSE(fixture.set.Holds(&a));
    EXPECT_TRUE(fixture.set.Holds(&b));
    EXPECT_EQ(fixture.FireTicks(&a, 3), std::vector<int>{});
    EXPECT_EQ(fixture.FireTicks(&b, 3), (std::vector<int>{1, 2, 3}));
}

namespace {

// A timer period by period with an owner that handles every TM_TICK at once.
struct PromptOwnerRun {
    std::map<const ITimerSenseObj*, std::vector<int>> fired;  // 1-based periods
    std::vector<int> tickPosts;                               // periods that posted TM_TICK
};

// `beforePeriod(i)` runs on the owner before period i, as its other messages
// would between two periods.
PromptOwnerRun RunWithPromptOwner(SetFixture& fixture, int periods, const std::function<void(int)>& beforePeriod) {
    PromptOwnerRun run;
    std::atomic<std::uint32_t> tickCounter{0};
    for (int i = 1; i <= periods; ++i) {
        if (beforePeriod) {
            beforePeriod(i);
        }
        fixture.posts.clear();
        fixture.set.TickStep(tickCounter);
        if (fixture.CountPosts(TM_TICK) != 0) {
            run.tickPosts.push_back(i);
            fixture.set.OnTickMessage();
        }
        for (const Post& post : fixture.posts) {
            if (post.message == TM_FIRE) {
                run.fired[post.listener].push_back(i);
            }
        }
        EXPECT_FALSE(fixture.set.pending()) << "period " << i;
    }
    return run;
}

}  // namespace

TEST(ThreadListenerSet, APromptOwnerGetsTheSameFiringsFromFewerTicks) {
    struct Case {
        const char* name;
        std::vector<std::uint32_t> intervals;
        int periods;
        std::vector<std::vector<int>> fired;  // per listener, in the order of `intervals`
        std::vector<int> tickPosts;
    };
    const Case cases[] = {
        {"one listener every second", {1000}, 30, {{10, 20, 30}}, {10, 20, 30}},
        {"every period", {100}, 3, {{1, 2, 3}}, {1, 2, 3}},
        {"intervals between periods",
         {150, 250, 1000},
         20,
         {{2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18, 20}, {3, 5, 8, 10, 13, 15, 18, 20}, {10, 20}},
         {2, 3, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 20}},
        {"never due in the run", {5000}, 20, {{}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetFixture fixture;
        std::vector<Listener> listeners(c.intervals.size());
        for (std::size_t i = 0; i < listeners.size(); ++i) {
            fixture.set.Add(&listeners[i], c.intervals[i]);
        }
        const PromptOwnerRun run = RunWithPromptOwner(fixture, c.periods, {});
        for (std::size_t i = 0; i < listeners.size(); ++i) {
            const auto found = run.fired.find(&listeners[i]);
            EXPECT_EQ(found == run.fired.end() ? std::vector<int>{} : found->second, c.fired[i]) << "listener " << i;
        }
        EXPECT_EQ(run.tickPosts, c.tickPosts);
    }
}

TEST(ThreadListenerSet, ListenersAddedOrRemovedBetweenPostsCountOnlyTheirOwnPeriods) {
    SetFixture fixture;
    Listener everySecond;
    Listener joiner;
    Listener restarted;
    fixture.set.Add(&everySecond, 1000);
    fixture.set.Add(&restarted, 1000);
    const PromptOwnerRun run = RunWithPromptOwner(fixture, 30, [&](int period) {
        if (period == 5) {
            fixture.set.Add(&joiner, 300);  // four periods have gone by unposted
        } else if (period == 12) {
            fixture.set.Remove(&joiner);
        } else if (period == 6) {
            fixture.set.Add(&restarted, 1000);  // a full second again from here
        }
    });
    EXPECT_EQ(run.fired.at(&everySecond), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(run.fired.at(&joiner), (std::vector<int>{7, 10}));
    EXPECT_EQ(run.fired.at(&restarted), (std::vector<int>{15, 25}));
    EXPECT_EQ(run.tickPosts, (std::vector<int>{7, 10, 15, 20, 25, 30}));
}

TEST(ThreadListenerSet, AThreadThatHandlesNothingCollectsOnePeriodPerFive) {
    struct Case {
        std::uint32_t interval;
        std::vector<int> postedOn;  // over 20 periods with nothing handled
        std::size_t fires;          // when the owner then handles its queue
        std::int32_t remaining;
    };
    const Case cases[] = {
        // Due on the first period: posted, then every fifth period counts one
        // more, as a queue of one TM_TICK per five would.
        {100, {1}, 4, 100},
        // Periods before the first firing cost no message and all count; once
        // the TM_TICK waits, only every fifth does: 9 + 1 + 2 periods.
        {1000, {10}, 1, 800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.interval);
        SetFixture fixture;
        Listener listener;
        fixture.set.Add(&listener, c.interval);
        std::atomic<std::uint32_t> tickCounter{0};
        std::vector<int> postedOn;
        for (int i = 1; i <= 20; ++i) {
            const std::size_t before = fixture.posts.size();
            fixture.set.TickStep(tickCounter);
            if (fixture.posts.size() != before) {
                postedOn.push_back(i);
            }
        }
        EXPECT_EQ(postedOn, c.postedOn);
        EXPECT_TRUE(fixture.set.pending());

        fixture.posts.clear();
        fixture.set.OnTickMessage();
        EXPECT_EQ(fixture.CountPosts(TM_FIRE), c.fires);
        EXPECT_FALSE(fixture.set.pending());
        EXPECT_EQ(fixture.set.entries().front().remaining, c.remaining);
    }
}

TEST(ThreadListenerSet, AfterABlockedSpellPromptHandlingPostsOnTheDuePeriodsAgain) {
    SetFixture fixture;
    Listener listener;
    fixture.set.Add(&listener, 1000);
    std::atomic<std::uint32_t> tickCounter{0};
    for (int i = 1; i <= 20; ++i) {
        fixture.set.TickStep(tickCounter);
    }
    fixture.set.OnTickMessage();  // 800 ms to go, as above

    std::vector<int> postedOn;
    for (int i = 1; i <= 20; ++i) {
        fixture.posts.clear();
        fixture.set.TickStep(tickCounter);
        if (fixture.CountPosts(TM_TICK) != 0) {
            postedOn.push_back(i);
            fixture.set.OnTickMessage();
        }
    }
    EXPECT_EQ(postedOn, (std::vector<int>{8, 18}));
}

TEST(ThreadListenerSet, WithoutAWindowTheTimersThreadDispatchesAndNothingIsPosted) {
    std::atomic<std::uint32_t> tick{100};
    ThreadListenerSet set(tick);
    Listener listener;
    set.Add(&listener, 200);
    std::atomic<std::uint32_t> tickCounter{0};

    set.TickStep(tickCounter);
    EXPECT_EQ(set.entries().front().remaining, 100);
    set.TickStep(tickCounter);
    EXPECT_EQ(set.entries().front().remaining, 200);  // came due, and restarted
    EXPECT_FALSE(set.pending());
    EXPECT_EQ(tickCounter.load(), 2u);
}
