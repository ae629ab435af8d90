#include "tools/artgen/bmp_writer.h"

#include "tools/artgen/tests/image_readers.h"

#include <gtest/gtest.h>

#include <string>

namespace artgen {
namespace {

using testing::DecodeBmp;
using testing::ReadI32;
using testing::ReadU16;
using testing::ReadU32;

// Every pixel different, so a row or channel out of place shows.
Image Gradient(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.at(x, y) = Rgba{static_cast<std::uint8_t>(10 + x), static_cast<std::uint8_t>(100 + y),
                                  static_cast<std::uint8_t>(200 + x + y), static_cast<std::uint8_t>(x * 40 + y)};
        }
    }
    return image;
}

TEST(BmpWriter, HeadersOfA24BitImage) {
    const std::string bytes = EncodeBmp(Gradient(3, 2), BmpDepth::k24);
    // 3 pixels of 3 bytes make 9, padded to 12 per row.
    ASSERT_EQ(bytes.size(), 54u + 12 * 2);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(ReadU32(bytes, 2), 78u);   // file size
    EXPECT_EQ(ReadU32(bytes, 10), 54u);  // pixel offset
    EXPECT_EQ(ReadU32(bytes, 14), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(ReadI32(bytes, 18), 3);
    EXPECT_EQ(ReadI32(bytes, 22), 2);  // positive: bottom-up
    EXPECT_EQ(ReadU16(bytes, 26), 1u);
    EXPECT_EQ(ReadU16(bytes, 28), 24u);
    EXPECT_EQ(ReadU32(bytes, 30), 0u);  // BI_RGB
    EXPECT_EQ(ReadU32(bytes, 34), 24u);
    EXPECT_EQ(ReadU32(bytes, 46), 0u);  // no palette
}

TEST(BmpWriter, RowsRunBottomUpInBlueGreenRedWithZeroPadding) {
    struct Case {
        int width;
        BmpDepth depth;
        int stride;
    };
    const Case cases[] = {
        {1, BmpDepth::k24, 4},  {2, BmpDepth::k24, 8}, {3, BmpDepth::k24, 12}, {4, BmpDepth::k24, 12},
        {5, BmpDepth::k24, 16}, {1, BmpDepth::k32, 4}, {3, BmpDepth::k32, 12}, {7, BmpDepth::k32, 28},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " pixels, " << static_cast<int>(c.depth) << " bits");
        const Image image = Gradient(c.width, 3);
        const std::string bytes = EncodeBmp(image, c.depth);
        EXPECT_EQ(BmpRowStride(c.width, c.depth), c.stride);
        ASSERT_EQ(bytes.size(), 54u + static_cast<std::size_t>(c.stride) * 3);
        const int pixelSize = static_cast<int>(c.depth) / 8;
        for (int stored = 0; stored < 3; ++stored) {
            const std::size_t row = 54 + static_cast<std::size_t>(stored) * c.stride;
            const int y = 2 - stored;  // the first stored row is the bottom one
            for (int x = 0; x < c.width; ++x) {
                const std::size_t at = row + static_cast<std::size_t>(x) * pixelSize;
                EXPECT_EQ(static_cast<std::uint8_t>(bytes[at]), image.at(x, y).b);
                EXPECT_EQ(static_cast<std::uint8_t>(bytes[at + 1]), image.at(x, y).g);
                EXPECT_EQ(static_cast<std::uint8_t>(bytes[at + 2]), image.at(x, y).r);
                if (c.depth == BmpDepth::k32) {
                    EXPECT_EQ(static_cast<std::uint8_t>(bytes[at + 3]), image.at(x, y).a);
                }
            }
            for (std::size_t pad = row + static_cast<std::size_t>(c.width) * pixelSize; pad < row + c.stride; ++pad) {
                EXPECT_EQ(bytes[pad], '\0');
            }
        }
    }
}

TEST(BmpWriter, ReadsBackAsWritten) {
    const Image image = Gradient(13, 7);
    const auto read24 = DecodeBmp(EncodeBmp(image, BmpDepth::k24));
    ASSERT_TRUE(read24);
    Image opaque = image;
    for (int y = 0; y < opaque.height(); ++y) {
        for (int x = 0; x < opaque.width(); ++x) {
            opaque.at(x, y).a = 255;  // 24 bits keep no opacity
        }
    }
    EXPECT_EQ(*read24, opaque);

    const auto read32 = DecodeBmp(EncodeBmp(image, BmpDepth::k32));
    ASSERT_TRUE(read32);
    EXPECT_EQ(*read32, image);
}

}  // namespace
}  // namespace artgen
