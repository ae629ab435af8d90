#include "common/local_time.h"

#include <gtest/gtest.h>

// The tests run in China Standard Time (UTC+8, no daylight saving).
TEST(LocalTime, ConvertsBothWaysInChinaTime) {
    struct Case {
        Moment moment;
        LocalTime local;
    };
    const Case cases[] = {
        {0, {1970, 1, 1, 8, 0, 0, 4}},
        {1709600820, {2024, 3, 5, 9, 7, 0, 2}},  // 2024-03-05 09:07:00, a Tuesday
        {951782400, {2000, 2, 29, 8, 0, 0, 2}},
        {2147483647, {2038, 1, 19, 11, 14, 7, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToLocalTime(c.moment), c.local) << c.moment;
        EXPECT_EQ(FromLocalTime(c.local), c.moment) << c.moment;
    }
}

TEST(LocalTime, OutOfRangeFieldsCarryAndHugeYearsClamp) {
    EXPECT_EQ(FromLocalTime({2024, 3, 5, 9, 67, 0, 0}), FromLocalTime({2024, 3, 5, 10, 7, 0, 0}));
    EXPECT_EQ(FromLocalTime({2024, 2, 30, 0, 0, 0, 0}), FromLocalTime({2024, 3, 1, 0, 0, 0, 0}));
    EXPECT_EQ(FromLocalTime({3000, 1, 1, 0, 0, 0, 0}), 2147483647);
    EXPECT_EQ(FromLocalTime({9999, 1, 1, 0, 0, 0, 0}), 2147483647);
    EXPECT_EQ(FromLocalTime({1800, 1, 1, 0, 0, 0, 0}), -2147483647 - 1);
}

TEST(LocalTime, FakeClockAdvancesTimeAndTicks) {
    FakeClock clock(1000, 0xFFFFFC18u);  // 1000 ms before the tick count wraps
    clock.Advance(2);
    EXPECT_EQ(clock.Now(), 1002);
    EXPECT_EQ(clock.TickCount(), 1000u);
}
