// Feeds arbitrary bytes to the colors.ini parser; a value it accepts must
// read back the same when written as #RRGGBB.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "widget/view/skin_colors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SkinColors colors = ParseSkinColors(text);
    char written[8];
    std::snprintf(written, sizeof written, "#%02X%02X%02X", colors.ink.red, colors.ink.green, colors.ink.blue);
    if (ParseSkinRgb(written) != colors.ink) {
        __builtin_trap();
    }
    // The same bytes as a single value.
    if (const auto rgb = ParseSkinRgb(text); rgb && text.size() != 7) {
        __builtin_trap();
    }
    return 0;
}
