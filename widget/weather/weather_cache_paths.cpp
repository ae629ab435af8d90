#include <cstdio>

#include "widget/weather/weather_report.h"

std::string WeatherDocumentPath(std::int32_t stationNumber, std::int32_t hours) {
    char path[48];
    std::snprintf(path, sizeof path, "/weather/%d_%d.xml", static_cast<int>(stationNumber), static_cast<int>(hours));
    return path;
}

std::string WeatherCachePath(std::string_view dataFolder, std::int32_t stationNumber, std::int32_t hours) {
    char name[32];
    std::snprintf(name, sizeof name, "%d_%d.xml", static_cast<int>(stationNumber), static_cast<int>(hours));
    std::string path(dataFolder);
    path += '\\';
    path += name;
    return path;
}
