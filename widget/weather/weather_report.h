#pragma once

// One forecast document of the weather feed (24 or 48 hours for a station)
// as the section shows it, its cache file and when that file may be used.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/local_time.h"

struct WeatherIndex {
    std::string label;  // fixed by the element: "穿衣指数", "舒适度", "感冒指数", "洗车指数"
    std::string index;
    std::string description1;
    std::string description2;

    friend bool operator==(const WeatherIndex&, const WeatherIndex&) = default;
};

// WeatherReport::indices, by the element each comes from.
enum WeatherIndexKind { kDressIndex = 0, kComfortIndex = 1, kCatchColdIndex = 2, kWashCarIndex = 3 };

struct WeatherReport {
    std::int32_t stationNumber = 0;
    std::int32_t hours = 24;  // 24 or 48
    std::string city;
    std::string description;
    std::int32_t skyCode1 = 0;
    std::int32_t skyCode2 = 0;
    std::string minTemperature;
    std::string maxTemperature;
    Moment startTime = 0;
    Moment endTime = 0;
    std::string startTimeText;  // as received
    std::string endTimeText;
    std::string windDirection;
    std::string windPower;
    std::array<WeatherIndex, 4> indices;  // by WeatherIndexKind, labels always set

    friend bool operator==(const WeatherReport&, const WeatherReport&) = default;
};

// An empty report of a station's document, its index labels set.
WeatherReport EmptyWeatherReport(std::int32_t stationNumber, std::int32_t hours);

// The document's fields read into `report` (element names compared without
// case; time texts through ParseFeedTime with `now`). False, and `report`
// empty, when the bytes are not a well-formed XML document.
bool ParseWeatherReport(std::string_view document, Moment now, WeatherReport& report);

// The feed's path of a document: "/weather/54511_24.xml".
std::string WeatherDocumentPath(std::int32_t stationNumber, std::int32_t hours);
// Its cache file in `dataFolder`: "<dataFolder>\54511_24.xml".
std::string WeatherCachePath(std::string_view dataFolder, std::int32_t stationNumber, std::int32_t hours);

// Whether a cache file written at `written` may be used at `now`: the same
// month and day (the year is not compared), and written at 21:00 or later or
// read at 20:59 or earlier.
bool IsWeatherCacheFresh(const LocalTime& written, const LocalTime& now);

// The report of a station's document from its cache file in `dataFolder`,
// only when the file is fresh and parses; false (and `report` empty)
// otherwise.
bool LoadCachedWeatherReport(std::string_view dataFolder, std::int32_t stationNumber, std::int32_t hours, Moment now,
                             WeatherReport& report);

// Whether the station's documents must be downloaded: its 24-hour report
// does not load from the cache, or its end time lies before `now`.
bool IsWeatherDownloadNeeded(std::string_view dataFolder, std::int32_t stationNumber, Moment now);
