#include "widget/clock/clock_banner.h"

#include <gtest/gtest.h>

namespace {

const ClockBanner kSlogan = {"同一个世界 同一个梦想", "   动感奥运 魅力北京！"};

ClockBanner Countdown(const std::string& days) {
    return {" 北京2008年奥运会开幕", " 距离2008年8月8日还有" + days + "天"};
}

struct BannerCase {
    LocalTime networkTime;
    ClockBanner expected;
    const char* what;
};

TEST(ClockBanner, CountsWholeDaysBeganUntilTheOpening) {
    const BannerCase cases[] = {
        {{2008, 8, 7, 8, 0, 1}, Countdown("1"), "a second less than a day: just under one day"},
        {{2008, 8, 8, 7, 59, 59}, Countdown("1"), "one second before the opening"},
        {{2008, 8, 8, 7, 59, 1}, Countdown("1"), "59 seconds before: less than a minute is still a day begun"},
        {{2008, 8, 1, 7, 59, 30}, Countdown("8"), "seven days and half a minute"},
        {{2008, 7, 8, 8, 0, 1}, Countdown("31"), "just under 31 days"},
        {{2008, 7, 8, 7, 59, 59}, Countdown("32"), "just over 31 days"},
        {{2007, 12, 31, 23, 59, 59}, Countdown("221"), "across the new year"},
        {{2000, 1, 1, 0, 0, 0}, Countdown("3143"), "3142 days and 8 hours, across leap years"},
        {{2008, 7, 8, 8, 0, 0}, kSlogan, "exactly 31 days"},
        {{2008, 8, 8, 8, 0, 0}, kSlogan, "the opening itself"},
        {{2008, 8, 8, 8, 0, 1}, kSlogan, "one second after the opening"},
        {{2008, 8, 8, 20, 0, 0}, kSlogan, "half a day after the opening"},
        {{2008, 8, 9, 7, 0, 0}, kSlogan, "23 hours after the opening"},
        {{2013, 1, 1, 8, 0, 0}, kSlogan, "years later"},
    };
    for (const BannerCase& c : cases) {
        EXPECT_EQ(BannerFor(c.networkTime), c.expected) << c.what;
    }
}

TEST(ClockBanner, WithoutNetworkTimeShowsTheSlogan) {
    EXPECT_EQ(BannerFor(std::nullopt), kSlogan);
}

}  // namespace
