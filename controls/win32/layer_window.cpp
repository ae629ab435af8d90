#include "controls/win32/layer_window.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"
#include "controls/win32/system_entry_points.h"
#include "controls/zoom_slices.h"

namespace cmmctrls {

static_assert(kLayerPixelFormat == PixelFormat32bppARGB);

// What the layered update reads: a top-down 32-bit device bitmap selected
// into a memory device context. Made once and kept while the frames keep
// their size, so a frame costs no new GDI objects.
struct CLayerWindow::FrameTarget {
    FrameTarget(UniqueGdiObject bitmap, UniqueMemoryDc memory, void* pixels, int w, int h)
        : dib(std::move(bitmap)),
          dc(std::move(memory)),
          previous(SelectObject(dc.get(), dib.get())),
          bits(pixels),
          width(w),
          height(h) {}
    ~FrameTarget() { SelectObject(dc.get(), previous); }
    FrameTarget(const FrameTarget&) = delete;
    FrameTarget& operator=(const FrameTarget&) = delete;

    UniqueGdiObject dib;
    UniqueMemoryDc dc;  // released before the bitmap, once it no longer holds it
    HGDIOBJ previous;
    void* bits;
    int width;
    int height;
};

CLayerWindow::CLayerWindow() = default;

CLayerWindow::~CLayerWindow() {
    // The window goes before the back buffer, so no message of it finds the
    // buffer half torn down.
    DestroyWindow();
}

LRESULT CLayerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        default:
            return CWindow::WindowProc(message, wParam, lParam);
    }
}

int CLayerWindow::OnCreate(CREATESTRUCTA* create) {
    if (Default(WM_CREATE, 0, reinterpret_cast<LPARAM>(create)) == -1) {
        return -1;
    }
    RECT client = {};
    GetClientRect(GetSafeHwnd(), &client);
    MakeBackBuffer(client.right, client.bottom);
    TurnLayeredStyle(1);
    return 0;
}

void CLayerWindow::OnSize(UINT type, int width, int height) {
    Default(WM_SIZE, type, MAKELPARAM(width, height));
    MakeBackBuffer(width, height);
}

void CLayerWindow::MakeBackBuffer(int width, int height) {
    graphics_.reset();
    backBuffer_.reset();
    if (width <= 0 || height <= 0) {
        return;  // GDI+ makes no empty bitmaps
    }
    auto buffer = std::make_unique<Gdiplus::Bitmap>(width, height, kLayerPixelFormat);
    if (buffer->GetLastStatus() != Gdiplus::Ok) {
        return;
    }
    auto graphics = std::make_unique<Gdiplus::Graphics>(buffer.get());
    if (graphics->GetLastStatus() != Gdiplus::Ok) {
        return;
    }
    backBuffer_ = std::move(buffer);
    graphics_ = std::move(graphics);
}

CLayerWindow::FrameTarget* CLayerWindow::FrameTargetOf(int width, int height) {
    if (frame_ && frame_->width == width && frame_->height == height) {
        return frame_.get();
    }
    frame_.reset();
    void* bits = nullptr;
    // A null device context stands for the screen in both calls.
    UniqueGdiObject dib = CreateTopDownDib(nullptr, width, height, &bits);
    UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    if (!dib || !memory || bits == nullptr) {
        return nullptr;
    }
    frame_ = std::make_unique<FrameTarget>(std::move(dib), std::move(memory), bits, width, height);
    return frame_.get();
}

