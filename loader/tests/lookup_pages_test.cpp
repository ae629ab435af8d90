// The lookup windows' pages: title suffixes, paths and addresses by name.

#include "loader/lookup_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LookupPages, EachNameGivesItsSuffixAndAddress) {
    struct Case {
        std::string name;
        std::string suffix;  // GBK bytes, spelled out
        std::string address;
    } const cases[] = {
        {"wannianli", "\xA3\xAD\xCD\xF2\xC4\xEA\xC0\xFA", "http://site.test/software/lookup.asp?id=wannianli"},
        {"huilv", "\xA3\xAD\xBD\xF1\xC8\xD5\xBB\xE3\xC2\xCA", "http://site.test/software/lookup.asp?id=huilv"},
        // Names compare exactly: anything else is the site's root page.
        {"", "", "http://site.test/"},
        {"Huilv", "", "http://site.test/"},
        {"wannianli ", "", "http://site.test/"},
        {"id=huilv", "", "http://site.test/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookupPageFor(c.name).titleSuffix, c.suffix) << c.name;
        EXPECT_EQ(LookupAddress("site.test", c.name), c.address) << c.name;
    }
}

TEST(LookupPages, AddressKeepsThePortOfTheSite) {
    EXPECT_EQ(LookupAddress("127.0.0.1:8080", kExchangeRatesLookup),
              "http://127.0.0.1:8080/software/lookup.asp?id=huilv");
}

TEST(LookupPages, OnlyTheTwoLookupKindsHaveAName) {
    struct Case {
        ToolWindowKind kind;
        std::string name;
    } const cases[] = {
        {ToolWindowKind::kShutdown, ""},
        {ToolWindowKind::kTimeSync, ""},
        {ToolWindowKind::kSkins, ""},
        {ToolWindowKind::kWannianli, "wannianli"},
        {ToolWindowKind::kExchangeRates, "huilv"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookupNameFor(c.kind), c.name) << static_cast<int>(c.kind);
    }
}

}  // namespace
