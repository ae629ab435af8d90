#pragma once

// Which RFC 868 time server the clock asks: [hosts] timeserver of the
// loader's Data\network.ini, "host" or "host:port" (an IPv6 address in
// brackets, "[::1]:37"). Without a usable value the clock asks the public
// server time.nist.gov.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/host_address.h"

inline constexpr char kDefaultTimeServerHost[] = "time.nist.gov";
inline constexpr std::uint16_t kTimeProtocolPort = 37;
// Longest host name the name service resolves.
inline constexpr std::size_t kMaxTimeServerHostLength = kMaxHostNameLength;

struct TimeServerAddress {
    std::string host = kDefaultTimeServerHost;  // a name or address, without brackets
    std::uint16_t port = kTimeProtocolPort;

    friend bool operator==(const TimeServerAddress&, const TimeServerAddress&) = default;
};

// The address `text` names, blanks at either end ignored; nullopt when it is
// not "host" or "host:port" with a port 1-65535 and a host of letters,
// digits, '-', '.' and '_' (or an IPv6 address of hexadecimal digits, ':'
// and '.' in brackets).
std::optional<TimeServerAddress> ParseTimeServerAddress(std::string_view text);

// The server of the settings file at `networkSettingsPath`. A missing file,
// a missing, empty or malformed value gives the default server, as every
// other missing setting of the suite gives its default. A missing file is
// not created.
TimeServerAddress ReadTimeServerAddress(const std::string& networkSettingsPath);
