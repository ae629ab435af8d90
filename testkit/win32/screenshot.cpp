#include "testkit/win32/screenshot.h"

#include "common/text_encoding.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/handles.h"

namespace testkit {

namespace {

std::wstring WidePath(const std::string& path) {
    std::u16string wide = GbkToUtf16(path);
    return std::wstring(wide.begin(), wide.end());
}

}  // namespace

std::optional<CLSID> PngEncoder() {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return std::nullopt;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            return encoders[i].Clsid;
        }
    }
    return std::nullopt;
}

bool SaveScreenAreaPng(const RECT& area, const std::string& path) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    GdiplusSession gdiplus;
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!gdiplus.ok() || !screen || !memory || !bitmap) {
        return false;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT)) {
            return false;
        }
    }
    std::optional<CLSID> png = PngEncoder();
    Gdiplus::Bitmap image(static_cast<HBITMAP>(bitmap.get()), nullptr);
    return png && image.GetLastStatus() == Gdiplus::Ok &&
           image.Save(WidePath(path).c_str(), &*png, nullptr) == Gdiplus::Ok;
}

bool SaveScreenPng(const std::string& path) {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenAreaPng(screen, path);
}

// The part of the window on the screen: a maximised window's frame lies
// outside it, and Wine copies nothing but black from an area that starts
// off the screen.
bool SaveWindowPng(HWND window, const std::string& path) {
    RECT area;
    RECT visible;
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return GetWindowRect(window, &area) && IntersectRect(&visible, &area, &screen) && SaveScreenAreaPng(visible, path);
}

std::optional<Image> LoadImageFile(const std::string& path) {
    GdiplusSession gdiplus;
    if (!gdiplus.ok()) {
        return std::nullopt;
    }
    Gdiplus::Bitmap bitmap(WidePath(path).c_str());  // goes before GDI+ shuts down
    if (bitmap.GetLastStatus() != Gdiplus::Ok) {
        return std::nullopt;
    }
    Image image;
    image.width = static_cast<int>(bitmap.GetWidth());
    image.height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Rect all(0, 0, image.width, image.height);
    Gdiplus::BitmapData data;
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return std::nullopt;
    }
    image.argb.resize(static_cast<std::size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
        std::copy_n(reinterpret_cast<const std::uint32_t*>(row), image.width,
                    image.argb.begin() + static_cast<std::ptrdiff_t>(y) * image.width);
    }
    bitmap.UnlockBits(&data);
    return image;
}

bool SaveZoomedPng(const Image& image, int factor, const std::string& path) {
    if (factor < 1 || image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<std::size_t>(image.width) * image.height) {
        return false;
    }
    GdiplusSession gdiplus;
    if (!gdiplus.ok()) {
        return false;
    }
    Gdiplus::Bitmap zoomed(image.width * factor, image.height * factor, PixelFormat32bppARGB);
    Gdiplus::Rect all(0, 0, image.width * factor, image.height * factor);
    Gdiplus::BitmapData data;
    if (zoomed.GetLastStatus() != Gdiplus::Ok ||
        zoomed.LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) != Gdiplus::Ok) {
        return false;
    }
    for (int y = 0; y < image.height * factor; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(static_cast<unsigned char*>(data.Scan0) +
                                                     static_cast<std::ptrdiff_t>(y) * data.Stride);
        for (int x = 0; x < image.width * factor; ++x) {
            row[x] = image.Pixel(x / factor, y / factor);
        }
    }
    zoomed.UnlockBits(&data);
    std::optional<CLSID> png = PngEncoder();
    return png && zoomed.Save(WidePath(path).c_str(), &*png, nullptr) == Gdiplus::Ok;
}

}  // namespace testkit
