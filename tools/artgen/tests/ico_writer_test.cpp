#include "tools/artgen/ico_writer.h"

#include "tools/artgen/tests/image_readers.h"

#include <gtest/gtest.h>

#include <string>

namespace artgen {
namespace {

using testing::DecodeIco;
using testing::ReadI32;
using testing::ReadU16;
using testing::ReadU32;

// An opaque square on a transparent ground, with one half-transparent pixel.
Image Badge(int size) {
    Image image(size, size);
    for (int y = 2; y < size - 2; ++y) {
        for (int x = 3; x < size - 3; ++x) {
            image.at(x, y) = Rgba{static_cast<std::uint8_t>(x * 7), static_cast<std::uint8_t>(y * 5), 90, 255};
        }
    }
    image.at(1, 1) = Rgba{200, 10, 10, 128};
    return image;
}

TEST(IcoWriter, DirectoryListsEachSizeWithContiguousData) {
    const std::string bytes = EncodeIco({Badge(16), Badge(32)});
    ASSERT_GE(bytes.size(), 6u + 2 * 16);
    EXPECT_EQ(ReadU16(bytes, 0), 0u);
    EXPECT_EQ(ReadU16(bytes, 2), 1u);  // icon, not cursor
    EXPECT_EQ(ReadU16(bytes, 4), 2u);

    std::size_t expectedOffset = 6 + 2 * 16;
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        const int size = i == 0 ? 16 : 32;
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry]), size);
        EXPECT_EQ(static_cast<unsigned char>(bytes[entry + 1]), size);
        EXPECT_EQ(bytes[entry + 2], 0);  // no palette
        EXPECT_EQ(ReadU16(bytes, entry + 4), 1u);
        EXPECT_EQ(ReadU16(bytes, entry + 6), 32u);
        // Header, 32-bit colour rows, and mask rows of 4 bytes (16 or 32 bits padded).
        const std::size_t imageSize =
            40 + static_cast<std::size_t>(size) * size * 4 + 4 * static_cast<std::size_t>(size);
        EXPECT_EQ(ReadU32(bytes, entry + 8), imageSize);
        EXPECT_EQ(ReadU32(bytes, entry + 12), expectedOffset);
        const std::size_t header = expectedOffset;
        EXPECT_EQ(ReadU32(bytes, header), 40u);
        EXPECT_EQ(ReadI32(bytes, header + 4), size);
        EXPECT_EQ(ReadI32(bytes, header + 8), 2 * size);  // colour and mask rows
        EXPECT_EQ(ReadU16(bytes, header + 14), 32u);
        expectedOffset += imageSize;
    }
    EXPECT_EQ(bytes.size(), expectedOffset);
}

TEST(IcoWriter, MaskMarksExactlyTheFullyTransparentPixels) {
    for (int size : {16, 24, 32, 48}) {
        SCOPED_TRACE(size);
        const Image image = Badge(size);
        const auto icons = DecodeIco(EncodeIco({image}));
        ASSERT_TRUE(icons);
        ASSERT_EQ(icons->size(), 1u);
        const testing::IconImage& icon = (*icons)[0];
        EXPECT_EQ(icon.maskStride, IcoMaskStride(size));
        EXPECT_EQ(icon.maskStride % 4, 0);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const bool transparent = image.at(x, y).a == 0;
                EXPECT_EQ(icon.mask[static_cast<std::size_t>(y) * size + x], transparent) << x << "," << y;
                // Transparent pixels are stored all zero; the rest as drawn.
                EXPECT_EQ(icon.colour.at(x, y), transparent ? Rgba{} : image.at(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(IcoWriter, MaskRowPaddingIsZero) {
    // 20 pixels: 3 bytes of mask bits, one byte of padding per row.
    Image image(20, 2);  // all transparent: every mask bit 1
    const std::string bytes = EncodeIco({image});
    const std::size_t mask = 6 + 16 + 40 + 20 * 2 * 4;
    ASSERT_EQ(bytes.size(), mask + 2 * 4);
    for (std::size_t row = 0; row < 2; ++row) {
        EXPECT_EQ(static_cast<unsigned char>(bytes[mask + row * 4]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(bytes[mask + row * 4 + 1]), 0xFF);
        EXPECT_EQ(static_cast<unsigned char>(bytes[mask + row * 4 + 2]), 0xF0);  // bits 16-19, then unused bits
        EXPECT_EQ(bytes[mask + row * 4 + 3], 0);
    }
}

TEST(IcoWriter, SizeOf256IsWrittenAsZero) {
    const std::string bytes = EncodeIco({Image(256, 256)});
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 0);
    const auto icons = DecodeIco(bytes);
    ASSERT_TRUE(icons);
    EXPECT_EQ((*icons)[0].colour.width(), 256);
}

}  // namespace
}  // namespace artgen
