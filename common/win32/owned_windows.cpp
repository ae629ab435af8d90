#include "common/win32/owned_windows.h"

#include <vector>

namespace {

// Owner chains are short (a message box of an editor of the calendar); the
// bound only guards the walk.
constexpr int kMaxOwnerDepth = 16;

bool IsOwnedBy(HWND window, HWND owner) {
    HWND current = window;
    for (int depth = 0; depth < kMaxOwnerDepth; ++depth) {
        current = GetWindow(current, GW_OWNER);
        if (current == nullptr) {
            return false;
        }
        if (current == owner) {
            return true;
        }
    }
    return false;
}

struct OwnedSearch {
    HWND owner;
    std::vector<HWND> found;  // top of the stack first, as EnumWindows lists them
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OwnedSearch*>(data);
    if (IsWindowVisible(window) && IsOwnedBy(window, search->owner)) {
        // Out of memory loses only the raise of the windows not yet listed.
        try {
            search->found.push_back(window);
        } catch (...) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

bool KeepAboveOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner == nullptr) {
        return false;
    }
    const bool ownerTopmost = (GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return SetWindowPos(window, ownerTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != FALSE;
}

bool KeepOwnedWindowsAbove(HWND owner) {
    OwnedSearch search{owner, {}};
    EnumWindows(&CollectOwned, reinterpret_cast<LPARAM>(&search));
    bool allPlaced = true;
    // Each raise puts a window on top, so the lowest goes first and the
    // windows keep their order among themselves.
    for (auto it = search.found.rbegin(); it != search.found.rend(); ++it) {
        allPlaced = KeepAboveOwner(*it) && allPlaced;
    }
    return allPlaced;
}
