#include "toolkit/win32/lyn_mutex.h"

HANDLE IsLynMutexExist(const char* name) {
    return OpenMutexA(MUTEX_ALL_ACCESS, TRUE, name);
}

HANDLE CreateLynMutex(const char* name) {
    return CreateMutexA(nullptr, TRUE, name);
}

int DestroyLynMutex(HANDLE mutex) {
    if (mutex != nullptr) {
        ReleaseMutex(mutex);
    }
    return 1;
}
