#pragma once

// A window's big and small icon from an icon resource.

#include <windows.h>

// Gives `window` the icon `iconResource` of `resources` in the system's big
// and small sizes. The icons are shared from the module (LR_SHARED): the
// system owns them. A missing icon leaves the window's icon as it was.
void ShowWindowIcon(HWND window, HINSTANCE resources, int iconResource);
