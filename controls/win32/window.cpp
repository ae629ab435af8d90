#include "controls/win32/window.h"

#include <mutex>
#include <set>
#include <string>

#include "common/win32/module_path.h"

namespace cmmctrls {

const char CWindow::kDefaultClassName[] = "CMMCTRLS_WINDOW";

namespace {

// Names of the classes registered by this library, guarded by the mutex.
struct ClassRegistry {
    std::mutex lock;
    std::set<std::string> names;
};

ClassRegistry& Registry() {
    static ClassRegistry registry;
    return registry;
}

HINSTANCE ThisModule() {
    return ModuleOfAddress(reinterpret_cast<const void*>(&ThisModule));
}

}  // namespace

CWindow::~CWindow() {
    DestroyWindow();
}

bool CWindow::CreateEx(DWORD exStyle,
                       const char* className,
                       const char* title,
                       DWORD style,
                       int x,
                       int y,
                       int width,
                       int height,
                       HWND parent,
                       HMENU menuOrId) {
    if (hwnd_ != nullptr) {
        return false;
    }
    const std::string name = className != nullptr ? className : kDefaultClassName;
    const HINSTANCE module = ThisModule();
    {
        ClassRegistry& registry = Registry();
        std::lock_guard<std::mutex> guard(registry.lock);
        if (registry.names.count(name) == 0) {
            WNDCLASSEXA windowClass = {};
            windowClass.cbSize = sizeof windowClass;
            // No CS_DBLCLKS: a quick second click on a button must arrive as a
            // press like the first, not as a double click.
            windowClass.style = CS_HREDRAW | CS_VREDRAW;
            windowClass.lpfnWndProc = StaticWindowProc;
            windowClass.hInstance = module;
            windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
            windowClass.lpszClassName = name.c_str();
            CustomizeClass(windowClass);
            WNDCLASSEXA existing = {};
            existing.cbSize = sizeof existing;
            // A class of that name with our procedure serves as well: one
            // that could not be unregistered while windows of it remained.
            if (RegisterClassExA(&windowClass) == 0 && (GetClassInfoExA(module, name.c_str(), &existing) == FALSE ||
                                                        existing.lpfnWndProc != StaticWindowProc)) {
                return false;
            }
            registry.names.insert(name);
        }
    }
    // The object is bound at WM_NCCREATE, through the creation parameter.
    HWND created =
        CreateWindowExA(exStyle, name.c_str(), title, style, x, y, width, height, parent, menuOrId, module, this);
    return created != nullptr && hwnd_ == created;
}

bool CWindow::DestroyWindow() {
    return hwnd_ != nullptr && ::DestroyWindow(hwnd_) != FALSE;
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CWindow::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr && message == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self != nullptr) {
            self->hwnd_ = window;
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (...) {
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->PostNcDestroy();
        } catch (...) {
            // Nothing can be reported from here; the window is gone either way.
        }
    }
    return result;
}

void UnregisterWindowClasses() {
    ClassRegistry& registry = Registry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (const std::string& name : registry.names) {
        UnregisterClassA(name.c_str(), ThisModule());
    }
    registry.names.clear();
}

}  // namespace cmmctrls
