// A second process for the mutex tests.
//   lyn_mutex_probe exists NAME   exit 1 when a mutex NAME exists, else 0
//   lyn_mutex_probe create NAME   exit 1 when CreateLynMutex made a new mutex,
//                                 2 when it opened one that another thread
//                                 owns, 3 for anything else
#include <windows.h>

#include <cstring>

#include "toolkit/win32/lyn_mutex.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 3;
    }
    if (std::strcmp(argv[1], "exists") == 0) {
        return IsLynMutexExist(argv[2]) != nullptr ? 1 : 0;
    }
    if (std::strcmp(argv[1], "create") == 0) {
        HANDLE mutex = CreateLynMutex(argv[2]);
        if (mutex == nullptr) {
            return 3;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            return 1;
        }
        return WaitForSingleObject(mutex, 0) == WAIT_TIMEOUT ? 2 : 3;
    }
    return 3;
}
