#include "tools/artgen/bmp_writer.h"

#include "tools/artgen/byte_writer.h"

namespace artgen {

int BmpRowStride(int width, BmpDepth depth) {
    const int bits = width * static_cast<int>(depth);
    return (bits + 31) / 32 * 4;
}

std::string EncodeBmp(const Image& image, BmpDepth depth) {
    constexpr std::uint32_t kHeadersSize = 14 + 40;
    const int stride = BmpRowStride(image.width(), depth);
    const auto pixelBytes = static_cast<std::uint32_t>(stride) * static_cast<std::uint32_t>(image.height());

    ByteWriter out;
    // BITMAPFILEHEADER
    out.Bytes("BM");
    out.U32(kHeadersSize + pixelBytes);
    out.U16(0);
    out.U16(0);
    out.U32(kHeadersSize);
    // BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
    out.U32(40);
    out.I32(image.width());
    out.I32(image.height());
    out.U16(1);
    out.U16(static_cast<std::uint16_t>(depth));
    out.U32(0);  // BI_RGB
    out.U32(pixelBytes);
    out.I32(2835);  // 72 dots per inch, in dots per metre
    out.I32(2835);
    out.U32(0);
    out.U32(0);

    const int pixelSize = static_cast<int>(depth) / 8;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& pixel = image.at(x, y);
            out.U8(pixel.b);
            out.U8(pixel.g);
            out.U8(pixel.r);
            if (depth == BmpDepth::k32) {
                out.U8(pixel.a);
            }
        }
        out.Zeros(static_cast<std::size_t>(stride - image.width() * pixelSize));
    }
    return out.Take();
}

}  // namespace artgen
