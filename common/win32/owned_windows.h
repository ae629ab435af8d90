#pragma once

// Owned windows kept above their owner. Windows does this by itself, but
// Wine (with or without a window manager) raises only the window it is asked
// to raise, so an owner brought to the top covers the windows it owns.

#include <windows.h>

// Places `window` at the top of its owner's band: among the topmost windows
// when the owner is topmost, else at the top of the others, so above its
// owner. False when it has no owner or could not be moved.
bool KeepAboveOwner(HWND window);

// Every visible window owned by `owner`, directly or through another owned
// window, placed above `owner` in the order they are stacked now. False when
// one of them could not be moved.
bool KeepOwnedWindowsAbove(HWND owner);
