#include <windows.h>

#include "controls/win32/window.h"

// Unloaded with FreeLibrary, the library takes its window classes with it, so
// a later load can register them again with its new window procedure. At
// process exit nothing is done: the classes go with the process.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        cmmctrls::UnregisterWindowClasses();
    }
    return TRUE;
}
