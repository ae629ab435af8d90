#include "widget/clock/time_server_address.h"

#include "toolkit/hosts_setting.h"

std::optional<TimeServerAddress> ParseTimeServerAddress(std::string_view text) {
    const std::optional<HostAddress> address = ParseHostAddress(text, kTimeProtocolPort);
    if (!address) {
        return std::nullopt;
    }
    return TimeServerAddress{address->host, address->port};
}

TimeServerAddress ReadTimeServerAddress(const std::string& networkSettingsPath) {
    return ParseTimeServerAddress(ReadHostsSetting(networkSettingsPath, "timeserver")).value_or(TimeServerAddress{});
}
