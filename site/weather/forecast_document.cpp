#include "site/weather/forecast_document.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "site/weather/sky_codes.h"
#include "site/weather/weather_indices.h"
#include "site/weather/wind_text.h"

namespace {

// From this hour the 24-hour document covers tomorrow.
constexpr int kEveningHour = 20;

// The local midnight `days` days after the one of `day`, carried through
// month ends.
LocalTime DayAfter(const LocalTime& day, int days) {
    LocalTime next{day.year, day.month, day.day + days, 0, 0, 0};
    return ToLocalTime(FromLocalTime(next));
}

std::string TimeText(const LocalTime& day, int hour) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:00:00", day.year, day.month, day.day, hour);
    return text;
}

std::string TemperatureText(double celsius) {
    return std::to_string(static_cast<long>(std::lround(celsius)));
}

// Every text written comes from this program's tables or is a number, so
// nothing needs escaping.
void AppendElement(std::string& document, std::string_view name, std::string_view text) {
    document.append("  <").append(name).append(">").append(text).append("</").append(name).append(">\n");
}

void AppendIndex(std::string& document, std::string_view name, const IndexText& index) {
    document.append("  <").append(name).append(">\n");
    document.append("  ");
    AppendElement(document, "index", index.index);
    document.append("  ");
    AppendElement(document, "des1", index.description1);
    document.append("  ");
    AppendElement(document, "des2", index.description2);
    document.append("  </").append(name).append(">\n");
}

}  // namespace

LocalTime ForecastDay(Moment now, std::int32_t hours) {
    const LocalTime local = ToLocalTime(now);
    const int ahead = (local.hour >= kEveningHour ? 1 : 0) + (hours == 48 ? 1 : 0);
    return DayAfter(local, ahead);
}

bool IsFiguresOfDay(const DailyFigures& figures, const LocalTime& day) {
    return figures.year == day.year && figures.month == day.month && figures.day == day.day;
}

std::optional<std::string> ForecastDocument(const StationCoordinates& station,
                                            const DailyFigures& figures,
                                            const LocalTime& day) {
    if (!figures.weatherCode || !figures.maxTemperature || !figures.minTemperature || !figures.maxWindSpeed) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> skyCode = SkyCodeOfWmoCode(*figures.weatherCode);
    if (!skyCode) {
        return std::nullopt;
    }
    const DayWeather weather{*figures.maxTemperature, *figures.minTemperature, BeaufortForce(*figures.maxWindSpeed),
                             *skyCode, figures.precipitationProbability};
    const std::string code = std::to_string(*skyCode);
    // A calm day has no dominant direction to speak of.
    const std::string_view direction =
        figures.windDirection ? WindDirectionText(*figures.windDirection) : std::string_view("无持续风向");

    std::string document = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n<weather>\n";
    AppendElement(document, "cityid", std::to_string(station.number));
    AppendElement(document, "city", station.city);
    AppendElement(document, "description", SkyCodeName(*skyCode));
    AppendElement(document, "skycode1", code);
    AppendElement(document, "skycode2", code);
    AppendElement(document, "mintemperature", TemperatureText(weather.minTemperature));
    AppendElement(document, "maxtemperature", TemperatureText(weather.maxTemperature));
    AppendElement(document, "starttime", TimeText(DayAfter(day, -1), kEveningHour));
    AppendElement(document, "endtime", TimeText(day, kEveningHour));
    AppendElement(document, "winddirection", direction);
    AppendElement(document, "windpower", WindPowerText(weather.windForce));
    AppendIndex(document, "dress", DressIndex(weather));
    AppendIndex(document, "comfort", ComfortIndex(weather));
    AppendIndex(document, "catchcold", CatchColdIndex(weather));
    AppendIndex(document, "washcar", WashCarIndex(weather));
    document += "</weather>\n";
    return document;
}