void CLayerWindow::SetLayerBitmap(Gdiplus::Bitmap* image, BYTE opacity) {
    UpdateLayeredWindowFunction update = UpdateLayeredWindowEntry();
    if (image == nullptr || update == nullptr || GetSafeHwnd() == nullptr ||
        image->GetPixelFormat() != kLayerPixelFormat) {
        return;
    }
    const int width = static_cast<int>(image->GetWidth());
    const int height = static_cast<int>(image->GetHeight());
    if (width <= 0 || height <= 0) {
        return;
    }
    FrameTarget* frame = FrameTargetOf(width, height);
    if (frame == nullptr) {
        return;
    }
    // The bits are written directly below: GDI must be done with any work it
    // batched on the bitmap.
    GdiFlush();
    // GDI+ writes the image's pixels premultiplied by their alpha, which is
    // what the layered update blends, over the whole of the device bitmap.
    Gdiplus::BitmapData data = {};
    data.Width = static_cast<UINT>(width);
    data.Height = static_cast<UINT>(height);
    data.Stride = width * 4;
    data.PixelFormat = PixelFormat32bppPARGB;
    data.Scan0 = frame->bits;
    Gdiplus::Rect whole(0, 0, width, height);
    if (image->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                        &data) != Gdiplus::Ok) {
        return;
    }
    image->UnlockBits(&data);

    // The window stays where it is; its size is given only when the image
    // has another one, so an unchanged window is not moved or sized anew.
    RECT window = {};
    GetWindowRect(GetSafeHwnd(), &window);
    SIZE size = {width, height};
    const bool resized = window.right - window.left != width || window.bottom - window.top != height;
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    ++framesShown_;
    // The window may change size here and make a new back buffer, which may
    // have been `image`: it is not touched after this call.
    update(GetSafeHwnd(), nullptr, nullptr, resized ? &size : nullptr, frame->dc.get(), &source, 0, &blend, ULW_ALPHA);
}

void CLayerWindow::TurnLayeredStyle(int flag) {
    HWND window = GetSafeHwnd();
    if (window == nullptr) {
        return;
    }
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (flag != 0) {
        SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    } else if ((style & WS_EX_LAYERED) != 0) {
        SetWindowLongPtrA(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    }
}

namespace {

// GDI+ draws into no image with a palette; a scaled copy of one is made in
// 32-bit ARGB instead.
Gdiplus::PixelFormat ScaledFormat(Gdiplus::PixelFormat source) {
    return Gdiplus::IsIndexedPixelFormat(source) ? PixelFormat32bppARGB : source;
}

}  // namespace

Gdiplus::Bitmap* CLayerWindow::ZoomGpBitmap(Gdiplus::Bitmap** image,
                                            unsigned int width,
                                            unsigned int height,
                                            int replace,
                                            int border) {
    constexpr unsigned int kLargest = std::numeric_limits<std::int32_t>::max();
    if (image == nullptr || *image == nullptr || width > kLargest || height > kLargest) {
        return nullptr;
    }
    Gdiplus::Bitmap* source = *image;
    const geometry::Size sourceSize = {static_cast<std::int32_t>(source->GetWidth()),
                                       static_cast<std::int32_t>(source->GetHeight())};
    const geometry::Size newSize = {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    const std::optional<std::vector<SliceCopy>> copies = ZoomSlices(sourceSize, newSize, border);
    if (!copies) {
        return nullptr;
    }
    auto scaled =
        std::make_unique<Gdiplus::Bitmap>(newSize.width, newSize.height, ScaledFormat(source->GetPixelFormat()));
    if (scaled->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    {
        Gdiplus::Graphics graphics(scaled.get());
        if (graphics.GetLastStatus() != Gdiplus::Ok) {
            return nullptr;
        }
        // Pixels are copied, alpha included, not blended; nearest-neighbour
        // sampling with pixel centres at half offsets copies the kept
        // borders exactly and never mixes a slice with its neighbour.
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::ImageAttributes edges;
        edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        for (const SliceCopy& copy : *copies) {
            const Gdiplus::Rect to(copy.destination.x, copy.destination.y, copy.destination.width,
                                   copy.destination.height);
            graphics.DrawImage(source, to, copy.source.x, copy.source.y, copy.source.width, copy.source.height,
                               Gdiplus::UnitPixel, &edges);
        }
    }
    if (replace != 0) {
        delete source;
        *image = scaled.get();
    }
    return scaled.release();
}

}  // namespace cmmctrls
