#include "site/weather/open_meteo_forecast.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"
#include "common/path_util.h"

namespace {

std::string Recorded(const std::string& name) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(JoinPath(SITE_WEATHER_TEST_DATA_DIR, name), text)) << name;
    return text;
}

TEST(OpenMeteoForecast, TheRequestAsksForThreeDaysOfTheFiguresInTheStationsZone) {
    const StationCoordinates beijing{54511, "北京", 39.9, 116.41, false};
    EXPECT_EQ(OpenMeteoForecastUrl("https://api.open-meteo.com/v1/forecast", beijing),
              "https://api.open-meteo.com/v1/forecast?latitude=39.90&longitude=116.41"
              "&daily=weather_code,temperature_2m_max,temperature_2m_min,wind_speed_10m_max,"
              "wind_direction_10m_dominant,precipitation_probability_max"
              "&timezone=Asia%2FShanghai&forecast_days=3&wind_speed_unit=kmh");
    const StationCoordinates sydney{94767, "悉尼", -33.87, 151.21, true};
    const std::string url = OpenMeteoForecastUrl("http://127.0.0.1:9/v1/forecast", sydney);
    EXPECT_EQ(url.substr(0, url.find("&daily")), "http://127.0.0.1:9/v1/forecast?latitude=-33.87&longitude=151.21");
    EXPECT_NE(url.find("&timezone=auto&"), std::string::npos);
}

TEST(OpenMeteoForecast, ARecordedAnswerGivesItsDaysInOrderWithNullsLeftOut) {
    const std::optional<std::vector<DailyFigures>> days = ParseOpenMeteoForecast(Recorded("open_meteo_54511.json"));
    ASSERT_TRUE(days.has_value());
    const std::vector<DailyFigures> expected = {
        {2026, 12, 11, 2, 4.6, -5.4, 18.4, 315.0, 0.0},
        {2026, 12, 12, 71, 1.2, -6.8, 25.6, 20.0, 65.0},
        {2026, 12, 13, 0, 3.0, -8.1, 12.0, 270.0, std::nullopt},
    };
    EXPECT_EQ(*days, expected);
}

TEST(OpenMeteoForecast, AnEmptyDayListIsNoDays) {
    const std::string answer =
        R"({"daily":{"time":[],"weather_code":[],"temperature_2m_max":[],"temperature_2m_min":[],)"
        R"("wind_speed_10m_max":[],"wind_direction_10m_dominant":[],"precipitation_probability_max":[]}})";
    const std::optional<std::vector<DailyFigures>> days = ParseOpenMeteoForecast(answer);
    ASSERT_TRUE(days.has_value());
    EXPECT_TRUE(days->empty());
}

// The recorded answer with `from` replaced by `to` (the first time).
std::string Changed(std::string_view from, std::string_view to) {
    std::string answer = Recorded("open_meteo_54511.json");
    const std::size_t at = answer.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? answer : answer.replace(at, from.size(), to);
}

TEST(OpenMeteoForecast, AnswersThatDoNotReadAsTheFiguresAreRefused) {
    const std::string whole = Recorded("open_meteo_54511.json");
    const struct {
        std::string_view why;
        std::string answer;
    } cases[] = {
        {"empty", ""},
        {"not JSON", "<html>Bad Gateway</html>"},
        {"truncated", whole.substr(0, whole.size() / 2)},
        {"the service's error answer", R"({"error":true,"reason":"Latitude must be in range of -90 to 90°."})"},
        {"a list, not an object", "[1,2,3]"},
        {"daily not an object", Changed(R"("daily": {)", R"("daily": [{)") + "]"},
        {"no daily", Changed(R"("daily": {)", R"("hourly": {)")},
        {"no dates", Changed(R"("time": ["2026-12-11")", R"("times": ["2026-12-11")")},
        {"a list shorter than the dates", Changed("[2, 71, 0]", "[2, 71]")},
        {"a list longer than the dates", Changed("[4.6, 1.2, 3.0]", "[4.6, 1.2, 3.0, 2.0]")},
        {"a figure missing", Changed(R"("wind_direction_10m_dominant": [)", R"("wind_direction": [)")},
        {"a figure not a list", Changed("[18.4, 25.6, 12.0]", "18.4")},
        {"a text among the numbers", Changed("[4.6, 1.2, 3.0]", R"([4.6, "1.2", 3.0])")},
        {"a list among the numbers", Changed("[4.6, 1.2, 3.0]", "[4.6, [1.2], 3.0]")},
        {"a date of another form", Changed(R"("2026-12-12")", R"("2026/12/12")")},
        {"a date with time", Changed(R"("2026-12-12")", R"("2026-12-12T00:00")")},
        {"month 13", Changed(R"("2026-12-12")", R"("2026-13-12")")},
        {"day 0", Changed(R"("2026-12-12")", R"("2026-12-00")")},
        {"a date not text", Changed(R"("2026-12-12")", "20261212")},
        {"a weather code above 99", Changed("[2, 71, 0]", "[2, 171, 0]")},
        {"a negative weather code", Changed("[2, 71, 0]", "[2, -1, 0]")},
        {"a fractional weather code", Changed("[2, 71, 0]", "[2, 71.5, 0]")},
        {"a number beyond doubles", Changed("[4.6, 1.2, 3.0]", "[4.6, 1e999, 3.0]")},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(ParseOpenMeteoForecast(c.answer).has_value()) << c.why;
    }
}

}  // namespace
