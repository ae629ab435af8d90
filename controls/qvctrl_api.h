#pragma once

// Import/export switch of the QvCTRL library: QvCTRL.dll exports what is
// marked QVCTRL_API, Windows users import it, native code has nothing to
// switch.

#if defined(_WIN32) && defined(QVCTRL_BUILD)
#define QVCTRL_API __declspec(dllexport)
#elif defined(_WIN32)
#define QVCTRL_API __declspec(dllimport)
#else
#define QVCTRL_API
#endif
