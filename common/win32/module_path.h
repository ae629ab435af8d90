#pragma once

// Where a program or DLL lies: the suite builds every path from the folder
// of the running program or of a module library.

#include <windows.h>

#include <string>

// Full path of `module` (nullptr: the running program), empty on failure.
std::string ModulePath(HMODULE module);

// Folder of `module` without a trailing backslash, empty on failure.
std::string ModuleFolder(HMODULE module);

// The module that contains `address` (a function or variable of it), so a DLL
// can find its own folder.
HMODULE ModuleOfAddress(const void* address);
