#pragma once

// A tiny DLL for the platform test: it throws a C++ exception across its
// boundary, as the suite's own libraries do.

#include <windows.h>

#ifdef THROWING_LIBRARY_BUILD
#define THROWING_LIBRARY_API __declspec(dllexport)
#else
#define THROWING_LIBRARY_API __declspec(dllimport)
#endif

// Throws std::runtime_error carrying `message`.
THROWING_LIBRARY_API void ThrowFromLibrary(const char* message);
