#include "toolkit/win32/skin_image.h"

bool SkinImage::Load(const std::string& path) {
    Reset();
    if (path.empty()) {
        return false;
    }
    // A DIB section keeps the file's colours whatever the screen's depth.
    HANDLE loaded = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (loaded == nullptr) {
        return false;
    }
    bitmap_.reset(loaded);
    BITMAP info{};
    if (GetObjectA(loaded, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) {
        Reset();
        return false;
    }
    size_ = {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
    return true;
}

void SkinImage::Reset() {
    bitmap_.reset();
    size_ = {};
}

void SkinImage::Draw(HDC dc, int x, int y) const {
    Stretch(dc, RECT{x, y, x + size_.cx, y + size_.cy});
}

void SkinImage::Stretch(HDC dc, const RECT& box) const {
    if (!bitmap_) {
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    const SelectedObject picture(source.get(), bitmap_.get());
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    if (width == size_.cx && height == size_.cy) {
        BitBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, box.left, box.top, width, height, source.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
}

void SkinImage::Tile(HDC dc, const RECT& box) const {
    if (!bitmap_) {
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    const SelectedObject picture(source.get(), bitmap_.get());
    for (int y = box.top; y < box.bottom; y += size_.cy) {
        for (int x = box.left; x < box.right; x += size_.cx) {
            const int width = x + size_.cx > box.right ? box.right - x : size_.cx;
            const int height = y + size_.cy > box.bottom ? box.bottom - y : size_.cy;
            BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
        }
    }
}

void SkinImage::DrawMasked(HDC dc, const RECT& box, COLORREF mask) const {
    if (!bitmap_) {
        return;
    }
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    const SelectedObject picture(source.get(), bitmap_.get());
    TransparentBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source.get(), 0, 0, size_.cx,
                   size_.cy, mask);
}

OffscreenDc::OffscreenDc(HDC target, int width, int height)
    : width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1),
      dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, width_, height_)) {
    if (dc_ && bitmap_) {
        selected_.emplace(dc_.get(), bitmap_.get());
    }
}

void OffscreenDc::CopyTo(HDC target) const {
    if (selected_) {
        BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }
}

void FillSolid(HDC dc, const RECT& box, COLORREF colour) {
    const UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

void FrameSolid(HDC dc, const RECT& box, COLORREF colour) {
    const UniqueGdiObject brush(CreateSolidBrush(colour));
    FrameRect(dc, &box, static_cast<HBRUSH>(brush.get()));
}

COLORREF Shade(COLORREF colour, int percent) {
    return RGB(GetRValue(colour) * percent / 100, GetGValue(colour) * percent / 100, GetBValue(colour) * percent / 100);
}
