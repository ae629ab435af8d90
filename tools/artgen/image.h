#pragma once

// A plain picture in memory: straight (not premultiplied) RGBA pixels, row by
// row from the top. The drawing code works in cairo; everything that leaves
// the generator (PNG, BMP, ICO) is encoded from one of these.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

// 0xRRGGBB with an optional opacity.
constexpr Rgba Hex(std::uint32_t rgb, std::uint8_t alpha = 255) {
    return Rgba{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                static_cast<std::uint8_t>(rgb), alpha};
}

constexpr Rgba WithAlpha(Rgba colour, double opacity) {
    return Rgba{colour.r, colour.g, colour.b, static_cast<std::uint8_t>(opacity * 255.0 + 0.5)};
}

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = Rgba{});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }

    Rgba& at(int x, int y) { return pixels_[Index(x, y)]; }
    const Rgba& at(int x, int y) const { return pixels_[Index(x, y)]; }

    // The part (x, y, width, height); the rectangle must lie inside.
    Image Crop(int x, int y, int width, int height) const;
    // Copies `source` into this image with its top-left corner at (x, y),
    // replacing the pixels (no blending); parts outside are dropped.
    void Paste(const Image& source, int x, int y);

    friend bool operator==(const Image&, const Image&) = default;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

// `over` blended source-over onto the opaque `under`; the result is opaque.
Rgba BlendOver(Rgba over, Rgba under);

// An opaque copy of `image` as if drawn over `background` (same size).
Image FlattenOver(const Image& image, const Image& background);
Image FlattenOver(const Image& image, Rgba background);

// For bitmaps that Windows masks with a key colour (image lists, bitmap
// buttons): pixels with less than `threshold` opacity become exactly `key`,
// the others are blended over `background`, the colour the picture will be
// shown on, so their anti-aliased edges match it. The result is opaque.
Image KeyOut(const Image& image, const Image& background, Rgba key, std::uint8_t threshold);
Image KeyOut(const Image& image, Rgba background, Rgba key, std::uint8_t threshold);

}  // namespace artgen
