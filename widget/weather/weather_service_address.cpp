#include "widget/weather/weather_service_address.h"

#include "common/host_address.h"
#include "toolkit/hosts_setting.h"

WeatherServiceAddress ReadWeatherServiceAddress(const std::string& networkSettingsPath) {
    const std::optional<HostAddress> address =
        ParseHostAddress(ReadHostsSetting(networkSettingsPath, "weather"), kDefaultWeatherPort);
    if (!address) {
        return {};
    }
    return WeatherServiceAddress{address->host, address->port};
}
