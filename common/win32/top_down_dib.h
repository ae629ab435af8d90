#pragma once

// 32-bit device-independent bitmaps with the top row first, the layout
// every picture of the suite is drawn in and read back from.

#include <windows.h>

#include "common/win32/handles.h"

// The header of a width x height bitmap of 32-bit pixels (blue, green, red
// and a fourth byte), top row first.
BITMAPINFO TopDownBitmapInfo(int width, int height);

// A DIB section of that layout, compatible with `dc` (null: the screen);
// `bits` receives its pixels. Null, with `bits` null, when it cannot be
// made.
UniqueGdiObject CreateTopDownDib(HDC dc, int width, int height, void** bits);
