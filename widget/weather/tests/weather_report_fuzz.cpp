// Any bytes as a weather document: parsing never crashes, a refused document
// leaves the empty report, and an accepted one parses the same again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "widget/weather/weather_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    constexpr Moment kNow = 1217901600;  // 2008-08-05 10:00:00 China time
    WeatherReport report = EmptyWeatherReport(54511, 24);
    report.city = "stale";
    const bool parsed = ParseWeatherReport(document, kNow, report);
    if (!parsed && report != EmptyWeatherReport(54511, 24)) {
        __builtin_trap();
    }
    if (report.stationNumber != 54511 || report.hours != 24 || report.indices[kDressIndex].label.empty()) {
        __builtin_trap();
    }
    WeatherReport again = EmptyWeatherReport(54511, 24);
    if (ParseWeatherReport(document, kNow, again) != parsed || again != report) {
        __builtin_trap();
    }
    return 0;
}
