#pragma once

// LynHook32.dll: lets the loader find and bring forward a window of the side
// program that is already open, so the loader does not start a second copy.
//
// The side program registers its main window once it is set up
// (SetHookTrevaloWnd in navigation mode, SetHookMsnviewWnd in history mode).
// The loader calls ActiveTrevaloWnd / ActiveMsnviewWnd before it starts the
// side program: 1 means a live window of that mode was sent
// kLynHookMessage / kLynHookBringForward and has come forward; 0 means there
// is none and the loader starts the program. Registrations live in named
// shared memory, so they reach every process of the session that loads the
// library. All functions may be called from any thread.

#include <windows.h>

#if defined(_WIN32) && defined(LYNHOOK32_BUILD)
#define LYNHOOK32_API __declspec(dllexport)
#elif defined(_WIN32)
#define LYNHOOK32_API __declspec(dllimport)
#else
#define LYNHOOK32_API
#endif

// The message the registered window receives; its first parameter says why.
// The side program handles all three reasons; this library sends only
// kLynHookBringForward.
inline constexpr UINT kLynHookMessage = 2025;
inline constexpr WPARAM kLynHookEndProgram = 18;
inline constexpr WPARAM kLynHookMouseClick = 2024;
inline constexpr WPARAM kLynHookBringForward = 4023;

extern "C" {

// Lets go of the shared memory in this process and answers 1. Any later call
// opens it again.
LYNHOOK32_API int __cdecl StopHook();

// Brings the registered navigation-mode (history-mode) window forward: 1 when
// it is still open and took the message, else 0. A registration whose window
// is gone is forgotten.
LYNHOOK32_API int __cdecl ActiveTrevaloWnd();
LYNHOOK32_API int __cdecl ActiveMsnviewWnd();

// Registers `window` as the side program's window of that mode, replacing any
// earlier one; nullptr (or a handle that is no window) registers none.
LYNHOOK32_API void __cdecl SetHookTrevaloWnd(HWND window);
LYNHOOK32_API void __cdecl SetHookMsnviewWnd(HWND window);

// Records whether the side program's address history drop-down is shown.
LYNHOOK32_API void __cdecl SetHistoryVisible(bool visible);

}  // extern "C"
