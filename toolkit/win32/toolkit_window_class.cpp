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

bool CreateToolkitChild(const char* className,
                        WNDPROC procedure,
                        DWORD exStyle,
                        DWORD style,
                        HWND parent,
                        int id,
                        const RECT& place,
                        void* owner) {
    WNDCLASSEXA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    if (!EnsureToolkitClass(windowClass)) {
        return false;
    }
    return CreateWindowExA(exStyle, className, "", style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ToolkitInstance(), owner) != nullptr;
}

void DestroyUnheard(HWND& window) {
    if (window != nullptr) {
        HWND going = window;
        SetWindowLongPtrA(going, GWLP_USERDATA, 0);
        window = nullptr;
        DestroyWindow(going);
    }
}
