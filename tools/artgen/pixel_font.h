#pragma once

// Digits drawn pixel by pixel for the 16 x 16 tray icons, where an outline
// font blurs: 5 pixels wide, 9 high, two-pixel stems.

#include "tools/artgen/image.h"

#include <string_view>

namespace artgen {

inline constexpr int kPixelDigitWidth = 5;
inline constexpr int kPixelDigitHeight = 9;
inline constexpr int kPixelDigitGap = 1;

// Width of `digits` ('0'-'9') set with one pixel between them.
int PixelTextWidth(std::string_view digits);

// Sets `digits` into `image` with the top-left corner at (x, y), opaque
// pixels of `colour`; pixels outside the image are dropped.
void DrawPixelDigits(Image& image, std::string_view digits, int x, int y, Rgba colour);

}  // namespace artgen
