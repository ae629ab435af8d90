#include "tools/artgen/pixel_font.h"

#include <array>

namespace artgen {

namespace {

using Glyph = std::array<std::string_view, kPixelDigitHeight>;

// '#' is an inked pixel; index = digit.
constexpr std::array<Glyph, 10> kDigits = {{
    {".###.", "##.##", "##.##", "##.##", "##.##", "##.##", "##.##", "##.##", ".###."},
    {"..##.", ".###.", "####.", "..##.", "..##.", "..##.", "..##.", "..##.", "..##."},
    {".###.", "##.##", "...##", "...##", "..##.", ".##..", "##...", "##...", "#####"},
    {"####.", "...##", "...##", "...##", ".###.", "...##", "...##", "...##", "####."},
    {"...##", "..###", ".####", "##.##", "##.##", "#####", "...##", "...##", "...##"},
    {"#####", "##...", "##...", "####.", "...##", "...##", "...##", "##.##", ".###."},
    {".###.", "##...", "##...", "####.", "##.##", "##.##", "##.##", "##.##", ".###."},
    {"#####", "...##", "...##", "..##.", "..##.", ".##..", ".##..", ".##..", ".##.."},
    {".###.", "##.##", "##.##", "##.##", ".###.", "##.##", "##.##", "##.##", ".###."},
    {".###.", "##.##", "##.##", "##.##", ".####", "...##", "...##", "...##", ".###."},
}};

}  // namespace

int PixelTextWidth(std::string_view digits) {
    if (digits.empty()) {
        return 0;
    }
    return static_cast<int>(digits.size()) * (kPixelDigitWidth + kPixelDigitGap) - kPixelDigitGap;
}

void DrawPixelDigits(Image& image, std::string_view digits, int x, int y, Rgba colour) {
    for (char digit : digits) {
        if (digit < '0' || digit > '9') {
            continue;
        }
        const Glyph& glyph = kDigits[static_cast<std::size_t>(digit - '0')];
        for (int row = 0; row < kPixelDigitHeight; ++row) {
            for (int column = 0; column < kPixelDigitWidth; ++column) {
                const int px = x + column;
                const int py = y + row;
                if (glyph[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#' && px >= 0 &&
                    py >= 0 && px < image.width() && py < image.height()) {
                    image.at(px, py) = colour;
                }
            }
        }
        x += kPixelDigitWidth + kPixelDigitGap;
    }
}

}  // namespace artgen
