#pragma once

// Readers for the tests: they decode what the generator wrote, written from
// the file formats' layouts, not from the writers.

#include "tools/artgen/image.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace artgen::testing {

// A BI_RGB bitmap of 24 or 32 bits, bottom-up or top-down. 24-bit pixels
// come back opaque.
std::optional<Image> DecodeBmp(std::string_view bytes);

struct IconImage {
    Image colour;            // 32-bit pixels as stored
    std::vector<bool> mask;  // AND mask, row by row from the top; true = screen shows through
    int maskStride = 0;      // bytes per stored mask row
};

// An .ico of 32-bit images.
std::optional<std::vector<IconImage>> DecodeIco(std::string_view bytes);

// A PNG file or bytes, through cairo's decoder.
std::optional<Image> DecodePng(const std::string& bytes);

// Little-endian fields at an offset (the caller checks the size).
unsigned ReadU16(std::string_view bytes, std::size_t at);
unsigned ReadU32(std::string_view bytes, std::size_t at);
int ReadI32(std::string_view bytes, std::size_t at);

// 0.299 R + 0.587 G + 0.114 B, 0-255.
double Luma(const Rgba& pixel);

}  // namespace artgen::testing
