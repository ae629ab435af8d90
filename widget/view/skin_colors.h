#pragma once

// The text and line colours the calendar window draws with. A skin folder
// may carry a small colors.ini that replaces some of them:
//
//   [colors]
//   ink=#1F2937
//   accent=#14976F
//
// Keys: ink, muted, accent, accentDeep, accentSoft, holiday, hairline
// (compared without regard to case); values #RRGGBB. A value that is missing
// or not of that form keeps the built-in colour, so a broken file never
// leaves the window without readable text.

#include <cstdint>
#include <optional>
#include <string_view>

struct SkinRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const SkinRgb&) const = default;
};

struct SkinColors {
    SkinRgb ink;         // text
    SkinRgb muted;       // secondary text, empty-list lines, descriptions
    SkinRgb accent;      // the current reminder range tab
    SkinRgb accentDeep;  // the reminder panel's heading
    SkinRgb accentSoft;  // hover and pressed grounds
    SkinRgb holiday;     // holiday titles, birthdays
    SkinRgb hairline;    // the separator under the grid

    bool operator==(const SkinColors&) const = default;
};

// The suite's own colours (tools/artgen/palette.h), used by the default skin
// and wherever a skin names none.
inline constexpr SkinColors kDefaultSkinColors = {
    {0x1F, 0x29, 0x37}, {0x8A, 0x94, 0xA3}, {0x2F, 0x6B, 0xDE}, {0x1D, 0x4A, 0xAE},
    {0xE2, 0xEB, 0xFC}, {0xD6, 0x3B, 0x3B}, {0xD3, 0xDB, 0xE5},
};

inline constexpr char kSkinColorsFileName[] = "colors.ini";

// "#RRGGBB" (hex digits of either case, nothing else); nullopt otherwise.
std::optional<SkinRgb> ParseSkinRgb(std::string_view value);

// The colours named in the [colors] section of a colors.ini's text, over
// kDefaultSkinColors. Any bytes are accepted; what cannot be read is left out.
SkinColors ParseSkinColors(std::string_view text);
