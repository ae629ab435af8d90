#include "widget/weather/weather_service_address.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/path_util.h"

namespace {

// A settings file in a folder of its own.
class WeatherServiceSettings : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("weather_address_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        path_ = JoinPath(folder_.string(), "network.ini");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void Write(const std::string& contents) const { std::ofstream(path_, std::ios::binary) << contents; }

    std::filesystem::path folder_;
    std::string path_;
};

TEST_F(WeatherServiceSettings, ReadsTheWeatherValueOfTheHostsSection) {
    struct Case {
        const char* contents;
        WeatherServiceAddress expected;
    };
    const Case cases[] = {
        {"[hosts]\r\ntimeserver=127.0.0.1:3037\r\nweather=feed.example.org\r\n", {"feed.example.org", 80}},
        {"[hosts]\r\nweather = 127.0.0.1:8080\r\n", {"127.0.0.1", 8080}},
        {"[HOSTS]\r\nWeather=[::1]:8081\r\n", {"::1", 8081}},
        {"[hosts]\r\nweather=[::1]\r\n", {"::1", 80}},
    };
    for (const Case& c : cases) {
        Write(c.contents);
        EXPECT_EQ(ReadWeatherServiceAddress(path_), c.expected) << c.contents;
    }
}

TEST_F(WeatherServiceSettings, WithoutAUsableValueTheMakersFeed) {
    const WeatherServiceAddress fallback{"weather.zellum.com", 80};
    const char* files[] = {
        "",
        "[hosts]\r\ntimeserver=127.0.0.1:3037\r\n",
        "[hosts]\r\nweather=\r\n",
        "[hosts]\r\nweather=feed.example.org:0\r\n",
        "[hosts]\r\nweather=http://feed.example.org/\r\n",
        "[other]\r\nweather=feed.example.org\r\n",
    };
    for (const char* contents : files) {
        Write(contents);
        EXPECT_EQ(ReadWeatherServiceAddress(path_), fallback) << contents;
    }
}

TEST_F(WeatherServiceSettings, AMissingFileGivesTheDefaultAndIsNotCreated) {
    EXPECT_EQ(ReadWeatherServiceAddress(path_), WeatherServiceAddress{});
    EXPECT_FALSE(std::filesystem::exists(path_));
}

}  // namespace
