#include "site/weather/address_table.h"

#include <gtest/gtest.h>

namespace {

TEST(AddressTable, AddressesReadInDottedDecimalAndTheMappedForm) {
    const struct {
        std::string_view text;
        std::optional<std::uint32_t> address;
    } cases[] = {
        {"0.0.0.0", 0u},
        {"1.2.3.4", 0x01020304u},
        {"255.255.255.255", 0xFFFFFFFFu},
        {"192.168.001.010", 0xC0A8010Au},
        {"::ffff:10.0.0.1", 0x0A000001u},
        {"", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1.2.3.4.5", std::nullopt},
        {"1.2.3.256", std::nullopt},
        {"1.2..4", std::nullopt},
        {"1.2.3.4 ", std::nullopt},
        {" 1.2.3.4", std::nullopt},
        {"-1.2.3.4", std::nullopt},
        {"1.2.3.0004", std::nullopt},
        {"0x1.2.3.4", std::nullopt},
        {"::1", std::nullopt},
        {"2001:db8::1", std::nullopt},
        {"::ffff:", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIpv4Address(c.text), c.address) << c.text;
    }
}

TEST(AddressTable, TheMostSpecificNetworkPlacesAnAddress) {
    const AddressTable table = AddressTable::Parse(
        "# operator's table\n"
        "0.0.0.0/0 北京 北京\n"
        "10.0.0.0/8\t广东\t广州\n"
        "10.1.0.0/16 浙江 杭州市   # the office\r\n"
        "10.1.2.3/32 上海 上海\n"
        "10.1.0.0/16 江苏 南京\n"
        "172.16.5.77/12 四川 成都\n");
    EXPECT_EQ(table.size(), 6u);
    const struct {
        std::string_view address;
        AddressPlace place;
    } cases[] = {
        {"8.8.8.8", {"北京", "北京"}},                                           // only /0 holds it
        {"10.200.0.1", {"广东", "广州"}},     {"10.1.9.9", {"浙江", "杭州市"}},  // the first of two equal networks
        {"10.1.2.3", {"上海", "上海"}},       {"10.1.2.4", {"浙江", "杭州市"}},
        {"172.31.255.255", {"四川", "成都"}},  // host bits of the line are ignored
        {"172.32.0.0", {"北京", "北京"}},
    };
    for (const auto& c : cases) {
        const std::optional<AddressPlace> place = table.Find(*ParseIpv4Address(c.address));
        ASSERT_TRUE(place.has_value()) << c.address;
        EXPECT_EQ(*place, c.place) << c.address;
    }
}

TEST(AddressTable, WithoutACatchAllAnUnlistedAddressIsNotPlaced) {
    const AddressTable table = AddressTable::Parse("10.0.0.0/8 广东 广州\n");
    EXPECT_FALSE(table.Find(0x0B000000u).has_value());
    EXPECT_FALSE(AddressTable::Parse("").Find(0).has_value());
}

TEST(AddressTable, LinesThatDoNotReadAsANetworkAndAPlaceAreSkipped) {
    for (const std::string_view line : {
             "10.0.0.0/33 广东 广州",
             "10.0.0.0/-1 广东 广州",
             "10.0.0.0/ 广东 广州",
             "10.0.0.0 广东 广州",
             "10.0.0/8 广东 广州",
             "10.0.0.256/8 广东 广州",
             "10.0.0.0/8 广东",
             "10.0.0.0/8",
             "10.0.0.0/8 广东 广州 天河",
             "10.0.0.0/8 广东 广<州",
             "10.0.0.0/8 广&东 广州",
             "10.0.0.0/8 广东 </city>",
             "# 10.0.0.0/8 广东 广州",
             "   ",
         }) {
        const AddressTable table = AddressTable::Parse(std::string(line) + "\n");
        EXPECT_EQ(table.size(), 0u) << line;
    }
    // A bad line does not disturb the next one, nor does a missing last newline.
    const AddressTable table = AddressTable::Parse("10.0.0.0/99 广东 广州\n10.0.0.0/8 广东 广州");
    EXPECT_EQ(table.size(), 1u);
}

}  // namespace
