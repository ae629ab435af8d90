#pragma once

// The window classes of LynKernel32's controls live in the DLL's own module;
// each control registers its class the first time one is made.

#include <windows.h>

// LynKernel32's module handle.
HINSTANCE ToolkitInstance();

// Registers `windowClass` with its hInstance set to ToolkitInstance(),
// unless that class is registered already; true when the class is there.
bool EnsureToolkitClass(WNDCLASSEXA windowClass);

// Makes child `id` of `parent` at `place` of the plain control class
// `className` (arrow cursor, `procedure`), registering the class first;
// `owner` goes to WM_NCCREATE. False when the class or the window cannot be
// made.
bool CreateToolkitChild(const char* className,
                        WNDPROC procedure,
                        DWORD exStyle,
                        DWORD style,
                        HWND parent,
                        int id,
                        const RECT& place,
                        void* owner);

// Destroys `window`, if any, without its object hearing of it (its
// GWLP_USERDATA is cleared first), and forgets it: for a control's
// destructor, when the object the window would tell is going.
void DestroyUnheard(HWND& window);
