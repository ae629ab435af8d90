#include "site/weather/sky_codes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "widget/weather/weather_section.h"

namespace {

struct WmoCase {
    int wmoCode;
    std::int32_t skyCode;
    std::string_view name;
};

// Every code of the forecast service's weather-code list, with the sky the
// section should show.
constexpr WmoCase kWmoCases[] = {
    {0, 0, "晴"},
    {1, 0, "晴"},
    {2, 1, "多云"},
    {3, 2, "阴"},
    {45, 18, "雾"},
    {48, 18, "雾"},
    {51, 7, "小雨"},
    {53, 7, "小雨"},
    {55, 7, "小雨"},
    {56, 19, "冻雨"},
    {57, 19, "冻雨"},
    {61, 7, "小雨"},
    {63, 8, "中雨"},
    {65, 9, "大雨"},
    {66, 19, "冻雨"},
    {67, 19, "冻雨"},
    {71, 14, "小雪"},
    {73, 15, "中雪"},
    {75, 16, "大雪"},
    {77, 14, "小雪"},
    {80, 3, "阵雨"},
    {81, 3, "阵雨"},
    {82, 10, "暴雨"},
    {85, 13, "阵雪"},
    {86, 13, "阵雪"},
    {95, 4, "雷阵雨"},
    {96, 5, "雷阵雨伴有冰雹"},
    {99, 5, "雷阵雨伴有冰雹"},
};

TEST(SkyCodes, EveryDocumentedWeatherCodeHasASkyWithANameAndATile) {
    for (const WmoCase& c : kWmoCases) {
        const std::optional<std::int32_t> sky = SkyCodeOfWmoCode(c.wmoCode);
        ASSERT_TRUE(sky.has_value()) << c.wmoCode;
        EXPECT_EQ(*sky, c.skyCode) << c.wmoCode;
        EXPECT_EQ(SkyCodeName(*sky), c.name) << c.wmoCode;
        EXPECT_TRUE(SmallSkyTile(*sky).has_value()) << c.wmoCode;
        EXPECT_TRUE(LargeSkyTile(*sky).has_value()) << c.wmoCode;
    }
}

TEST(SkyCodes, UndocumentedWeatherCodesHaveNoSky) {
    for (const int code : {-1, 4, 5, 10, 44, 50, 60, 70, 79, 90, 98, 100}) {
        EXPECT_FALSE(SkyCodeOfWmoCode(code).has_value()) << code;
    }
}

TEST(SkyCodes, TheThirtyTwoCodesHaveDistinctNamesAndNoOtherCodeHasOne) {
    std::set<std::string_view> names;
    for (std::int32_t code = 0; code < 32; ++code) {
        EXPECT_FALSE(SkyCodeName(code).empty()) << code;
        names.insert(SkyCodeName(code));
    }
    EXPECT_EQ(names.size(), 32u);
    EXPECT_EQ(SkyCodeName(-1), "");
    EXPECT_EQ(SkyCodeName(32), "");
    // The ranges whose tiles repeat those of single rains and snows.
    EXPECT_EQ(SkyCodeName(21), "小到中雨");
    EXPECT_EQ(SkyCodeName(25), "大暴雨到特大暴雨");
    EXPECT_EQ(SkyCodeName(26), "小到中雪");
    EXPECT_EQ(SkyCodeName(31), "强沙尘暴");
}

TEST(SkyCodes, PrecipitationIsRainSnowAndSleetButNotFogDustOrCloud) {
    for (const std::int32_t wet : {3, 4, 5, 6, 7, 12, 13, 17, 19, 21, 28}) {
        EXPECT_TRUE(IsPrecipitationSkyCode(wet)) << wet;
    }
    for (const std::int32_t dry : {-1, 0, 1, 2, 18, 20, 29, 30, 31, 32}) {
        EXPECT_FALSE(IsPrecipitationSkyCode(dry)) << dry;
    }
}

}  // namespace
