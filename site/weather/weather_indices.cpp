#include "site/weather/weather_indices.h"

#include <algorithm>
#include <array>
#include <span>

#include "site/weather/sky_codes.h"

namespace {

double MeanTemperature(const DayWeather& day) {
    return (day.maxTemperature + day.minTemperature) / 2.0;
}

double TemperatureRange(const DayWeather& day) {
    return day.maxTemperature - day.minTemperature;
}

struct TemperatureBand {
    double lowest;  // the band holds means from here up to the band before it
    std::string_view index;
    std::string_view description;
};

// The dressing index, warmest band first; the last band takes every mean.
constexpr std::array<TemperatureBand, 7> kDressBands = {{
    {28, "炎热", "天气炎热，建议着短衫、短裙、短裤、薄型T恤衫等清凉夏季服装。"},
    {24, "热", "天气热，建议着短裙、短裤、短薄外套、T恤等夏季服装。"},
    {20, "舒适", "建议着长袖T恤、衬衫加单裤等服装。"},
    {15, "较舒适", "建议着薄外套、开衫牛仔衫裤等服装。"},
    {10, "较冷", "建议着厚外套加毛衣等服装。"},
    {0, "冷", "天气冷，建议着棉服、羽绒服、皮夹克加羊毛衫等冬季服装。"},
    {-1000, "寒冷", "天气寒冷，建议着厚羽绒服、毛皮大衣加厚毛衣等隆冬服装。"},
}};

// The comfort index, warmest band first; the last band takes every mean.
constexpr std::array<TemperatureBand, 8> kComfortBands = {{
    {32, "很不舒适", "天气炎热，您会感到很不舒适，注意防暑降温。"},
    {28, "较不舒适", "天气较热，您会感到有些闷热。"},
    {25, "较舒适", "白天稍热，您会感觉比较舒适。"},
    {18, "舒适", "不冷不热，您会感到很舒适。"},
    {13, "较舒适", "早晚偏凉，您会感觉比较舒适。"},
    {5, "较不舒适", "天气偏凉，您会感到有些凉意。"},
    {-5, "不舒适", "天气寒冷，您会感到不舒适，注意保暖。"},
    {-1000, "很不舒适", "天气严寒，您会感到很不舒适，注意防寒保暖。"},
}};

// The catch-cold index by its points (0, 1, 2, 3 or more).
constexpr std::array<IndexText, 4> kCatchColdLevels = {{
    {"少发", "各项气象条件适宜，发生感冒机率较低。", ""},
    {"较易发", "天气变化较明显，较易发生感冒，请适当增减衣服。", ""},
    {"易发", "天气条件易诱发感冒，请注意防寒保暖。", ""},
    {"极易发", "天气条件极易诱发感冒，请注意防寒保暖，体弱者尽量减少外出。", ""},
}};

constexpr double kWideRange = 10;
constexpr double kColdRangeStep1 = 8;
constexpr double kColdRangeStep2 = 12;
constexpr double kColdMean = 5;
constexpr double kCoolMean = 15;
constexpr int kWindyForce = 5;
constexpr int kBreezyForce = 4;
constexpr double kLikelyRainPercent = 40;
constexpr double kPossibleRainPercent = 20;
constexpr std::int32_t kSandstorm = 20;
constexpr std::int32_t kFloatingDust = 29;
constexpr std::int32_t kStrongSandstorm = 31;

const TemperatureBand& BandOf(std::span<const TemperatureBand> bands, double mean) {
    for (const TemperatureBand& band : bands) {
        if (mean >= band.lowest) {
            return band;
        }
    }
    return bands.back();
}

bool IsDusty(std::int32_t skyCode) {
    return skyCode == kSandstorm || (skyCode >= kFloatingDust && skyCode <= kStrongSandstorm);
}

}  // namespace

IndexText DressIndex(const DayWeather& day) {
    const TemperatureBand& band = BandOf(kDressBands, MeanTemperature(day));
    const std::string_view note = TemperatureRange(day) >= kWideRange ? "昼夜温差较大，早晚注意添加衣服。" : "";
    return {band.index, band.description, note};
}

IndexText ComfortIndex(const DayWeather& day) {
    const TemperatureBand& band = BandOf(kComfortBands, MeanTemperature(day));
    const std::string_view note = day.windForce >= kWindyForce ? "风力较大，外出注意防风。" : "";
    return {band.index, band.description, note};
}

IndexText CatchColdIndex(const DayWeather& day) {
    const double range = TemperatureRange(day);
    const double mean = MeanTemperature(day);
    const bool wetOrWindy = IsPrecipitationSkyCode(day.skyCode) || day.windForce >= kWindyForce;
    const int points = (range >= kColdRangeStep1 ? 1 : 0) + (range >= kColdRangeStep2 ? 1 : 0) +
                       (mean < kColdMean ? 1 : 0) + (wetOrWindy && mean < kCoolMean ? 1 : 0);
    IndexText level = kCatchColdLevels[static_cast<std::size_t>(std::min(points, 3))];
    if (range >= kColdRangeStep1) {
        level.description2 = "昼夜温差较大，体弱者注意增减衣服。";
    }
    return level;
}

IndexText WashCarIndex(const DayWeather& day) {
    if (IsPrecipitationSkyCode(day.skyCode)) {
        return {"不宜", "有降水，不宜洗车。", ""};
    }
    const double chance = day.precipitationProbability.value_or(kPossibleRainPercent);
    if (IsDusty(day.skyCode)) {
        return {"较不宜", "有浮尘或风沙，洗车后容易再次弄脏。", ""};
    }
    if (chance >= kLikelyRainPercent) {
        return {"较不宜", "有降水可能，洗车后难以保持。", ""};
    }
    if (day.windForce >= kWindyForce) {
        return {"较不宜", "风力较大，洗车后容易蒙上灰尘。", ""};
    }
    if (chance >= kPossibleRainPercent || day.windForce >= kBreezyForce) {
        return {"较适宜", "较适宜洗车，未来降水可能较小，风力不大。", ""};
    }
    return {"适宜", "天气较好，无雨且风力较小，适宜洗车。", ""};
}
