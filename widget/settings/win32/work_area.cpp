#include "widget/settings/win32/work_area.h"

#include <windows.h>

ScreenRect PrimaryWorkArea() {
    RECT area = {};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) == FALSE) {
        // No work area to be had: the whole primary screen serves.
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {area.left, area.top, area.right, area.bottom};
}
