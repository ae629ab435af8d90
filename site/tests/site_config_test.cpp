#include "site/site_config.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kIniPath[] = "/srv/site/tessary-site.ini";

SiteConfig Parsed(const std::string& text) {
    const SiteConfigResult result = ParseSiteConfig(kIniPath, text);
    EXPECT_TRUE(result.config) << result.error;
    return result.config.value_or(SiteConfig{});
}

TEST(SiteConfigTest, AnEmptyFileGivesTheDocumentedDefaults) {
    const SiteConfig config = Parsed("");
    EXPECT_EQ(config.listenAddress, "127.0.0.1");
    EXPECT_EQ(config.port, 8080);
    EXPECT_EQ(config.skinsFolder, "/srv/site/content/skins");
    EXPECT_EQ(config.pagesFolder, "/srv/site/content");
    EXPECT_EQ(config.addressTablePath, "/srv/site/content/address_table.txt");
    EXPECT_EQ(config.holidayTablePath, "/srv/data/holiday.dat");
    EXPECT_EQ(config.forecastUrl, "https://api.open-meteo.com/v1/forecast");
    EXPECT_EQ(config.ratesUrl, "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml");
    EXPECT_EQ(config.upstreamTimeoutSeconds, 15);
    EXPECT_EQ(config.forecastCacheSeconds, 1800);
    EXPECT_EQ(config.ratesCacheSeconds, 21600);
}

// The checked-in file documents every key with its default: reading it must
// change nothing.
TEST(SiteConfigTest, TheCheckedInFileHoldsExactlyTheDefaults) {
    const std::string path = std::string(SUITE_SOURCE_DIR) + "/site/tessary-site.ini";
    const SiteConfigResult checkedIn = LoadSiteConfig(path);
    ASSERT_TRUE(checkedIn.config) << checkedIn.error;
    const SiteConfig defaults = ParseSiteConfig(path, "").config.value();
    EXPECT_EQ(checkedIn.config->listenAddress, defaults.listenAddress);
    EXPECT_EQ(checkedIn.config->port, defaults.port);
    EXPECT_EQ(checkedIn.config->skinsFolder, defaults.skinsFolder);
    EXPECT_EQ(checkedIn.config->pagesFolder, defaults.pagesFolder);
    EXPECT_EQ(checkedIn.config->addressTablePath, defaults.addressTablePath);
    EXPECT_EQ(checkedIn.config->holidayTablePath, defaults.holidayTablePath);
    EXPECT_EQ(checkedIn.config->forecastUrl, defaults.forecastUrl);
    EXPECT_EQ(checkedIn.config->ratesUrl, defaults.ratesUrl);
    EXPECT_EQ(checkedIn.config->upstreamTimeoutSeconds, defaults.upstreamTimeoutSeconds);
    EXPECT_EQ(checkedIn.config->forecastCacheSeconds, defaults.forecastCacheSeconds);
    EXPECT_EQ(checkedIn.config->ratesCacheSeconds, defaults.ratesCacheSeconds);
}

TEST(SiteConfigTest, GivenKeysOverrideAndUnknownOnesAreIgnored) {
    const SiteConfig config = Parsed(
        "[server]\r\naddress = 0.0.0.0\r\nport=0\r\ncolour=blue\r\n"
        "[folders]\r\nskins=/var/skins\r\npages=../pages\r\n"
        "[upstream]\r\nforecast_url=http://127.0.0.1:9/forecast\r\ntimeout_seconds=3\r\n"
        "[cache]\r\nforecast_seconds=0\r\nrates_seconds=86400\r\n"
        "[elsewhere]\r\nport=1\r\n");
    EXPECT_EQ(config.listenAddress, "0.0.0.0");
    EXPECT_EQ(config.port, 0);
    EXPECT_EQ(config.skinsFolder, "/var/skins");  // absolute stays as given
    EXPECT_EQ(config.pagesFolder, "/srv/pages");
    EXPECT_EQ(config.forecastUrl, "http://127.0.0.1:9/forecast");
    EXPECT_EQ(config.ratesUrl, "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml");
    EXPECT_EQ(config.upstreamTimeoutSeconds, 3);
    EXPECT_EQ(config.forecastCacheSeconds, 0);
    EXPECT_EQ(config.ratesCacheSeconds, 86400);
}

TEST(SiteConfigTest, AnEmptyValueTakesTheDefault) {
    const SiteConfig config = Parsed("[server]\nport=\naddress=\n[folders]\nskins=\n");
    EXPECT_EQ(config.port, 8080);
    EXPECT_EQ(config.listenAddress, "127.0.0.1");
    EXPECT_EQ(config.skinsFolder, "/srv/site/content/skins");
}

struct BadValue {
    std::string text;
    std::string named;  // what the message must quote
};

class SiteConfigErrorTest : public testing::TestWithParam<BadValue> {};

TEST_P(SiteConfigErrorTest, AValueOutOfItsRangeIsReportedWithFileKeyAndValue) {
    const SiteConfigResult result = ParseSiteConfig(kIniPath, GetParam().text);
    EXPECT_FALSE(result.config);
    EXPECT_NE(result.error.find(kIniPath), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(GetParam().named), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Values,
    SiteConfigErrorTest,
    testing::Values(BadValue{"[server]\nport=http\n", "[server] port = \"http\""},
                    BadValue{"[server]\nport=65536\n", "[server] port = \"65536\""},
                    BadValue{"[server]\nport=-1\n", "[server] port = \"-1\""},
                    BadValue{"[server]\nport=80 80\n", "[server] port = \"80 80\""},
                    BadValue{"[server]\nport=99999999999999\n", "[server] port"},
                    BadValue{"[upstream]\ntimeout_seconds=0\n", "[upstream] timeout_seconds = \"0\""},
                    BadValue{"[cache]\nforecast_seconds=1.5\n", "[cache] forecast_seconds = \"1.5\""},
                    BadValue{"[cache]\nrates_seconds=86401\n", "[cache] rates_seconds = \"86401\""}));

TEST(SiteConfigTest, AFileThatCannotBeReadIsAnError) {
    const SiteConfigResult result = LoadSiteConfig("/nonexistent/tessary-site.ini");
    EXPECT_FALSE(result.config);
    EXPECT_EQ(result.error, "/nonexistent/tessary-site.ini: cannot be read");
}

}  // namespace
