#pragma once

// Window functions the controls look up at run time, so that a system
// without them still runs the library (the calls then do nothing).

#include <windows.h>

namespace cmmctrls {

using UpdateLayeredWindowFunction =
    BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using AnimateWindowFunction = BOOL(WINAPI*)(HWND, DWORD, DWORD);

// Null when the user-interface library lacks the function.
UpdateLayeredWindowFunction UpdateLayeredWindowEntry();
AnimateWindowFunction AnimateWindowEntry();

}  // namespace cmmctrls
