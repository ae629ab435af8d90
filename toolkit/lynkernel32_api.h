#pragma once

// Export switch of LynKernel32.dll: its own sources export, Windows users
// import, and the native build (a static library) needs neither.
#if defined(_WIN32) && defined(LYNKERNEL32_BUILD)
#define LYNKERNEL32_API __declspec(dllexport)
#elif defined(_WIN32)
#define LYNKERNEL32_API __declspec(dllimport)
#else
#define LYNKERNEL32_API
#endif
