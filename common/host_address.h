#pragma once

// A network host setting as the suite's settings files write it: "host" or
// "host:port", an IPv6 address in brackets ("[::1]:37").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Longest host name the name service resolves.
inline constexpr std::size_t kMaxHostNameLength = 253;

struct HostAddress {
    std::string host;  // a name or address, without brackets
    std::uint16_t port = 0;

    friend bool operator==(const HostAddress&, const HostAddress&) = default;
};

// The address `text` names, blanks at either end ignored, `defaultPort`
// when it gives none; nullopt when it is not "host" or "host:port" with a
// port 1-65535 and a host of letters, digits, '-', '.' and '_' (or an IPv6
// address of hexadecimal digits, ':' and '.' in brackets), at most
// kMaxHostNameLength long.
std::optional<HostAddress> ParseHostAddress(std::string_view text, std::uint16_t defaultPort);
