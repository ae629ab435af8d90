#pragma once

// Import/export switch of the QvSHJ library: QvSHJ.dll exports what is
// marked QVSHJ_API, Windows users import it, native code has nothing to
// switch.

#if defined(_WIN32) && defined(QVSHJ_BUILD)
#define QVSHJ_API __declspec(dllexport)
#elif defined(_WIN32)
#define QVSHJ_API __declspec(dllimport)
#else
#define QVSHJ_API
#endif
