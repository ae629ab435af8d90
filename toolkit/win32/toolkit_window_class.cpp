#include "toolkit/win32/toolkit_window_class.h"

#include "common/win32/module_path.h"

HINSTANCE ToolkitInstance() {
    return ModuleOfAddress(reinterpret_cast<const void*>(&ToolkitInstance));
}

bool EnsureToolkitClass(WNDCLASSEXA windowClass) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = ToolkitInstance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing)) {
        return true;
    }
    return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
