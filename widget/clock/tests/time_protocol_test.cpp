#include "widget/clock/time_protocol.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TimeProtocol, DecodesOnlyFourBigEndianBytes) {
    EXPECT_EQ(DecodeTimeProtocolReply(std::string("\xD4\x8C\xA5\x80", 4)), 3565987200u);
    EXPECT_EQ(DecodeTimeProtocolReply(std::string("\x00\x00\x00\x01", 4)), 1u);
    EXPECT_EQ(DecodeTimeProtocolReply(std::string("\xFF\xFF\xFF\xFF", 4)), 0xFFFFFFFFu);
    for (std::size_t size : {0, 1, 3, 5}) {
        EXPECT_EQ(DecodeTimeProtocolReply(std::string(size, '\x7F')), std::nullopt) << size << " bytes";
    }
}

// Expected moments worked out with a calendar library, not with the
// protocol's offsets.
struct KnownInstant {
    std::uint32_t seconds1900;
    std::optional<Moment> moment;
    const char* what;
};

TEST(TimeProtocol, KnownInstantsAcrossTheWrapOf2036) {
    const KnownInstant cases[] = {
        {2208988800u, 0, "1970-01-01 00:00:00 UTC"},
        {3565987200u, 1356998400, "2013-01-01 00:00:00 UTC"},
        {3427142400u, 1218153600, "2008-08-08 00:00:00 UTC"},
        {0x80000000u, -61505152, "1968-01-20 03:14:08 UTC, the earliest count before the wrap"},
        {0xFFFFFFFFu, 2085978495, "2036-02-07 06:28:15 UTC, the last count before the wrap"},
        {0u, 2085978496, "2036-02-07 06:28:16 UTC, the count after the wrap"},
        {61505151u, 2147483647, "2038-01-19 03:14:07 UTC, the last a Moment holds"},
        {61505152u, std::nullopt, "one second past what a Moment holds"},
        {0x7FFFFFFFu, std::nullopt, "the last count after the wrap, in 2104"},
    };
    for (const KnownInstant& c : cases) {
        EXPECT_EQ(MomentFromTimeProtocol(c.seconds1900), c.moment) << c.what;
    }
}

TEST(TimeProtocol, ConvertsToChinaTime) {
    // The test programs run with TZ=Asia/Shanghai (UTC+8, no daylight saving).
    const LocalTime expected = {2013, 1, 1, 8, 0, 0, 2};
    EXPECT_EQ(ToLocalTime(MomentFromTimeProtocol(3565987200u).value()), expected);
}

}  // namespace
