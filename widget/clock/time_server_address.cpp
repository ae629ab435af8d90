#include "widget/clock/time_server_address.h"

#include "common/file_io.h"
#include "toolkit/lyn_ini.h"

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
    if (host.empty() || host.size() > kMaxTimeServerHostLength) {
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

// "[address]" or "[address]:port".
std::optional<TimeServerAddress> ParseBracketed(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!IsHost(host, IsIpv6Character)) {
        return std::nullopt;
    }
    TimeServerAddress address{std::string(host), kTimeProtocolPort};
    if (rest.empty()) {
        return address;
    }
    if (rest.front() != ':') {
        return std::nullopt;
    }
    const std::optional<std::uint16_t> port = ParsePort(rest.substr(1));
    if (!port) {
        return std::nullopt;
    }
    address.port = *port;
    return address;
}

}  // namespace

std::optional<TimeServerAddress> ParseTimeServerAddress(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '[') {
        return ParseBracketed(text);
    }
    const std::size_t colon = text.find(':');
    const std::string_view host = text.substr(0, colon);
    if (!IsHost(host, IsHostNameCharacter)) {
        return std::nullopt;
    }
    TimeServerAddress address{std::string(host), kTimeProtocolPort};
    if (colon == std::string_view::npos) {
        return address;
    }
    const std::optional<std::uint16_t> port = ParsePort(text.substr(colon + 1));
    if (!port) {
        return std::nullopt;
    }
    address.port = *port;
    return address;
}

TimeServerAddress ReadTimeServerAddress(const std::string& networkSettingsPath) {
    // Only an existing file is read: CLynIni would create a missing one.
    std::string unused;
    CLynIni settings;
    if (!ReadWholeFile(networkSettingsPath, unused) || settings.SetFileName(networkSettingsPath) == 0) {
        return {};
    }
    return ParseTimeServerAddress(settings.GetValue("hosts", "timeserver")).value_or(TimeServerAddress{});
}
