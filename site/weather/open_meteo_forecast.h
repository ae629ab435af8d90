#pragma once

// The public forecast service the feed is built from (Open-Meteo's
// /v1/forecast): the request for a station's next three days and its JSON
// answer read into one record per day.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "site/weather/station_coordinates.h"

// One day of the answer. A figure the service left out (null) is nullopt.
struct DailyFigures {
    int year = 0;  // the day, in the zone the request asked for
    int month = 0;
    int day = 0;
    std::optional<int> weatherCode;        // WMO code
    std::optional<double> maxTemperature;  // °C
    std::optional<double> minTemperature;
    std::optional<double> maxWindSpeed;              // km/h, at 10 m
    std::optional<double> windDirection;             // dominant, degrees from north
    std::optional<double> precipitationProbability;  // highest of the day, %

    friend bool operator==(const DailyFigures&, const DailyFigures&) = default;
};

// The request URL for `station` from the service's endpoint `baseUrl`.
// Stations in China ask for days in China time; stations abroad for days in
// their own zone, which the service works out from the coordinates.
std::string OpenMeteoForecastUrl(std::string_view baseUrl, const StationCoordinates& station);

// The days of an answer, in its order; nullopt for anything but a JSON
// object whose "daily" holds a "time" list of "YYYY-MM-DD" dates and, for
// every figure asked for, a list as long of numbers or nulls.
std::optional<std::vector<DailyFigures>> ParseOpenMeteoForecast(std::string_view json);
