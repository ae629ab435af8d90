#include "widget/weather/feed_time.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tests run in China time (UTC+8); moments worked out by hand from it.
constexpr Moment kAugust5th0630 = 1217889000;  // 2008-08-05 06:30:00
constexpr Moment kAugust5th0000 = 1217865600;  // 2008-08-05 00:00:00
constexpr Moment kNow = 1325347200;            // 2012-01-01 00:00:00, what a refused text gives

struct Case {
    const char* text;
    Moment expected;
};

TEST(FeedTime, MailStyleDatesAreLocalTimeWhateverTheirZone) {
    const Case cases[] = {
        {"Tue, 05 Aug 2008 06:30:00 GMT", kAugust5th0630},
        {"tue, 05 aug 2008 06:30:00 gmt", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 UT", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 PDT", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 EST", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 MDT", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 -0800", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30:00 +0800", kAugust5th0630},
        {"  Tue,  5 Aug 2008 6:30:00  ", kAugust5th0630},
        {"Tue, 05 Aug 2008 06:30", kAugust5th0630},
        {"Tue, 05 Aug 08 06:30:00 GMT", kAugust5th0630},
        {"Tue, 05 Aug 2008", kAugust5th0000},
        {"05 Aug, 2008 06:30:00", kNow},           // the comma leaves "05," no day
        {"Thu, 05 Aug 06:30:00 GMT", 1091658600},  // 2004-08-05 06:30:00: no year counts as 2004
        {"Fri, 29 Feb 2008 23:59:59 GMT", 1204300799},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFeedTime(c.text, kNow), c.expected) << '"' << c.text << '"';
    }
}

TEST(FeedTime, MailStyleWithoutAMonthOrWithGarbageIsRefused) {
    const char* texts[] = {
        "Tue, 05 2008 06:30:00 GMT",  // no month
        ",",
        "Tue, Aug",                       // no day
        "Tue, 32 Aug 2008 06:30:00 GMT",  // out of range: never carried into the next field
        "Fri, 30 Feb 2008 06:30:00 GMT",
        "Tue, 05 Aug 2008 24:00:00 GMT",
        "Tue, 05 Aug 2008 06:60:00 GMT",
        "Tue, 05 Aug 2008 06:30:61 GMT",
        "Tue, 00 Aug 2008 06:30:00 GMT",
        "Tue, 05 Aug 2008 06:30:00:00",
        "Tue, 05 Aug 2008 06::30",
        "Tue, 05 Aug 2008 -6:30:00",
        "Tue, 05 Aug 2008 06:30:00 CST",  // a zone it does not know is no number
        "Tue, 05 Aug 2008 06:30:00 -08",
        "Tue, 5x Aug 2008 06:30:00",
        "Tue, 05 Aug 99999999999999999999 06:30:00",
        "Tue, 05 Aug 2100 06:30:00",  // beyond what a moment holds
        "Tue, 05 Aug 1800 06:30:00",
    };
    for (const char* text : texts) {
        EXPECT_EQ(ParseFeedTime(text, kNow), kNow) << '"' << text << '"';
    }
}

TEST(FeedTime, NumericDatesWithChineseOrAsciiSeparators) {
    const Case cases[] = {
        {"2008年8月5日 6:30:00", kAugust5th0630},
        {"2008年08月05日 06:30:00", kAugust5th0630},
        {"2008-08-05 06:30:00", kAugust5th0630},
        {" 2008-8-5  6:30:0 ", kAugust5th0630},
        {"2008-02-29 23:59:59", 1204300799},
        {"2037-12-31 23:59:59", 2145887999},
        {"2008-08-05T06:30:00", kNow},  // no space
        {"", kNow},
        {"2008-08-05 06:30", kNow},  // five numbers
        {"2008-08-05 06:30:00 08", kNow},
        {"0-08-05 06:30:00", kNow},
        {"2008-00-05 06:30:00", kNow},
        {"2008-08-00 06:30:00", kNow},
        {"2008-13-05 06:30:00", kNow},
        {"2007-02-29 06:30:00", kNow},
        {"2008-08-05 25:30:00", kNow},
        {"2008/08/05 06:30:00", kNow},
        {"2008-08-05 06:30:00.5", kNow},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseFeedTime(c.text, kNow), c.expected) << '"' << c.text << '"';
    }
}

// Only 年, 月 and 日 among the GBK characters separate; any other character,
// or a lead byte cut off at the end, leaves no number.
TEST(FeedTime, OtherGbkCharactersAreNoSeparators) {
    const char* texts[] = {"2008啊8月5日 6:30:00", "2008年8月5号 6:30:00", "2008年8月5日 6:30:00\xC4"};
    for (const char* text : texts) {
        EXPECT_EQ(ParseFeedTime(text, kNow), kNow) << '"' << text << '"';
    }
}

}  // namespace
