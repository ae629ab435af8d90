#include "common/win32/window_icon.h"

#include <initializer_list>
#include <utility>

void ShowWindowIcon(HWND window, HINSTANCE resources, int iconResource) {
    for (auto [size, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int pixels = GetSystemMetrics(metric);
        HANDLE icon = LoadImageA(resources, MAKEINTRESOURCEA(iconResource), IMAGE_ICON, pixels, pixels, LR_SHARED);
        if (icon != nullptr) {
            SendMessageA(window, WM_SETICON, size, reinterpret_cast<LPARAM>(icon));
        }
    }
}
