#pragma once

// A skin picture of the toolkit's controls: a bitmap loaded from a BMP file
// with its size, and the few ways the controls draw one.

#include <windows.h>

#include <optional>
#include <string>

#include "common/win32/handles.h"

class SkinImage {
public:
    // False (and empty) when the path is empty or the file is no bitmap.
    bool Load(const std::string& path);
    void Reset();

    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HBITMAP get() const { return static_cast<HBITMAP>(bitmap_.get()); }
    int Width() const { return size_.cx; }
    int Height() const { return size_.cy; }

    // At (x, y) in its own size.
    void Draw(HDC dc, int x, int y) const;
    // Stretched to `box`.
    void Stretch(HDC dc, const RECT& box) const;
    // Repeated across `box` from its left top corner, the last copy cut.
    void Tile(HDC dc, const RECT& box) const;
    // Stretched to `box`, pixels of `mask` left out.
    void DrawMasked(HDC dc, const RECT& box, COLORREF mask) const;

private:
    UniqueGdiObject bitmap_;
    SIZE size_{};
};

// A bitmap of a window's size to draw into before copying it to the
// screen at once, so a repaint never shows half-drawn states.
class OffscreenDc {
public:
    OffscreenDc(HDC target, int width, int height);
    HDC get() const { return dc_.get(); }
    void CopyTo(HDC target) const;

private:
    int width_;
    int height_;
    UniqueMemoryDc dc_;
    UniqueGdiObject bitmap_;
    std::optional<SelectedObject> selected_;
};

// Paints `window` (for its WM_PAINT) through an off-screen buffer of its
// client area's size: `paint` draws into the buffer's DC.
template <typename Painter>
void PaintBuffered(HWND window, Painter&& paint) {
    PaintScope scope(window);
    RECT client{};
    GetClientRect(window, &client);
    OffscreenDc buffer(scope.dc(), client.right, client.bottom);
    paint(buffer.get());
    buffer.CopyTo(scope.dc());
}

// Fills `box` with `colour`.
void FillSolid(HDC dc, const RECT& box, COLORREF colour);

// A one-pixel frame just inside `box`.
void FrameSolid(HDC dc, const RECT& box, COLORREF colour);

// `colour` with each component scaled to `percent` of its value.
COLORREF Shade(COLORREF colour, int percent);
