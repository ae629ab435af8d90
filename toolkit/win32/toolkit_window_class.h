#pragma once

// The window classes of LynKernel32's controls live in the DLL's own module;
// each control registers its class the first time one is made.

#include <windows.h>

// LynKernel32's module handle.
HINSTANCE ToolkitInstance();

// Registers `windowClass` with its hInstance set to ToolkitInstance(),
// unless that class is registered already; true when the class is there.
bool EnsureToolkitClass(WNDCLASSEXA windowClass);
