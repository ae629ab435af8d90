#pragma once

// The weather section's settings, kept in Weathercfg.dat in the module
// folder, in the archive encoding (common/archive.h): cityName as a text,
// then detailShown and largeLayout as 32-bit integers. Nothing else.

#include <cstdint>
#include <string>
#include <string_view>

// The city used when none is known ("北京", GBK).
inline constexpr char kDefaultWeatherCity[] = "北京";

struct WeatherSettings {
    std::string cityName = kDefaultWeatherCity;
    std::int32_t detailShown = 0;
    // Not stored: set only when the file is missing or unreadable, so the
    // city query runs on first use.
    std::int32_t autoDetect = 0;
    std::int32_t largeLayout = 0;

    friend bool operator==(const WeatherSettings&, const WeatherSettings&) = default;
};

// The bytes of the file; empty when the name is too long for the archive
// to say its length (4 GiB or more), which no file may then hold.
std::string EncodeWeatherSettings(const WeatherSettings& settings);
// The stored fields from `bytes`; false (and `settings` untouched) when they
// end early or a length prefix is malformed. Bytes after them are ignored.
// autoDetect is left as it was.
bool ParseWeatherSettings(std::string_view bytes, WeatherSettings& settings);
// The file's settings with detailShown cleared (the details always start
// collapsed) and an empty name read as the default city; a missing or
// unreadable file gives the defaults with autoDetect set.
WeatherSettings LoadWeatherSettings(const std::string& path);
// Replaces the file atomically; 0, or the system error code (the code for
// a file too large when the name cannot be encoded).
int SaveWeatherSettings(const std::string& path, const WeatherSettings& settings);
