#include "site/weather/weather_indices.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kClear = 0;
constexpr std::int32_t kLightRain = 7;
constexpr std::int32_t kLightSnow = 14;
constexpr std::int32_t kFog = 18;
constexpr std::int32_t kFloatingDust = 29;

DayWeather Day(double minTemperature,
               double maxTemperature,
               int force = 2,
               std::int32_t skyCode = kClear,
               std::optional<double> chance = 0.0) {
    return DayWeather{maxTemperature, minTemperature, force, skyCode, chance};
}

TEST(WeatherIndices, DressingFollowsTheMeanTemperature) {
    const struct {
        double min, max;
        std::string_view index;
    } cases[] = {
        {24, 32, "炎热"},     {22, 29.9, "热"},   {20, 28, "热"},     {18, 25.9, "舒适"}, {16, 24, "舒适"},
        {12, 19.9, "较舒适"}, {10, 20, "较舒适"}, {6, 13.9, "冷"},    {6, 14, "较冷"},    {-4, 3.9, "寒冷"},
        {-4, 4, "冷"},        {-10, -2, "寒冷"},  {-40, -30, "寒冷"},
    };
    for (const auto& c : cases) {
        const IndexText dress = DressIndex(Day(c.min, c.max));
        EXPECT_EQ(dress.index, c.index) << c.min << ".." << c.max;
        EXPECT_FALSE(dress.description1.empty());
    }
}

TEST(WeatherIndices, AWideDayRangeAddsAWordOnMorningAndEvening) {
    EXPECT_EQ(DressIndex(Day(10, 19.9)).description2, "");
    EXPECT_EQ(DressIndex(Day(10, 20)).description2, "昼夜温差较大，早晚注意添加衣服。");
}

TEST(WeatherIndices, ComfortIsBestBetween18And25AndWindAddsAWord) {
    const struct {
        double min, max;
        std::string_view index;
    } cases[] = {
        {30, 34, "很不舒适"}, {26, 30, "较不舒适"}, {24, 28, "较舒适"},  {20, 28, "舒适"},   {16, 20, "舒适"},
        {12, 18, "较舒适"},   {0, 10, "较不舒适"},  {-6, 5.9, "不舒适"}, {-10, 0, "不舒适"}, {-12, 0, "很不舒适"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComfortIndex(Day(c.min, c.max)).index, c.index) << c.min << ".." << c.max;
    }
    EXPECT_EQ(ComfortIndex(Day(16, 20, 4)).description2, "");
    EXPECT_EQ(ComfortIndex(Day(16, 20, 5)).description2, "风力较大，外出注意防风。");
}

TEST(WeatherIndices, CatchingAColdGrowsWithRangeColdAndWetOrWindyCoolDays) {
    const struct {
        DayWeather day;
        std::string_view index;
    } cases[] = {
        {Day(15, 22), "少发"},                  // range 7, mild
        {Day(15, 23), "较易发"},                // range 8
        {Day(10, 22), "易发"},                  // range 12
        {Day(0, 9.9), "易发"},                  // range 9.9 and mean below 5
        {Day(2, 7.9), "较易发"},                // mean below 5 only
        {Day(8, 14, 2, kLightRain), "较易发"},  // rain on a cool day
        {Day(8, 14, 5), "较易发"},              // wind on a cool day
        {Day(18, 24, 2, kLightRain), "少发"},   // rain on a warm day
        {Day(-8, 4), "极易发"},                 // range 12 and cold
        {Day(-9, 4, 6, kLightSnow), "极易发"},  // more points than levels
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CatchColdIndex(c.day).index, c.index)
            << c.day.minTemperature << ".." << c.day.maxTemperature << " sky " << c.day.skyCode;
    }
    EXPECT_EQ(CatchColdIndex(Day(15, 22)).description2, "");
    EXPECT_EQ(CatchColdIndex(Day(15, 23)).description2, "昼夜温差较大，体弱者注意增减衣服。");
}

TEST(WeatherIndices, WashingTheCarWantsADryCalmDay) {
    const struct {
        DayWeather day;
        std::string_view index;
    } cases[] = {
        {Day(10, 20, 2, kClear, 0.0), "适宜"},
        {Day(10, 20, 2, kClear, 19.0), "适宜"},
        {Day(10, 20, 2, kClear, 20.0), "较适宜"},
        {Day(10, 20, 4, kClear, 0.0), "较适宜"},
        {Day(10, 20, 2, kClear, std::nullopt), "较适宜"},  // no chance known
        {Day(10, 20, 2, kFog, 0.0), "适宜"},
        {Day(10, 20, 2, kClear, 40.0), "较不宜"},
        {Day(10, 20, 5, kClear, 0.0), "较不宜"},
        {Day(10, 20, 2, kFloatingDust, 0.0), "较不宜"},
        {Day(10, 20, 2, kLightRain, 0.0), "不宜"},
        {Day(-5, 0, 2, kLightSnow, 100.0), "不宜"},
    };
    for (const auto& c : cases) {
        const IndexText wash = WashCarIndex(c.day);
        EXPECT_EQ(wash.index, c.index) << "sky " << c.day.skyCode << " force " << c.day.windForce << " chance "
                                       << c.day.precipitationProbability.value_or(-1);
        EXPECT_FALSE(wash.description1.empty());
    }
}

}  // namespace
