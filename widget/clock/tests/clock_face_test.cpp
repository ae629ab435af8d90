#include "widget/clock/clock_face.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockFace, PlacesHourAndMinuteTiles) {
    const ClockFace face = ComposeClockFace({2008, 8, 8, 20, 5, 59}, true, std::nullopt);
    const std::array<DigitTile, 4> expected = {{{6, 40}, {26, 0}, {66, 0}, {86, 100}}};
    EXPECT_EQ(face.digits, expected);
    EXPECT_TRUE(face.colonShown);
}

TEST(ClockFace, MidnightAndTheLastMinuteOfTheDay) {
    const std::array<DigitTile, 4> midnight = {{{6, 0}, {26, 0}, {66, 0}, {86, 0}}};
    EXPECT_EQ(ComposeClockFace({2009, 2, 1, 0, 0, 0}, false, std::nullopt).digits, midnight);
    const std::array<DigitTile, 4> last = {{{6, 40}, {26, 60}, {66, 100}, {86, 180}}};
    EXPECT_EQ(ComposeClockFace({2009, 2, 1, 23, 59, 59}, false, std::nullopt).digits, last);
}

struct DateCase {
    LocalTime now;
    const char* weekday;
    const char* date;
};

TEST(ClockFace, WeekdayAndDateComeFromTheDate) {
    // The weekday field is left at 0 (Sunday) on purpose: the face must not
    // trust it.
    const DateCase cases[] = {
        {{2008, 8, 8, 12, 0, 0}, "星期五", "2008-08-08"},   {{2009, 2, 1, 12, 0, 0}, "星期日", "2009-02-01"},
        {{2008, 12, 27, 12, 0, 0}, "星期六", "2008-12-27"}, {{2012, 2, 29, 12, 0, 0}, "星期三", "2012-02-29"},
        {{2013, 11, 18, 12, 0, 0}, "星期一", "2013-11-18"},
    };
    for (const DateCase& c : cases) {
        const ClockFace face = ComposeClockFace(c.now, true, std::nullopt);
        EXPECT_EQ(face.weekday, c.weekday) << c.date;
        EXPECT_EQ(face.date, c.date);
    }
}

TEST(ClockFace, BannerCountsFromTheNetworkTimeNotTheClock) {
    // The computer's clock says the games are long over; the server says
    // one day is left.
    const ClockFace face = ComposeClockFace({2013, 1, 1, 8, 0, 0}, true, LocalTime{2008, 8, 7, 8, 0, 1});
    EXPECT_EQ(face.banner.secondLine, " 距离2008年8月8日还有1天");
}

TEST(ClockFace, ColonShowsAtEveryOtherRedraw) {
    ColonPhase phase;
    for (int redraw = 0; redraw < 6; ++redraw) {
        EXPECT_EQ(phase.Next(), redraw % 2 == 0) << "redraw " << redraw;
    }
}

}  // namespace
