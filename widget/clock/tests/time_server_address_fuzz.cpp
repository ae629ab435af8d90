// Any bytes as the time server setting: an accepted address is one the
// parser would accept again, written back as "host:port".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "widget/clock/time_server_address.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<TimeServerAddress> address = ParseTimeServerAddress(text);
    if (!address) {
        return 0;
    }
    if (address->host.empty() || address->host.size() > kMaxTimeServerHostLength || address->host.size() > size ||
        address->port == 0) {
        __builtin_trap();
    }
    const bool ipv6 = address->host.find(':') != std::string::npos;
    const std::string written =
        (ipv6 ? "[" + address->host + "]" : address->host) + ":" + std::to_string(address->port);
    if (ParseTimeServerAddress(written) != address) {
        __builtin_trap();
    }
    return 0;
}
