#pragma once

// Windows bitmap files (.bmp): BITMAPFILEHEADER, BITMAPINFOHEADER (40 bytes,
// BI_RGB, no palette) and the pixel rows bottom-up, each row padded with
// zero bytes to a multiple of four bytes. 24-bit rows hold blue, green, red
// (opacity is dropped: flatten or key the image first); 32-bit rows hold
// blue, green, red, alpha with straight alpha, the layout of a
// DIB section that image lists and AlphaBlend read.

#include "tools/artgen/image.h"

#include <string>

namespace artgen {

enum class BmpDepth { k24 = 24, k32 = 32 };

// Bytes of one stored pixel row, padding included.
int BmpRowStride(int width, BmpDepth depth);

std::string EncodeBmp(const Image& image, BmpDepth depth);

}  // namespace artgen
