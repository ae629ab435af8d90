#include "common/win32/top_down_dib.h"

BITMAPINFO TopDownBitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // a negative height puts the top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

UniqueGdiObject CreateTopDownDib(HDC dc, int width, int height, void** bits) {
    const BITMAPINFO info = TopDownBitmapInfo(width, height);
    void* pixels = nullptr;
    UniqueGdiObject dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    *bits = dib ? pixels : nullptr;
    return dib;
}
