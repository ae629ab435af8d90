// Loads QvCB.dll at run time, arms an alarm and a time observer with its
// service, and unloads the library while the timer service (kept loaded
// here) goes on ticking. Exit code 0 when the service had been running, the
// library really went, it took its listeners out of the timer service (so
// this thread's hidden timer window is gone) and nothing calls back into it
// afterwards; another code names the step that failed. A listener left
// behind would make the timer call unloaded code and crash the probe.

#include <windows.h>

#include <cstdint>
#include <ctime>

#include "alarmclock/alarm_clock.h"
#include "common/win32/handles.h"

namespace {

enum ExitCode : int {
    kOk = 0,
    kNoTimerLibrary = 10,
    kNoLibrary = 11,
    kNoExport = 12,
    kNoService = 13,
    kObserverNotCalled = 14,
    kLibraryStillLoaded = 15,
    kTimerWindowLeft = 16,
    kCalledAfterUnload = 17,
};

struct CountingObserver final : alarmclock::ITimeObserver {
    void OnTime(const Moment*) override { ++calls; }
    int calls = 0;
};

struct CountingListener final : alarmclock::IAlarmListener {
    void OnAlarm(const std::uint32_t*) override { ++calls; }
    int calls = 0;
};

void Pump(DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

BOOL CALLBACK CountTimerWindow(HWND window, LPARAM count) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "TimeSynWindow") == 0) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

int TimerWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTimerWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

int main() {
    UniqueModule timerLibrary(LoadLibraryA("QvSHJ.dll"));
    if (!timerLibrary) {
        return kNoTimerLibrary;
    }
    HMODULE library = LoadLibraryA("QvCB.dll");
    if (library == nullptr) {
        return kNoLibrary;
    }
    using Query = alarmclock::IAlarmClock*(__cdecl*)();
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(library, "QueryClock")));
    if (query == nullptr) {
        return kNoExport;
    }
    alarmclock::IAlarmClock* clock = query();
    if (clock == nullptr) {
        return kNoService;
    }

    CountingObserver observer;
    CountingListener listener;
    clock->AddTimeObserver(&observer);
    // Due every minute: its trigger checks once a second until the end.
    clock->AddAlarm(alarmclock::AlarmItem{0, "probe", static_cast<Moment>(std::time(nullptr)), 1}, &listener);
    for (int waited = 0; observer.calls < 2 && waited < 5000; waited += 100) {
        Pump(100);
    }
    if (observer.calls < 2) {
        return kObserverNotCalled;
    }

    FreeLibrary(library);
    if (GetModuleHandleA("QvCB.dll") != nullptr) {
        return kLibraryStillLoaded;
    }
    if (TimerWindowsOfThisThread() != 0) {
        return kTimerWindowLeft;
    }
    const int observerCalls = observer.calls;
    const int listenerCalls = listener.calls;
    Pump(2500);
    if (observer.calls != observerCalls || listener.calls != listenerCalls) {
        return kCalledAfterUnload;
    }
    return kOk;
}
