#include "widget/view/skin_colors.h"

#include <array>
#include <cstddef>

namespace {

// colors.ini's keys and the colour each sets; looked up by name.
struct ColourKey {
    std::string_view name;
    SkinRgb SkinColors::*member;
};
constexpr std::array<ColourKey, 7> kColourKeys = {{
    {"ink", &SkinColors::ink},
    {"muted", &SkinColors::muted},
    {"accent", &SkinColors::accent},
    {"accentDeep", &SkinColors::accentDeep},
    {"accentSoft", &SkinColors::accentSoft},
    {"holiday", &SkinColors::holiday},
    {"hairline", &SkinColors::hairline},
}};

constexpr std::string_view kSection = "colors";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

void ApplyLine(std::string_view line, bool& inSection, SkinColors& colors) {
    if (line.empty() || line.front() == ';') {
        return;
    }
    if (line.front() == '[') {
        inSection = line.back() == ']' && line.size() >= 2 && SameName(Trim(line.substr(1, line.size() - 2)), kSection);
        return;
    }
    const std::size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) {
        return;
    }
    const std::string_view key = Trim(line.substr(0, equals));
    const std::optional<SkinRgb> value = ParseSkinRgb(Trim(line.substr(equals + 1)));
    if (!value) {
        return;
    }
    for (const ColourKey& entry : kColourKeys) {
        if (SameName(key, entry.name)) {
            colors.*entry.member = *value;
        }
    }
}

}  // namespace

std::optional<SkinRgb> ParseSkinRgb(std::string_view value) {
    if (value.size() != 7 || value[0] != '#') {
        return std::nullopt;
    }
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t i = 0; i < channels.size(); ++i) {
        const int high = HexDigit(value[1 + 2 * i]);
        const int low = HexDigit(value[2 + 2 * i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return SkinRgb{channels[0], channels[1], channels[2]};
}

SkinColors ParseSkinColors(std::string_view text) {
    if (text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    SkinColors colors = kDefaultSkinColors;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        ApplyLine(Trim(text.substr(0, end)), inSection, colors);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return colors;
}
