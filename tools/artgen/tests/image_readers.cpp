#include "tools/artgen/tests/image_readers.h"

#include <cairo.h>

#include <cstdint>
#include <cstdlib>

namespace artgen::testing {

unsigned ReadU16(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

unsigned ReadU32(std::string_view bytes, std::size_t at) {
    return ReadU16(bytes, at) | ReadU16(bytes, at + 2) << 16;
}

int ReadI32(std::string_view bytes, std::size_t at) {
    return static_cast<int>(static_cast<std::int32_t>(ReadU32(bytes, at)));
}

double Luma(const Rgba& pixel) {
    return 0.299 * pixel.r + 0.587 * pixel.g + 0.114 * pixel.b;
}

std::optional<Image> DecodeBmp(std::string_view bytes) {
    if (bytes.size() < 54 || bytes.substr(0, 2) != "BM" || ReadU32(bytes, 14) < 40 || ReadU32(bytes, 30) != 0) {
        return std::nullopt;
    }
    const unsigned offset = ReadU32(bytes, 10);
    const int width = ReadI32(bytes, 18);
    const int storedHeight = ReadI32(bytes, 22);
    const unsigned depth = ReadU16(bytes, 28);
    if (width <= 0 || storedHeight == 0 || (depth != 24 && depth != 32)) {
        return std::nullopt;
    }
    const int height = std::abs(storedHeight);
    const std::size_t stride = (static_cast<std::size_t>(width) * depth + 31) / 32 * 4;
    if (offset > bytes.size() || (bytes.size() - offset) / stride < static_cast<std::size_t>(height)) {
        return std::nullopt;
    }
    Image image(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = storedHeight > 0 ? height - 1 - row : row;
        const std::size_t start = offset + static_cast<std::size_t>(row) * stride;
        for (int x = 0; x < width; ++x) {
            const std::size_t at = start + static_cast<std::size_t>(x) * (depth / 8);
            const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[at + i]); };
            image.at(x, y) = Rgba{byte(2), byte(1), byte(0), depth == 32 ? byte(3) : std::uint8_t{255}};
        }
    }
    return image;
}

std::optional<std::vector<IconImage>> DecodeIco(std::string_view bytes) {
    if (bytes.size() < 6 || ReadU16(bytes, 0) != 0 || ReadU16(bytes, 2) != 1) {
        return std::nullopt;
    }
    const unsigned count = ReadU16(bytes, 4);
    if (bytes.size() < 6 + 16 * static_cast<std::size_t>(count)) {
        return std::nullopt;
    }
    std::vector<IconImage> images;
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const std::size_t size = ReadU32(bytes, entry + 8);
        const std::size_t offset = ReadU32(bytes, entry + 12);
        if (offset > bytes.size() || size > bytes.size() - offset || size < 40) {
            return std::nullopt;
        }
        const std::string_view data = bytes.substr(offset, size);
        const int width = ReadI32(data, 4);
        const int doubled = ReadI32(data, 8);
        if (ReadU32(data, 0) != 40 || ReadU16(data, 14) != 32 || width <= 0 || doubled <= 0 || doubled % 2 != 0) {
            return std::nullopt;
        }
        const int height = doubled / 2;
        IconImage icon;
        icon.maskStride = (width + 31) / 32 * 4;
        const std::size_t colourBytes = static_cast<std::size_t>(width) * height * 4;
        if (data.size() < 40 + colourBytes + static_cast<std::size_t>(icon.maskStride) * height) {
            return std::nullopt;
        }
        icon.colour = Image(width, height);
        icon.mask.assign(static_cast<std::size_t>(width) * height, false);
        for (int row = 0; row < height; ++row) {
            const int y = height - 1 - row;
            for (int x = 0; x < width; ++x) {
                const std::size_t at = 40 + (static_cast<std::size_t>(row) * width + x) * 4;
                const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(data[at + k]); };
                icon.colour.at(x, y) = Rgba{byte(2), byte(1), byte(0), byte(3)};
                const std::size_t maskAt = 40 + colourBytes + static_cast<std::size_t>(row) * icon.maskStride + x / 8;
                icon.mask[static_cast<std::size_t>(y) * width + x] =
                    (static_cast<std::uint8_t>(data[maskAt]) & (0x80 >> (x % 8))) != 0;
            }
        }
        images.push_back(std::move(icon));
    }
    return images;
}

namespace {

struct Reading {
    const std::string* bytes;
    std::size_t at = 0;
};

cairo_status_t ReadChunk(void* closure, unsigned char* data, unsigned int length) {
    auto* reading = static_cast<Reading*>(closure);
    if (reading->bytes->size() - reading->at < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    reading->bytes->copy(reinterpret_cast<char*>(data), length, reading->at);
    reading->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<Image> DecodePng(const std::string& bytes) {
    Reading reading{&bytes};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(ReadChunk, &reading);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                                                 y * cairo_image_surface_get_stride(surface));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t alpha = hasAlpha ? argb >> 24 : 255;
            if (alpha == 0) {
                continue;
            }
            const auto channel = [&](int shift) {
                return static_cast<std::uint8_t>((((argb >> shift) & 0xFF) * 255 + alpha / 2) / alpha);
            };
            image.at(x, y) = Rgba{channel(16), channel(8), channel(0), static_cast<std::uint8_t>(alpha)};
        }
    }
    cairo_surface_destroy(surface);
    return image;
}

}  // namespace artgen::testing
