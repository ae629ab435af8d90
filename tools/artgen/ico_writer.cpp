#include "tools/artgen/ico_writer.h"

#include "tools/artgen/byte_writer.h"

#include <cassert>

namespace artgen {

int IcoMaskStride(int width) {
    return (width + 31) / 32 * 4;
}

namespace {

std::string EncodeIconImage(const Image& image) {
    const int width = image.width();
    const int height = image.height();
    const int maskStride = IcoMaskStride(width);

    ByteWriter out;
    out.U32(40);
    out.I32(width);
    out.I32(height * 2);  // colour rows followed by mask rows
    out.U16(1);
    out.U16(32);
    out.U32(0);  // BI_RGB
    out.U32(static_cast<std::uint32_t>(width * height * 4 + maskStride * height));
    out.I32(0);
    out.I32(0);
    out.U32(0);
    out.U32(0);

    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgba& pixel = image.at(x, y);
            const Rgba stored = pixel.a == 0 ? Rgba{} : pixel;
            out.U8(stored.b);
            out.U8(stored.g);
            out.U8(stored.r);
            out.U8(stored.a);
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<std::size_t>(maskStride), '\0');
        for (int x = 0; x < width; ++x) {
            if (image.at(x, y).a == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
            }
        }
        out.Bytes(row);
    }
    return out.Take();
}

}  // namespace

std::string EncodeIco(const std::vector<Image>& images) {
    constexpr std::uint32_t kDirectorySize = 6;
    constexpr std::uint32_t kEntrySize = 16;

    std::vector<std::string> encoded;
    for (const Image& image : images) {
        assert(image.width() >= 1 && image.width() <= 256 && image.height() >= 1 && image.height() <= 256);
        encoded.push_back(EncodeIconImage(image));
    }

    ByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // icon (2 would be a cursor)
    out.U16(static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(kDirectorySize + kEntrySize * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A size of 256 is written as 0: the field is one byte.
        out.U8(static_cast<std::uint8_t>(images[i].width() & 0xFF));
        out.U8(static_cast<std::uint8_t>(images[i].height() & 0xFF));
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);   // planes
        out.U16(32);  // bits per pixel
        out.U32(static_cast<std::uint32_t>(encoded[i].size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const std::string& image : encoded) {
        out.Bytes(image);
    }
    return out.Take();
}

}  // namespace artgen
