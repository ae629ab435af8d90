#pragma once

// Where the feed's stations lie: the latitude and longitude of each station
// of the suite's station tables, to ask the forecast service for that place.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct StationCoordinates {
    std::int32_t number = 0;  // the feed's station number
    std::string_view city;    // the city of the suite's table (GBK)
    double latitude = 0;      // degrees, north positive
    double longitude = 0;     // degrees, east positive
    bool foreign = false;     // a station abroad
};

// Every station, those in China first, each once.
std::span<const StationCoordinates> AllStationCoordinates();

// The coordinates of station `number`.
std::optional<StationCoordinates> FindStationCoordinates(std::int32_t number);
