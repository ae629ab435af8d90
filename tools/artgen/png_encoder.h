#pragma once

// PNG files (32-bit RGBA, straight alpha) through cairo's encoder.

#include "tools/artgen/image.h"

#include <string>

namespace artgen {

// Empty on failure.
std::string EncodePng(const Image& image);

}  // namespace artgen
