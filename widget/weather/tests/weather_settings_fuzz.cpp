// Any bytes as Weathercfg.dat: an accepted file's fields, written out and
// read again, come back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "widget/weather/weather_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WeatherSettings read;
    if (!ParseWeatherSettings(bytes, read)) {
        return 0;
    }
    if (read.cityName.size() > size || read.autoDetect != 0) {
        __builtin_trap();
    }
    const std::string written = EncodeWeatherSettings(read);
    WeatherSettings again;
    if (written.empty() || written.size() > size || !ParseWeatherSettings(written, again) || !(again == read)) {
        __builtin_trap();
    }
    return 0;
}
