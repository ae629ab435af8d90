#include "site/weather/open_meteo_forecast.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>

namespace {

using Json = nlohmann::json;

// The daily figures asked for, in the order of the request's list, and where
// each goes in DailyFigures. weather_code is read apart: it is an integer.
struct NumberField {
    std::string_view name;
    std::optional<double> DailyFigures::*field;
};
constexpr NumberField kNumberFields[] = {
    {"temperature_2m_max", &DailyFigures::maxTemperature},
    {"temperature_2m_min", &DailyFigures::minTemperature},
    {"wind_speed_10m_max", &DailyFigures::maxWindSpeed},
    {"wind_direction_10m_dominant", &DailyFigures::windDirection},
    {"precipitation_probability_max", &DailyFigures::precipitationProbability},
};
constexpr std::string_view kWeatherCodeField = "weather_code";
constexpr int kLargestWmoCode = 99;

std::string DailyList() {
    std::string list(kWeatherCodeField);
    for (const NumberField& field : kNumberFields) {
        list += ",";
        list += field.name;
    }
    return list;
}

// "2026-12-11" into `figures`; false for any other form or an impossible
// month or day.
bool ReadDate(const Json& value, DailyFigures& figures) {
    if (!value.is_string()) {
        return false;
    }
    const std::string& text = value.get_ref<const std::string&>();
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return false;
    }
    for (const std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    figures.year = std::stoi(text.substr(0, 4));
    figures.month = std::stoi(text.substr(5, 2));
    figures.day = std::stoi(text.substr(8, 2));
    return figures.month >= 1 && figures.month <= 12 && figures.day >= 1 && figures.day <= 31;
}

// A number or null; false for anything else.
bool ReadNumber(const Json& value, std::optional<double>& number) {
    if (value.is_null()) {
        number.reset();
        return true;
    }
    if (!value.is_number()) {
        return false;
    }
    number = value.get<double>();
    return std::isfinite(*number);
}

// A WMO code 0-99 or null.
bool ReadWeatherCode(const Json& value, std::optional<int>& code) {
    std::optional<double> number;
    if (!ReadNumber(value, number)) {
        return false;
    }
    if (!number) {
        code.reset();
        return true;
    }
    if (*number != std::floor(*number) || *number < 0 || *number > kLargestWmoCode) {
        return false;
    }
    code = static_cast<int>(*number);
    return true;
}

// The list `name` of `daily`, only when it is as long as the dates.
const Json* ListOf(const Json& daily, std::string_view name, std::size_t days) {
    const auto found = daily.find(std::string(name));
    if (found == daily.end() || !found->is_array() || found->size() != days) {
        return nullptr;
    }
    return &*found;
}

}  // namespace

std::string OpenMeteoForecastUrl(std::string_view baseUrl, const StationCoordinates& station) {
    char coordinates[64];
    std::snprintf(coordinates, sizeof coordinates, "latitude=%.2f&longitude=%.2f", station.latitude, station.longitude);
    const std::string_view zone = station.foreign ? "auto" : "Asia%2FShanghai";
    return std::string(baseUrl) + "?" + coordinates + "&daily=" + DailyList() + "&timezone=" + std::string(zone) +
           "&forecast_days=3&wind_speed_unit=kmh";
}

std::optional<std::vector<DailyFigures>> ParseOpenMeteoForecast(std::string_view json) {
    const Json answer = Json::parse(json, nullptr, false);
    if (!answer.is_object()) {
        return std::nullopt;
    }
    const auto daily = answer.find("daily");
    if (daily == answer.end() || !daily->is_object()) {
        return std::nullopt;
    }
    const auto dates = daily->find("time");
    if (dates == daily->end() || !dates->is_array()) {
        return std::nullopt;
    }
    const std::size_t days = dates->size();
    std::vector<DailyFigures> figures(days);
    const Json* codes = ListOf(*daily, kWeatherCodeField, days);
    if (codes == nullptr) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < days; ++i) {
        if (!ReadDate((*dates)[i], figures[i]) || !ReadWeatherCode((*codes)[i], figures[i].weatherCode)) {
            return std::nullopt;
        }
    }
    for (const NumberField& field : kNumberFields) {
        const Json* list = ListOf(*daily, field.name, days);
        if (list == nullptr) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < days; ++i) {
            if (!ReadNumber((*list)[i], figures[i].*field.field)) {
                return std::nullopt;
            }
        }
    }
    return figures;
}
