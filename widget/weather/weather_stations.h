#pragma once

// The built-in station tables of the weather feed, keyed by the city's
// Chinese name (GBK), and the province-level regions of China with their
// prefecture-level cities for the city picker.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct WeatherStation {
    std::string_view city;
    std::int32_t number = 0;  // the feed's station number
};

struct RegionCity {
    std::string_view region;
    std::string_view city;
};

// The 72 cities of China with a station, in the table's order.
std::span<const WeatherStation> DomesticStations();
// The 38 cities abroad.
std::span<const WeatherStation> ForeignStations();
// Every province-level region with each of its cities, the capital first; a
// municipality or special region pairs with itself. 358 pairs.
std::span<const RegionCity> RegionCities();

// The station number of `city` in `stations`.
std::optional<std::int32_t> FindStation(std::span<const WeatherStation> stations, std::string_view city);

struct StationChoice {
    std::string city;  // the city whose station is used
    std::int32_t number = 0;
    bool foreign = false;  // from ForeignStations

    friend bool operator==(const StationChoice&, const StationChoice&) = default;
};

// The station for `cityName`: domestic first, then foreign; a city in
// neither table falls back to 北京.
StationChoice ChooseStation(std::string_view cityName);

// Each region once, in the table's order.
std::vector<std::string_view> WeatherRegions();
// The cities of `region`, capital first; empty for an unknown region.
std::vector<std::string_view> CitiesOfRegion(std::string_view region);
// The first city of `region`.
std::optional<std::string_view> FirstCityOfRegion(std::string_view region);
