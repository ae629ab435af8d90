#pragma once

// Finds where on the screen the loader's tray icon is, so the worker can tell
// whether the pointer rests on it (the tray sends no notice when the pointer
// leaves an icon). It asks the shell first; a shell that cannot say (Wine's
// cannot) is searched on the screen: the icon is shown for a moment as an
// all-black marker and the tray's pixels are scanned for it.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/win32/handles.h"
#include "loader/system_figures.h"

struct IconLocation {
    std::optional<ScreenPoint> point;  // none: not found, or hidden
    bool markerShown = false;          // the tray shows the marker now; the owner puts its icon back
};

class TrayIconLocator {
public:
    TrayIconLocator(HWND owner, UINT iconId);

    // The icon's point (its hover square covers the icon). Used on the
    // worker's thread only.
    IconLocation Locate();

private:
    std::optional<ScreenPoint> AskShell() const;
    std::optional<ScreenPoint> ScanScreen();

    HWND owner_;
    UINT iconId_;
    UniqueIcon marker_;
    std::optional<ScreenPoint> lastScanPoint_;
    std::uint32_t lastScanTick_ = 0;
};
