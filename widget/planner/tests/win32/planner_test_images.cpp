#include "widget/planner/tests/win32/planner_test_images.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "common/text_encoding.h"

namespace planner_test {

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int difference = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        largest = std::max(largest, std::abs(difference));
    }
    return largest;
}

bool HasPixelNear(const testkit::Image& image, const PlannerRect& area, std::uint32_t colour, int tolerance) {
    const int right = std::min(area.x + area.width, image.width);
    const int bottom = std::min(area.y + area.height, image.height);
    for (int y = std::max(area.y, 0); y < bottom; ++y) {
        for (int x = std::max(area.x, 0); x < right; ++x) {
            if (ChannelDistance(image.Pixel(x, y), colour) <= tolerance) {
                return true;
            }
        }
    }
    return false;
}

testkit::Image PixelsOf(Gdiplus::Bitmap& bitmap) {
    testkit::Image image;
    image.width = static_cast<int>(bitmap.GetWidth());
    image.height = static_cast<int>(bitmap.GetHeight());
    image.argb.resize(static_cast<std::size_t>(image.width) * image.height);
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(image.width);
    data.Height = static_cast<UINT>(image.height);
    data.Stride = image.width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = image.argb.data();
    Gdiplus::Rect whole(0, 0, image.width, image.height);
    if (bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB,
                        &data) == Gdiplus::Ok) {
        bitmap.UnlockBits(&data);
    }
    return image;
}

std::string ScratchPath(const std::string& name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

bool SavePng(Gdiplus::Bitmap& bitmap, const std::string& path) {
    const std::optional<CLSID> png = testkit::PngEncoder();
    const std::u16string wide = GbkToUtf16(path);
    return png && bitmap.Save(reinterpret_cast<const WCHAR*>(wide.c_str()), &*png, nullptr) == Gdiplus::Ok;
}

}  // namespace planner_test
