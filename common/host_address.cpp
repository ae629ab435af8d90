#include "common/host_address.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAsciiHexDigit(char c) {
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsHostNameCharacter(char c) {
    return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '.' || c == '_';
}

bool IsIpv6Character(char c) {
    return IsAsciiHexDigit(c) || c == ':' || c == '.';
}

template <typename Predicate>
bool IsHost(std::string_view host, Predicate allowed) {
    if (host.empty() || host.size() > kMaxHostNameLength) {
        return false;
    }
    for (char c : host) {
        if (!allowed(c)) {
            return false;
        }
    }
    return true;
}

// 1-65535 in decimal digits only; leading zeros are allowed, but the value
// is checked as it grows so no count of digits can overflow it.
std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned int value = 0;
    for (char c : text) {
        if (!IsAsciiDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned int>(c - '0');
        if (value > 65535) {
            return std::nullopt;
        }
    }
    if (value == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// `host` with the port of `rest`, which is empty or ":port".
std::optional<HostAddress> WithPort(std::string_view host, std::string_view rest, std::uint16_t defaultPort) {
    if (rest.empty()) {
        return HostAddress{std::string(host), defaultPort};
    }
    if (rest.front() != ':') {
        return std::nullopt;
    }
    const std::optional<std::uint16_t> port = ParsePort(rest.substr(1));
    if (!port) {
        return std::nullopt;
    }
    return HostAddress{std::string(host), *port};
}

}  // namespace

std::optional<HostAddress> ParseHostAddress(std::string_view text, std::uint16_t defaultPort) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos || !IsHost(text.substr(1, close - 1), IsIpv6Character)) {
            return std::nullopt;
        }
        return WithPort(text.substr(1, close - 1), text.substr(close + 1), defaultPort);
    }
    const std::size_t colon = std::min(text.find(':'), text.size());
    if (!IsHost(text.substr(0, colon), IsHostNameCharacter)) {
        return std::nullopt;
    }
    return WithPort(text.substr(0, colon), text.substr(colon), defaultPort);
}
