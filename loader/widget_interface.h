#pragma once

// What the loader and a widget module share across the library boundary: the
// table of entry points that the module's GetVexaWInterface fills, the host
// record handed to InitWidget and GetPreferWnd, and the per-module
// information block read from the module's descriptor.
//
// The product is a 32-bit build: there the table is nine 32-bit slots and
// its layout is binding (checked below). The native build compiles the same
// declarations with its own pointer size, so the loader's logic can be tested
// with fake modules.

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define WIDGET_CALL __cdecl
#else
#define WIDGET_CALL
#endif

// What the loader hands a widget as "the loader window": the widget sends
// WM_SHOW_TRAY_MENU (3026) to `window` on a right click.
struct WidgetHost {
    void* window = nullptr;  // HWND of the LoaderWindow
};

// The entry points of a widget module, in the order of the table. All use
// the C calling convention.
struct WidgetInterface {
    std::uint32_t size;                                 // the loader sets 36 before asking
    void*(WIDGET_CALL* GetMainWnd)();                   // never called by the loader
    int(WIDGET_CALL* InitWidget)(WidgetHost* host);     // result ignored
    int(WIDGET_CALL* Release)(std::uint32_t argument);  // non-zero: the widget has shut down
    int(WIDGET_CALL* Show)(int show);                   // 1 show, 0 hide
    int(WIDGET_CALL* ShowCalendar)(int show);           // the reminder list window
    int(WIDGET_CALL* GetPreferWnd)(WidgetHost* host);   // runs the settings dialog
    int(WIDGET_CALL* ChangeSkins)();                    // reloads the skin
    int(WIDGET_CALL* IsWidgetWorking)();                // non-zero while the widget's window exists
};

// The export every module has; 0 refuses the table (its size was not 36).
using GetVexaWInterfaceFunction = int(WIDGET_CALL*)(WidgetInterface* table);
inline constexpr char kGetVexaWInterfaceName[] = "GetVexaWInterface";
inline constexpr std::uint32_t kWidgetInterfaceSize = 36;

// Field widths of the information block, in bytes with the terminating zero.
inline constexpr std::size_t kWidgetNameBytes = 32;
inline constexpr std::size_t kWidgetAuthorBytes = 32;
inline constexpr std::size_t kWidgetDescriptionBytes = 2048;
inline constexpr std::size_t kWidgetUrlBytes = 2048;
inline constexpr std::uint32_t kWidgetInfoSize = 4188;

// One module's information, read from its descriptor; texts are GBK and
// always zero-terminated inside their fields.
struct WidgetInfo {
    std::uint32_t size = kWidgetInfoSize;
    std::int32_t version = 0;
    std::uint32_t reserved[4] = {};
    std::int32_t buildTime = 0;  // seconds since 1970, from the build date read as local time
    char name[kWidgetNameBytes] = {};
    char author[kWidgetAuthorBytes] = {};
    char description[kWidgetDescriptionBytes] = {};
    char url[kWidgetUrlBytes] = {};
};

static_assert(sizeof(WidgetInfo) == kWidgetInfoSize);
static_assert(offsetof(WidgetInfo, buildTime) == 24);
static_assert(offsetof(WidgetInfo, name) == 28);
static_assert(offsetof(WidgetInfo, url) == 28 + 32 + 32 + 2048);

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(WidgetInterface) == kWidgetInterfaceSize);
static_assert(offsetof(WidgetInterface, GetMainWnd) == 4);
static_assert(offsetof(WidgetInterface, InitWidget) == 8);
static_assert(offsetof(WidgetInterface, Release) == 12);
static_assert(offsetof(WidgetInterface, Show) == 16);
static_assert(offsetof(WidgetInterface, ShowCalendar) == 20);
static_assert(offsetof(WidgetInterface, GetPreferWnd) == 24);
static_assert(offsetof(WidgetInterface, ChangeSkins) == 28);
static_assert(offsetof(WidgetInterface, IsWidgetWorking) == 32);
#endif
