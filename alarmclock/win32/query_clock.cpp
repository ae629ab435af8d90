#include "alarmclock/win32/query_clock.h"

#include <windows.h>

#include <mutex>

#include "alarmclock/alarm_clock_service.h"
#include "alarmclock/win32/local_time_setter.h"
#include "alarmclock/win32/mm_timer_adapter.h"
#include "common/local_time.h"

namespace {

// The service with what it runs on: the multimedia timer service, the
// system clock and SetLocalTime.
struct ClockService {
    alarmclock::MMTimerAdapter timer;
    SystemClock clock;
    alarmclock::LocalTimeSetter clockSetter;
    alarmclock::CAlarmClock alarmClock{timer, clock, clockSetter};
};

std::mutex serviceGuard;
ClockService* service = nullptr;

}  // namespace

extern "C" alarmclock::IAlarmClock* __cdecl QueryClock() noexcept {
    try {
        std::lock_guard hold(serviceGuard);
        if (service == nullptr) {
            service = new ClockService();
        }
        return &service->alarmClock;
    } catch (...) {
        return nullptr;
    }
}

// When QvCB.dll is unloaded while the process goes on (FreeLibrary), the
// service goes with it: its triggers and listener leave the timer service,
// which would otherwise call into code that is no longer there. At process
// exit nothing is freed: the timer service may already be gone, and the
// system reclaims everything anyway.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        delete service;
        service = nullptr;
    }
    return TRUE;
}
