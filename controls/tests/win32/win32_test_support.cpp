#include "controls/tests/win32/win32_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"

namespace controls_test {

namespace {

// GDI+ for the whole test program; every image of a test is gone before
// the environment is torn down.
class GdiplusEnvironment : public testing::Environment {
public:
    void SetUp() override {
        session_ = std::make_unique<GdiplusSession>();
        ASSERT_TRUE(session_->ok());
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiplusSession> session_;
};

[[maybe_unused]] testing::Environment* const gdiplusEnvironment =
    testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace

std::string ArtPath(const std::string& relative) {
    return std::string(CONTROLS_ART_DIR) + "/" + relative;
}

std::unique_ptr<Gdiplus::Bitmap> MakeBitmap(int width,
                                            int height,
                                            Gdiplus::PixelFormat format,
                                            const std::function<std::uint32_t(int, int)>& colour) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap->SetPixel(x, y, Gdiplus::Color(colour(x, y)));
        }
    }
    return bitmap;
}

std::uint32_t PixelOf(Gdiplus::Bitmap& bitmap, int x, int y) {
    Gdiplus::Color colour;
    bitmap.GetPixel(x, y, &colour);
    return colour.GetValue();
}

std::uint32_t PremultipliedOverBlack(std::uint32_t argb, int opacity) {
    const std::uint32_t alpha = (argb >> 24) * static_cast<std::uint32_t>(opacity);
    std::uint32_t result = 0;
    for (int shift : {16, 8, 0}) {
        const std::uint32_t channel = (argb >> shift) & 0xFF;
        result |= ((channel * alpha + 255 * 255 / 2) / (255 * 255)) << shift;
    }
    return result;
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift : {16, 8, 0}) {
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return largest;
}

ScreenPixels ReadScreen(const RECT& area) {
    ScreenPixels pixels;
    pixels.area = area;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!screen || !memory || !bitmap || width <= 0 || height <= 0) {
        return pixels;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT);
    }
    BITMAPINFO info = TopDownBitmapInfo(width, height);
    pixels.rgb.resize(static_cast<std::size_t>(width) * height);
    GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0, height, pixels.rgb.data(), &info, DIB_RGB_COLORS);
    for (std::uint32_t& pixel : pixels.rgb) {
        pixel &= 0x00FFFFFF;
    }
    return pixels;
}

bool MessageLogWindow::Open(int x, int y, int width, int height) {
    if (!CreateEx(WS_EX_TOOLWINDOW, "CONTROLS_TEST_PARENT", "controls test parent", WS_POPUP | WS_VISIBLE, x, y, width,
                  height, nullptr, nullptr)) {
        return false;
    }
    return true;
}

std::vector<MessageLogWindow::Entry> MessageLogWindow::Of(UINT message) const {
    std::vector<Entry> found;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(found),
                 [message](const Entry& entry) { return entry.message == message; });
    return found;
}

LRESULT MessageLogWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < 0x8000) {
        entries.push_back({message, wParam, lParam});
        return 0;
    }
    return CWindow::WindowProc(message, wParam, lParam);
}

}  // namespace controls_test
