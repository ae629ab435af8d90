#pragma once

// Import/export switch of the QvXML library: QvXML.dll exports what is marked
// QVXML_API, Windows users import it, the native build links it statically.

#if defined(_WIN32) && defined(QVXML_BUILD)
#define QVXML_API __declspec(dllexport)
#elif defined(_WIN32)
#define QVXML_API __declspec(dllimport)
#else
#define QVXML_API
#endif
