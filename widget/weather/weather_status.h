#pragma once

// The state of the weather work, shared between its worker threads and the
// calendar window: one value, written by whichever side moves the work on
// and read by the window on its timers.

#include <cstdint>

enum class WeatherStatus : std::int32_t {
    kIdle = 0,
    kDownloaded = 1,       // both documents are in the cache
    kStopRequested = 2,    // set by the window when it closes
    kDownloading = 3,
    kNoConnection = 4,     // the internet handle could not be opened
    kFirstDayFailed = 5,   // the 24-hour document
    kSecondDayFailed = 6,  // the 48-hour document
    kQueryingCity = 7,
    kCityQueryFailed = 8,
};

// Statuses 4-8: the last attempt failed and a retry follows.
inline constexpr bool IsWeatherFailure(WeatherStatus status) {
    return status >= WeatherStatus::kNoConnection && status != WeatherStatus::kQueryingCity;
}
