#include "site/weather/address_table.h"

#include <algorithm>

namespace {

constexpr std::string_view kMappedPrefix = "::ffff:";
constexpr int kAddressBits = 32;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The blank-separated words of `line`.
std::vector<std::string_view> WordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) {
            ++at;
        }
        if (at > start) {
            words.push_back(line.substr(start, at - start));
        }
    }
    return words;
}

// A decimal number of 1-3 digits no larger than `largest`.
std::optional<int> SmallNumber(std::string_view text, int largest) {
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value <= largest ? std::optional<int>(value) : std::nullopt;
}

std::uint32_t MaskOf(int bits) {
    return bits == 0 ? 0u : ~std::uint32_t{0} << (kAddressBits - bits);
}

// A place name goes into the city answer between tags: one that could end a
// tag early is refused. GBK's second bytes are never below 0x40, so these
// bytes are always characters of their own.
bool IsPlaceName(std::string_view name) {
    return name.find_first_of("<>&") == std::string_view::npos;
}

}  // namespace

std::optional<std::uint32_t> ParseIpv4Address(std::string_view text) {
    if (text.size() > kMappedPrefix.size() && text.substr(0, kMappedPrefix.size()) == kMappedPrefix) {
        text.remove_prefix(kMappedPrefix.size());
    }
    std::uint32_t address = 0;
    for (int part = 0; part < 4; ++part) {
        const std::size_t dot = part < 3 ? text.find('.') : text.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<int> value = SmallNumber(text.substr(0, dot), 255);
        if (!value) {
            return std::nullopt;
        }
        address = (address << 8) | static_cast<std::uint32_t>(*value);
        text.remove_prefix(std::min(dot + 1, text.size()));
    }
    return address;
}

AddressTable AddressTable::Parse(std::string_view text) {
    AddressTable table;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        line = line.substr(0, std::min(line.find('#'), line.size()));

        const std::vector<std::string_view> words = WordsOf(line);
        if (words.size() != 3 || !IsPlaceName(words[1]) || !IsPlaceName(words[2])) {
            continue;
        }
        const std::size_t slash = words[0].find('/');
        if (slash == std::string_view::npos) {
            continue;
        }
        const std::optional<std::uint32_t> address = ParseIpv4Address(words[0].substr(0, slash));
        const std::optional<int> bits = SmallNumber(words[0].substr(slash + 1), kAddressBits);
        if (!address || !bits) {
            continue;
        }
        table.networks_.push_back(
            Network{*address & MaskOf(*bits), *bits, AddressPlace{std::string(words[1]), std::string(words[2])}});
    }
    return table;
}

std::optional<AddressPlace> AddressTable::Find(std::uint32_t address) const {
    const Network* best = nullptr;
    for (const Network& network : networks_) {
        if ((address & MaskOf(network.bits)) == network.base && (best == nullptr || network.bits > best->bits)) {
            best = &network;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return best->place;
}
