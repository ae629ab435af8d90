// Any bytes as the city-query service's answer: there is always a city, and
// it is never longer than the answer itself or the default city.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "widget/weather/city_query.h"
#include "widget/weather/weather_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    const std::string city = CityFromQueryAnswer(answer);
    if (city.empty() || city.size() > std::max(size, std::string_view(kDefaultWeatherCity).size())) {
        __builtin_trap();
    }
    return 0;
}
