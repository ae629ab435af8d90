// RFC 1123 build times.

#include "loader/http_date.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpDate, ReadsTheFieldsOfValidDates) {
    struct Case {
        const char* text;
        int year, month, day, hour, minute, second;
    } const cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 1994, 11, 6, 8, 49, 37},
        {"  Fri, 08 Aug 2008 20:08:00 GMT\r\n", 2008, 8, 8, 20, 8, 0},
        {"Thu, 29 Feb 2024 23:59:59 GMT", 2024, 2, 29, 23, 59, 59},
        {"06 Nov 1994 08:49:37 GMT", 1994, 11, 6, 8, 49, 37},  // no day name
        {"sun, 6 nov 1994 08:49:37 gmt", 1994, 11, 6, 8, 49, 37},
        {"Sun, 06 Nov 1994 08:49:37", 1994, 11, 6, 8, 49, 37},  // no zone
        {"Sun, 06 Dec 1994 00:00:00 UTC", 1994, 12, 6, 0, 0, 0},
    };
    for (const Case& c : cases) {
        std::optional<LocalTime> date = ParseHttpDate(c.text);
        ASSERT_TRUE(date.has_value()) << c.text;
        EXPECT_EQ(date->year, c.year) << c.text;
        EXPECT_EQ(date->month, c.month) << c.text;
        EXPECT_EQ(date->day, c.day) << c.text;
        EXPECT_EQ(date->hour, c.hour) << c.text;
        EXPECT_EQ(date->minute, c.minute) << c.text;
        EXPECT_EQ(date->second, c.second) << c.text;
    }
}

TEST(HttpDate, RefusesOtherTextsAndImpossibleFields) {
    for (const char* text : {
             "",
             "2008-08-08",
             "Sunday, 06-Nov-94 08:49:37 GMT",  // RFC 850
             "Sun Nov  6 08:49:37 1994",        // asctime
             "Sun 06 Nov 1994 08:49:37 GMT",    // no comma after the day name
             "Sun, 06 Nov 94 08:49:37 GMT",     // two-digit year
             "Sun, 06 Nov 1994 08:49 GMT",
             "Sun, 06 Nov 1994 8:49:37 GMT",
             "Sun, 06 Nov 1994 08:49:37 CST",
             "Sun, 06 Nov 1994 08:49:37 GMT extra",
             "Sun, 29 Feb 2023 08:49:37 GMT",
             "Sun, 31 Apr 2023 08:49:37 GMT",
             "Sun, 00 Nov 1994 08:49:37 GMT",
             "Sun, 06 Nov 1994 24:00:00 GMT",
             "Sun, 06 Nov 1994 23:60:00 GMT",
             "Sun, 06 Nov 1994 23:59:60 GMT",
             "Sun, 06 Nox 1994 08:49:37 GMT",
             "Sun, 123 Nov 1994 08:49:37 GMT",
         }) {
        EXPECT_FALSE(ParseHttpDate(text).has_value()) << text;
        EXPECT_EQ(BuildTimeFromHttpDate(text), 0) << text;
    }
}

TEST(HttpDate, BuildTimeTakesTheFieldsAsLocalTime) {
    // Tests run in China time (UTC+8), so 08:49:37 is 00:49:37 UTC.
    EXPECT_EQ(BuildTimeFromHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), 784082977);
}

}  // namespace
