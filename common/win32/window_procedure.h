#pragma once

// The window procedure of a window class whose windows each belong to one
// C++ object: the object comes as CreateWindowEx's last argument and is kept
// in GWLP_USERDATA, and every message from WM_NCCREATE on goes to
// `Owner::Handle(HWND, UINT, WPARAM, LPARAM)`. Messages before WM_NCCREATE,
// or after the object cleared GWLP_USERDATA, get the default handling; so
// does a message whose handling threw (no exception leaves a window
// procedure).

#include <windows.h>

template <typename Owner>
LRESULT CALLBACK ObjectWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return self->Handle(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
