#pragma once

// Import/export switch of the QvKernel32 library: QvKernel32.dll exports what
// is marked QVKERNEL32_API, Windows users import it, native code has nothing
// to switch.

#if defined(_WIN32) && defined(QVKERNEL32_BUILD)
#define QVKERNEL32_API __declspec(dllexport)
#elif defined(_WIN32)
#define QVKERNEL32_API __declspec(dllimport)
#else
#define QVKERNEL32_API
#endif
