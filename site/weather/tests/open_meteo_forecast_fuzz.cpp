// Any bytes as the forecast service's answer: a refusal or days whose dates
// are possible, and every day read gives a document or a refusal without
// crashing.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "site/weather/forecast_document.h"
#include "site/weather/open_meteo_forecast.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const auto days = ParseOpenMeteoForecast(answer);
    if (!days) {
        return 0;
    }
    const StationCoordinates station{54511, "Beijing", 39.90, 116.41, false};
    for (const DailyFigures& figures : *days) {
        if (figures.month < 1 || figures.month > 12 || figures.day < 1 || figures.day > 31) {
            __builtin_trap();
        }
        const LocalTime day{figures.year, figures.month, figures.day};
        const auto document = ForecastDocument(station, figures, day);
        if (document && document->find("<weather>") == std::string::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
