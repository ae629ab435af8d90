#include "tools/artgen/image.h"

#include <cassert>

namespace artgen {

Image::Image(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {
    assert(width >= 0 && height >= 0);
}

Image Image::Crop(int x, int y, int width, int height) const {
    assert(x >= 0 && y >= 0 && x + width <= width_ && y + height <= height_);
    Image part(width, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            part.at(column, row) = at(x + column, y + row);
        }
    }
    return part;
}

void Image::Paste(const Image& source, int x, int y) {
    for (int row = 0; row < source.height(); ++row) {
        for (int column = 0; column < source.width(); ++column) {
            const int tx = x + column;
            const int ty = y + row;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_) {
                at(tx, ty) = source.at(column, row);
            }
        }
    }
}

Rgba BlendOver(Rgba over, Rgba under) {
    const auto mix = [&](std::uint8_t top, std::uint8_t bottom) {
        return static_cast<std::uint8_t>((top * over.a + bottom * (255 - over.a) + 127) / 255);
    };
    return Rgba{mix(over.r, under.r), mix(over.g, under.g), mix(over.b, under.b), 255};
}

Image FlattenOver(const Image& image, const Image& background) {
    assert(image.width() == background.width() && image.height() == background.height());
    Image flat(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Rgba under = background.at(x, y);
            under.a = 255;
            flat.at(x, y) = BlendOver(image.at(x, y), under);
        }
    }
    return flat;
}

Image FlattenOver(const Image& image, Rgba background) {
    return FlattenOver(image, Image(image.width(), image.height(), background));
}

Image KeyOut(const Image& image, const Image& background, Rgba key, std::uint8_t threshold) {
    Image keyed = FlattenOver(image, background);
    key.a = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Rgba& pixel = keyed.at(x, y);
            if (image.at(x, y).a < threshold) {
                pixel = key;
            } else if (pixel == key) {
                // A visible pixel that blends to the key colour would vanish.
                pixel.b = static_cast<std::uint8_t>(key.b == 255 ? 254 : key.b + 1);
            }
        }
    }
    return keyed;
}

Image KeyOut(const Image& image, Rgba background, Rgba key, std::uint8_t threshold) {
    return KeyOut(image, Image(image.width(), image.height(), background), key, threshold);
}

}  // namespace artgen
