#include "site/weather/sky_codes.h"

#include <array>

namespace {

// The feed's sky codes, indexed by code: China's national weather-phenomenon
// codes 0-31. 21-25 and 26-28 are the "A to B" ranges of rain and snow.
constexpr std::array<std::string_view, 32> kSkyCodeNames = {
    "晴",           "多云",
    "阴",           "阵雨",
    "雷阵雨",       "雷阵雨伴有冰雹",
    "雨夹雪",       "小雨",
    "中雨",         "大雨",
    "暴雨",         "大暴雨",
    "特大暴雨",     "阵雪",
    "小雪",         "中雪",
    "大雪",         "暴雪",
    "雾",           "冻雨",
    "沙尘暴",       "小到中雨",
    "中到大雨",     "大到暴雨",
    "暴雨到大暴雨", "大暴雨到特大暴雨",
    "小到中雪",     "中到大雪",
    "大到暴雪",     "浮尘",
    "扬沙",         "强沙尘暴",
};

constexpr std::int32_t kClear = 0;
constexpr std::int32_t kCloudy = 1;
constexpr std::int32_t kOvercast = 2;
constexpr std::int32_t kShower = 3;
constexpr std::int32_t kThundershower = 4;
constexpr std::int32_t kThundershowerWithHail = 5;
constexpr std::int32_t kLightRain = 7;
constexpr std::int32_t kModerateRain = 8;
constexpr std::int32_t kHeavyRain = 9;
constexpr std::int32_t kStorm = 10;
constexpr std::int32_t kSnowShower = 13;
constexpr std::int32_t kLightSnow = 14;
constexpr std::int32_t kModerateSnow = 15;
constexpr std::int32_t kHeavySnow = 16;
constexpr std::int32_t kBlizzard = 17;
constexpr std::int32_t kFog = 18;
constexpr std::int32_t kFreezingRain = 19;
constexpr std::int32_t kLightToModerateRain = 21;
constexpr std::int32_t kHeavyToBlizzardSnow = 28;

struct WmoSky {
    int wmoCode;
    std::int32_t skyCode;
};
// Every WMO weather code the forecast service documents, in its order, with
// the nearest feed sky code. Drizzle of any strength is light rain; freezing
// drizzle and freezing rain are 冻雨; snow grains count as light snow;
// violent rain showers are 暴雨.
constexpr WmoSky kWmoSkies[] = {
    {0, kClear},
    {1, kClear},
    {2, kCloudy},
    {3, kOvercast},
    {45, kFog},
    {48, kFog},
    {51, kLightRain},
    {53, kLightRain},
    {55, kLightRain},
    {56, kFreezingRain},
    {57, kFreezingRain},
    {61, kLightRain},
    {63, kModerateRain},
    {65, kHeavyRain},
    {66, kFreezingRain},
    {67, kFreezingRain},
    {71, kLightSnow},
    {73, kModerateSnow},
    {75, kHeavySnow},
    {77, kLightSnow},
    {80, kShower},
    {81, kShower},
    {82, kStorm},
    {85, kSnowShower},
    {86, kSnowShower},
    {95, kThundershower},
    {96, kThundershowerWithHail},
    {99, kThundershowerWithHail},
};

}  // namespace

std::string_view SkyCodeName(std::int32_t skyCode) {
    if (skyCode < 0 || skyCode >= static_cast<std::int32_t>(kSkyCodeNames.size())) {
        return {};
    }
    return kSkyCodeNames[static_cast<std::size_t>(skyCode)];
}

bool IsPrecipitationSkyCode(std::int32_t skyCode) {
    return (skyCode >= kShower && skyCode <= kBlizzard) || skyCode == kFreezingRain ||
           (skyCode >= kLightToModerateRain && skyCode <= kHeavyToBlizzardSnow);
}

std::optional<std::int32_t> SkyCodeOfWmoCode(int wmoCode) {
    for (const WmoSky& row : kWmoSkies) {
        if (row.wmoCode == wmoCode) {
            return row.skyCode;
        }
    }
    return std::nullopt;
}
