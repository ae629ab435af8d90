#pragma once

// Named, system-wide mutexes: the side program keeps one instance of each of
// its modes by testing for its mode's mutex at start and creating it when it
// is not there.

#include <windows.h>

#include "toolkit/lynkernel32_api.h"

extern "C" {

// The existing mutex called `name`, opened with full access as an inheritable
// handle; null when no mutex has that name.
LYNKERNEL32_API HANDLE IsLynMutexExist(const char* name);

// Creates the mutex called `name`, owned by the calling thread. When one of
// that name exists already it is opened instead (and not owned).
LYNKERNEL32_API HANDLE CreateLynMutex(const char* name);

// Gives up ownership of `mutex` (null is allowed) and returns 1. The handle is
// not closed, so the name stays visible to IsLynMutexExist in every process
// until the creating process ends.
LYNKERNEL32_API int DestroyLynMutex(HANDLE mutex);
}
