#include <windows.h>

#include "timer/win32/cmm_timer.h"

// What the library does when it leaves the process. This runs under the
// loader lock, so it must neither wait for a thread that could need that lock
// nor start one.
//
// * Unloaded with FreeLibrary: the unloading thread's set and window go (its
//   own window, destroyed on its own thread: no other thread is waited for),
//   then the service: the event is stopped, waiting only for a timer call in
//   progress, which needs nothing but the service's locks; windows of other
//   threads are handed to the system's default procedure and asked to close,
//   so nothing reaches the unloaded code through them. Other threads must
//   have stopped using the service by then.
// * Process exit: nothing is done. Every other thread, the multimedia
//   timer's included, has already been ended by the system, maybe halfway
//   through a call, so stopping the event could wait for ever; and the
//   windows, the event and the memory all go with the process.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr && CMMTimer::instance_ != nullptr) {
        CMMTimer::instance_->RemoveThread();
        CMMTimer::destroy();
    }
    return TRUE;
}
