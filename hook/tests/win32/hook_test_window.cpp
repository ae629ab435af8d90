// A stand-in for the side program in the hook library's tests: it opens a
// hidden top-level window, registers it with the library, and appends every
// hook message it receives to a log file, one line "2025 <first parameter>".
//
//   hook_test_window navigation|history READY_EVENT QUIT_EVENT LOG_FILE [history-visible]
//
// It sets READY_EVENT once registered and ends when QUIT_EVENT is set, or
// by itself after a minute so that a failed test never leaves it behind.

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/win32/handles.h"
#include "hook/win32/lyn_hook32.h"

namespace {

constexpr DWORD kLifetimeMs = 60000;
const char* gLogPath = nullptr;

void AppendToLog(UINT message, WPARAM first) {
    if (std::FILE* log = std::fopen(gLogPath, "ab")) {
        std::fprintf(log, "%u %u\n", message, static_cast<unsigned>(first));
        std::fclose(log);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message == kLynHookMessage) {
        AppendToLog(message, first);
        return 1;
    }
    return DefWindowProcA(window, message, first, second);
}

// Pumps messages until the quit event is set (0) or the lifetime is over (1).
int RunUntilQuit(HANDLE quit) {
    const ULONGLONG end = GetTickCount64() + kLifetimeMs;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        DWORD woke = MsgWaitForMultipleObjects(1, &quit, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            return 0;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        return 2;
    }
    const bool navigation = std::strcmp(argv[1], "navigation") == 0;
    gLogPath = argv[4];
    UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
    UniqueHandle quit(OpenEventA(SYNCHRONIZE, FALSE, argv[3]));
    if (!ready || !quit) {
        return 2;
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LynHookTestWindow";
    if (RegisterClassA(&windowClass) == 0) {
        return 2;
    }
    UniqueWindow window(CreateWindowExA(0, windowClass.lpszClassName, "hook test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                        nullptr, nullptr, windowClass.hInstance, nullptr));
    if (!window) {
        return 2;
    }
    if (navigation) {
        SetHookTrevaloWnd(window.get());
    } else {
        SetHookMsnviewWnd(window.get());
    }
    if (argc > 5 && std::strcmp(argv[5], "history-visible") == 0) {
        SetHistoryVisible(true);
    }
    SetEvent(ready.get());
    return RunUntilQuit(quit.get());
}
