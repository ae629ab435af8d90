#pragma once

// Which weather feed the widget asks: [hosts] weather of the loader's
// Data\network.ini, "host" or "host:port" (an IPv6 address in brackets).
// Without a usable value it asks the maker's feed.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr char kDefaultWeatherHost[] = "weather.zellum.com";
inline constexpr std::uint16_t kDefaultWeatherPort = 80;

struct WeatherServiceAddress {
    std::string host = kDefaultWeatherHost;
    std::uint16_t port = kDefaultWeatherPort;

    friend bool operator==(const WeatherServiceAddress&, const WeatherServiceAddress&) = default;
};

// The feed of the settings file at `networkSettingsPath`; a missing file or
// a missing, empty or malformed value gives the default.
WeatherServiceAddress ReadWeatherServiceAddress(const std::string& networkSettingsPath);
