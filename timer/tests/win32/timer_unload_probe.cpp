// Loads QvSHJ.dll at run time, listens on this thread and on a second one,
// and unloads the library while both still listen. Exit code 0 when the
// unloading returned, this thread's window went with it, and the second
// thread's window, still holding queued timer messages, closed on that
// thread without reaching the unloaded code; another code names the step
// that failed.

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "common/win32/handles.h"
#include "timer/tests/win32/timer_test_support.h"
#include "timer/win32/cmm_timer.h"

using timer_test::CountingListener;
using timer_test::TickPump;
using timer_test::TimerWindowsOf;

namespace {

enum ExitCode : int {
    kOk = 0,
    kNoLibrary = 10,
    kNoExport = 11,
    kNoService = 12,
    kMainNotCalled = 13,
    kWorkerNotCalled = 14,
    kMainWindowLeft = 15,
    kWorkerWindowLeft = 16,
    kCalledAfterUnload = 17,
};

struct Worker {
    CountingListener listener;
    UniqueHandle listening{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle unloaded{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<int> result{kOk};
    int callsAtUnload = 0;
};

void RunWorker(CMMTimer* timer, Worker& worker) {
    timer->RegisterListener(&worker.listener, 0);
    TickPump pump;
    if (!pump.Until([&] { return worker.listener.calls >= 2; }, 5000)) {
        worker.result = kWorkerNotCalled;
    }
    SetEvent(worker.listening.get());
    // Not pumping while the library goes: timer messages pile up for the
    // window, and the close request joins them.
    WaitForSingleObject(worker.unloaded.get(), 10000);
    worker.callsAtUnload = worker.listener.calls;
    pump.For(500);
    if (worker.result == kOk && worker.listener.calls != worker.callsAtUnload) {
        worker.result = kCalledAfterUnload;
    }
    if (worker.result == kOk && !TimerWindowsOf(GetCurrentThreadId()).empty()) {
        worker.result = kWorkerWindowLeft;
    }
}

}  // namespace

int main() {
    HMODULE library = LoadLibraryA("QvSHJ.dll");
    if (library == nullptr) {
        return kNoLibrary;
    }
    using Query = CMMTimer*(__cdecl*)();
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(library, "QueryMMTimer")));
    if (query == nullptr) {
        return kNoExport;
    }
    CMMTimer* timer = query();
    if (timer == nullptr) {
        return kNoService;
    }

    CountingListener listener;
    timer->RegisterListener(&listener, 0);
    Worker worker;
    std::thread thread(RunWorker, timer, std::ref(worker));
    TickPump pump;
    const bool called = pump.Until([&] { return listener.calls >= 2; }, 5000);
    WaitForSingleObject(worker.listening.get(), 10000);

    FreeLibrary(library);
    const bool mainWindowGone = TimerWindowsOf(GetCurrentThreadId()).empty();
    SetEvent(worker.unloaded.get());
    thread.join();
    pump.For(200);  // nothing of the library may be reached from here either

    if (!called) {
        return kMainNotCalled;
    }
    if (worker.result != kOk) {
        return worker.result;
    }
    return mainWindowGone ? kOk : kMainWindowLeft;
}
