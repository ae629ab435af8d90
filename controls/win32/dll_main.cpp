#include <windows.h>

#include "controls/win32/sound_player.h"
#include "controls/win32/window.h"

// Unloaded with FreeLibrary, the library first ends its sound player (the
// file is closed, the repeat timer left, the hidden window destroyed: none
// of them may call into the unloaded code), then takes its window classes
// with it, so a later load can register them again with its new window
// procedure. At process exit nothing is done: the other threads, the
// multimedia timer's and MCI's among them, have already been ended by the
// system, maybe halfway through a call, so closing a device or leaving the
// timer service could wait for ever; the classes, windows and devices go
// with the process.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        cmmctrls::DestroySoundPlayer();
        cmmctrls::UnregisterWindowClasses();
    }
    return TRUE;
}
