#include "common/host_address.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* text;
    std::optional<HostAddress> expected;
};

// The default port is the caller's: each setting names its own service.
TEST(HostAddress, APortlessTextTakesTheCallersDefaultPort) {
    const Case cases[] = {
        {"weather.example.com", HostAddress{"weather.example.com", 8080}},
        {" [::1]\t", HostAddress{"::1", 8080}},
        {"weather.example.com:80", HostAddress{"weather.example.com", 80}},
        {"[fe80::1]:1", HostAddress{"fe80::1", 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseHostAddress(c.text, 8080), c.expected) << '"' << c.text << '"';
    }
}

TEST(HostAddress, RefusesWhatIsNoHostOrPort) {
    const char* texts[] = {
        "",       "host:", "host:0",      "host:65536", "host:1:2", "[::1]x", "[::1]:",
        "[g::1]", "[::1",  "http://host", "a b",        ":80",      "[]",     "\xB1\xB1\xBE\xA9",
    };
    for (const char* text : texts) {
        EXPECT_EQ(ParseHostAddress(text, 80), std::nullopt) << '"' << text << '"';
    }
}

TEST(HostAddress, HostLengthIsBoundedInBothForms) {
    const std::string longest(kMaxHostNameLength, 'a');
    EXPECT_EQ(ParseHostAddress(longest, 80), (HostAddress{longest, 80}));
    EXPECT_EQ(ParseHostAddress(longest + "a:80", 80), std::nullopt);
    EXPECT_EQ(ParseHostAddress("[" + std::string(kMaxHostNameLength + 1, '1') + "]", 80), std::nullopt);
}

}  // namespace
