#pragma once

// Import/export switch of the QvCB library: QvCB.dll exports what is marked
// QVCB_API, Windows users import it, the native build links it statically.

#if defined(_WIN32) && defined(QVCB_BUILD)
#define QVCB_API __declspec(dllexport)
#elif defined(_WIN32)
#define QVCB_API __declspec(dllimport)
#else
#define QVCB_API
#endif
