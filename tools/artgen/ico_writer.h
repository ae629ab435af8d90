#pragma once

// Windows icon files (.ico): an ICONDIR, one 16-byte entry per image, then
// each image as a BITMAPINFOHEADER whose height is twice the icon's (colour
// rows and mask rows), the 32-bit colour rows bottom-up (blue, green, red,
// straight alpha) and the 1-bit AND mask rows bottom-up, each mask row padded
// to four bytes. A mask bit is 1 (the screen shows through) exactly where the
// pixel's alpha is 0; such pixels are stored as all zero, so a system that
// ignores the alpha channel still draws the icon correctly.

#include "tools/artgen/image.h"

#include <string>
#include <vector>

namespace artgen {

// Sizes from 1 to 256 pixels in either direction; several images of
// different sizes go into one file, in the order given.
std::string EncodeIco(const std::vector<Image>& images);

// Bytes of one AND-mask row, padding included.
int IcoMaskStride(int width);

}  // namespace artgen
