#pragma once

// The weather section's sky pictograms and their sheet, symbol.png.
//
// A sky code of the weather feed picks one small tile (54 x 50) and one large
// tile (114 x 100) of the sheet. Codes follow the national table of weather
// phenomena (0 晴 ... 31 强沙尘暴); codes 21-25 (rain from one strength to the
// next) share the tiles of 8-12, codes 26-28 (snow likewise) those of 15-17.

#include "tools/artgen/canvas.h"

#include <span>
#include <string_view>

namespace artgen {

inline constexpr int kSymbolSheetWidth = 912;
inline constexpr int kSymbolSheetHeight = 400;
inline constexpr int kSkySmallWidth = 54;
inline constexpr int kSkySmallHeight = 50;
inline constexpr int kSkyLargeWidth = 114;
inline constexpr int kSkyLargeHeight = 100;

struct TilePosition {
    int x = 0;
    int y = 0;
};

struct SkyTile {
    int code = 0;
    std::u8string_view meaning;
    TilePosition small;
    TilePosition large;
};

// Codes 0 to 31 in order.
std::span<const SkyTile> SkyTiles();

// The pictogram of `code` (0-31) fitted into `box`.
void DrawSky(cairo_t* cr, int code, const Box& box);

// symbol.png: every code's small and large tile, transparent elsewhere.
Image DrawSymbolSheet();

}  // namespace artgen
