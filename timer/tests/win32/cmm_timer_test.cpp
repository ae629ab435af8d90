#include "timer/win32/cmm_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/win32/handles.h"
#include "common/win32/module_path.h"
#include "testkit/win32/message_box_answerer.h"
#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"
#include "timer/tests/win32/timer_test_support.h"

using timer_test::CountingListener;
using timer_test::TickPump;
using timer_test::TimerWindowsOf;

namespace {

// Every test starts from a fresh service running at 100 ms and leaves none
// behind, so no set or period carries over.
class CMMTimerTest : public testing::Test {
protected:
    void SetUp() override {
        CMMTimer::destroy();
        timer_ = QueryMMTimer();
        ASSERT_NE(timer_, nullptr);
    }
    void TearDown() override { CMMTimer::destroy(); }

    CMMTimer* timer_ = nullptr;
};

bool WaitForTick(const CMMTimer* timer, unsigned int wanted, unsigned int timeoutMs) {
    testkit::Stopwatch watch;
    while (timer->GetTick() != wanted && watch.Milliseconds() < timeoutMs) {
        Sleep(5);
    }
    return timer->GetTick() == wanted;
}

}  // namespace

TEST(CMMTimerService, IsMadeStoppedOnFirstUseAndStartedByQueryMMTimer) {
    CMMTimer::destroy();
    EXPECT_EQ(CMMTimer::instance_, nullptr);

    CMMTimer* made = CMMTimer::instance();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(CMMTimer::instance_, made);
    EXPECT_EQ(CMMTimer::instance(), made);
    EXPECT_EQ(made->GetTick(), 0u);
    EXPECT_STREQ(CMMTimer::szAppName, "TimeSynWindow");

    // Stopped: a listener is not called.
    CountingListener listener;
    made->RegisterListener(&listener, 0);
    testkit::PumpMessages(300);
    EXPECT_EQ(listener.calls, 0);

    EXPECT_EQ(QueryMMTimer(), made);
    EXPECT_EQ(made->GetTick(), 100u);
    TickPump pump;
    EXPECT_TRUE(pump.Ticks(2));
    pump.DrainFires();
    EXPECT_GE(listener.calls, 2);

    CMMTimer::destroy();
    EXPECT_EQ(CMMTimer::instance_, nullptr);
    EXPECT_TRUE(TimerWindowsOf(GetCurrentThreadId()).empty());
    CMMTimer::destroy();  // nothing left to destroy
}

TEST(CMMTimerService, ClassRegistrationFailureIsShownAndTheServiceRunsWithoutWindows) {
    CMMTimer::destroy();
    // A class of that name already registered for the library's module makes
    // the service's own registration fail.
    HINSTANCE library = ModuleOfAddress(&CMMTimer::instance_);
    WNDCLASSA foreign{};
    foreign.lpfnWndProc = DefWindowProcA;
    foreign.hInstance = library;
    foreign.lpszClassName = "TimeSynWindow";
    ASSERT_NE(RegisterClassA(&foreign), 0);

    testkit::MessageBoxAnswerer answerer("TimeSynWindow", IDOK);
    CMMTimer* timer = QueryMMTimer();
    std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
    ASSERT_TRUE(dialog.has_value());
    EXPECT_TRUE(dialog->captionMatched);
    EXPECT_EQ(dialog->text, "Timer SysObj Create Failed!");
    EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kError);
    EXPECT_EQ(dialog->ButtonIds(), std::vector<int>{IDOK});

    // Still made and running, but no window of someone else's class is made
    // for a set, so its listeners are never called.
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetTick(), 100u);
    CountingListener listener;
    timer->RegisterListener(&listener, 0);
    EXPECT_TRUE(TimerWindowsOf(GetCurrentThreadId()).empty());
    testkit::PumpMessages(400);
    EXPECT_EQ(listener.calls, 0);

    CMMTimer::destroy();
    EXPECT_TRUE(UnregisterClassA("TimeSynWindow", library));  // the foreign class was left alone
}

TEST_F(CMMTimerTest, SetTickKeepsAPeriodStopsAndFallsBackTo100) {
    CountingListener listener;
    timer_->RegisterListener(&listener, 0);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(2));

    EXPECT_EQ(timer_->SetTick(100), 1);
    EXPECT_EQ(timer_->GetTick(), 100u);
    EXPECT_TRUE(pump.Ticks(2));

    // Stopped: once the ticks already queued are handled, none follows.
    EXPECT_EQ(timer_->SetTick(0), 1);
    EXPECT_EQ(timer_->GetTick(), 0u);
    pump.For(100);
    const int stoppedAt = pump.ticks;
    pump.For(500);
    EXPECT_EQ(pump.ticks, stoppedAt);

    // A period the multimedia timer refuses: reported, and kept, so asking
    // for it again changes nothing.
    EXPECT_EQ(timer_->SetTick(0xFFFFFFFFu), 0);
    EXPECT_EQ(timer_->GetTick(), 0xFFFFFFFFu);
    EXPECT_EQ(timer_->SetTick(0xFFFFFFFFu), 1);
    pump.For(300);
    EXPECT_EQ(pump.ticks, stoppedAt);

    // Any other period lasts one event: its callback goes through
    // QueryMMTimer, which sets 100 ms again.
    EXPECT_EQ(QueryMMTimer(), timer_);
    EXPECT_TRUE(pump.Ticks(1));
    EXPECT_EQ(timer_->SetTick(50), 1);
    EXPECT_TRUE(WaitForTick(timer_, 100, 2000));
    pump.For(100);
    const int before = pump.ticks;
    pump.For(1000);
    EXPECT_GE(pump.ticks - before, 7);
    EXPECT_LE(pump.ticks - before, 13);  // about 10 at 100 ms; 20 had 50 ms stayed
}

TEST_F(CMMTimerTest, ListenersAreCalledOnTheThreadThatRegisteredThem) {
    struct Worker {
        CountingListener listener;
        DWORD threadId = 0;
        std::vector<HWND> windowsWhileListening;
        std::vector<HWND> windowsAfterwards;
        bool calledOften = false;
        std::thread thread;
    };
    Worker workers[2];
    for (Worker& worker : workers) {
        worker.thread = std::thread([this, &worker] {
            worker.threadId = GetCurrentThreadId();
            timer_->RegisterListener(&worker.listener, 0);
            worker.windowsWhileListening = TimerWindowsOf(worker.threadId);
            TickPump pump;
            worker.calledOften = pump.Until([&] { return worker.listener.calls >= 5; }, 5000);
            timer_->UnRegisterListener(&worker.listener);
            worker.windowsAfterwards = TimerWindowsOf(worker.threadId);
        });
    }
    for (Worker& worker : workers) {
        worker.thread.join();
    }

    for (const Worker& worker : workers) {
        EXPECT_TRUE(worker.calledOften);
        EXPECT_EQ(worker.listener.lastThread, worker.threadId);
        ASSERT_EQ(worker.windowsWhileListening.size(), 1u);
        EXPECT_TRUE(worker.windowsAfterwards.empty());
    }
    EXPECT_NE(workers[0].windowsWhileListening[0], workers[1].windowsWhileListening[0]);
    EXPECT_TRUE(TimerWindowsOf(GetCurrentThreadId()).empty());  // nothing was made for this thread
}

TEST_F(CMMTimerTest, HiddenWindowIsAnUntitledPopUpOfTheThread) {
    CountingListener listener;
    timer_->RegisterListener(&listener, 0);
    std::vector<HWND> windows = TimerWindowsOf(GetCurrentThreadId());
    ASSERT_EQ(windows.size(), 1u);
    const LONG style = GetWindowLongA(windows[0], GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(windows[0]));
    EXPECT_EQ(GetWindowTextLengthA(windows[0]), 0);
    EXPECT_EQ(GetParent(windows[0]), nullptr);
    EXPECT_EQ(GetClassLongA(windows[0], GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
}

TEST_F(CMMTimerTest, CallsFollowTheHandledTicks) {
    CountingListener everySecond;
    CountingListener zero;
    CountingListener belowThePeriod;
    timer_->RegisterListener(&everySecond, 1000);
    timer_->RegisterListener(&zero, 0);
    timer_->RegisterListener(&belowThePeriod, 50);

    TickPump pump;
    ASSERT_TRUE(pump.Ticks(30, 10000));
    pump.DrainFires();
    EXPECT_EQ(everySecond.calls, 3);
    EXPECT_EQ(zero.calls, 30);
    EXPECT_EQ(belowThePeriod.calls, 30);
}

TEST_F(CMMTimerTest, RegisteringAgainRestartsTheCountdownAndMovesToTheEnd) {
    std::vector<const ITimerSenseObj*> order;
    CountingListener a(&order);
    CountingListener b(&order);
    timer_->RegisterListener(&a, 0);
    timer_->RegisterListener(&b, 0);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(1));
    pump.DrainFires();
    EXPECT_EQ(order, (std::vector<const ITimerSenseObj*>{&a, &b}));

    timer_->RegisterListener(&a, 0);
    order.clear();
    ASSERT_TRUE(pump.Ticks(1));
    pump.DrainFires();
    EXPECT_EQ(order, (std::vector<const ITimerSenseObj*>{&b, &a}));

    // Half-way through its second, registered again: a full second to go.
    CountingListener slow;
    timer_->RegisterListener(&slow, 1000);
    ASSERT_TRUE(pump.Ticks(5));
    timer_->RegisterListener(&slow, 1000);
    ASSERT_TRUE(pump.Ticks(9));
    pump.DrainFires();
    EXPECT_EQ(slow.calls, 0);
    ASSERT_TRUE(pump.Ticks(1));
    pump.DrainFires();
    EXPECT_EQ(slow.calls, 1);
}

TEST_F(CMMTimerTest, AListenerThatUnregistersItselfIsNotCalledAgain) {
    CountingListener keeper;  // keeps the thread's set and window alive
    CountingListener quitter;
    TickPump pump;
    quitter.onArrive = [&] {
        timer_->UnRegisterListener(&quitter);
        // A TM_FIRE for it still queued behind this call.
        PostMessageA(pump.lastWindow, TM_FIRE, reinterpret_cast<WPARAM>(&quitter), pump.lastSet);
    };
    timer_->RegisterListener(&keeper, 0);
    timer_->RegisterListener(&quitter, 0);

    ASSERT_TRUE(pump.Ticks(5));
    pump.DrainFires();
    EXPECT_EQ(quitter.calls, 1);
    EXPECT_GE(keeper.calls, 4);
}

// A tick calls the listeners it brings due within its own message, in the
// order of the list, and posts no message for each.
TEST_F(CMMTimerTest, ATickCallsItsDueListenersInOrderWithoutAMessageEach) {
    std::vector<const ITimerSenseObj*> order;
    CountingListener first(&order);
    CountingListener second(&order);
    CountingListener third(&order);
    bool fireQueued = false;
    second.onArrive = [&] {
        MSG queued;
        fireQueued = fireQueued || PeekMessageA(&queued, nullptr, TM_FIRE, TM_FIRE, PM_NOREMOVE) != FALSE;
    };
    timer_->RegisterListener(&first, 0);
    timer_->RegisterListener(&second, 0);
    timer_->RegisterListener(&third, 0);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(1));
    const std::vector<const ITimerSenseObj*> oneTick = {&first, &second, &third};
    EXPECT_EQ(order, oneTick);
    EXPECT_FALSE(fireQueued);
}

// A listener may unregister others, or the thread's last listeners with
// their set and window, while more of them are due on the same tick: those
// are not called.
TEST_F(CMMTimerTest, ListenersUnregisteredByOneCalledBeforeThemOnTheSameTickAreNotCalled) {
    CountingListener keeper;
    CountingListener remover;
    CountingListener removed;
    remover.onArrive = [&] { timer_->UnRegisterListener(&removed); };
    timer_->RegisterListener(&remover, 0);
    timer_->RegisterListener(&removed, 0);
    timer_->RegisterListener(&keeper, 0);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(3));
    EXPECT_EQ(removed.calls, 0);
    EXPECT_GE(keeper.calls, 3);
    timer_->UnRegisterListener(&remover);
    timer_->UnRegisterListener(&keeper);

    CountingListener ender;
    CountingListener afterEnd;
    ender.onArrive = [&] {
        timer_->UnRegisterListener(&ender);
        timer_->UnRegisterListener(&afterEnd);
    };
    timer_->RegisterListener(&ender, 0);
    timer_->RegisterListener(&afterEnd, 0);
    ASSERT_TRUE(pump.Until([&] { return ender.calls > 0; }, 5000));
    pump.For(300);
    EXPECT_TRUE(TimerWindowsOf(GetCurrentThreadId()).empty());
    EXPECT_EQ(ender.calls, 1);
    EXPECT_EQ(afterEnd.calls, 0);
}

TEST_F(CMMTimerTest, TimerMessagesNamingNoLiveSetOrListenerAreIgnored) {
    CountingListener ticker;  // brings the TM_TICKs that name the window and set
    CountingListener registered;
    CountingListener stranger;  // alive, never registered
    timer_->RegisterListener(&ticker, 0);
    timer_->RegisterListener(&registered, 1'000'000);  // never due by itself
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(1));
    HWND window = pump.lastWindow;
    const LPARAM set = pump.lastSet;
    ASSERT_NE(set, 0);

    // What any program could post to the window: nothing here is followed
    // as a pointer unless it names this window's set and a registered
    // listener.
    const LPARAM bogus = 0x10;
    PostMessageA(window, TM_TICK, 0, bogus);
    PostMessageA(window, TM_FIRE, reinterpret_cast<WPARAM>(&registered), bogus);
    PostMessageA(window, TM_FIRE, reinterpret_cast<WPARAM>(&stranger), set);
    PostMessageA(window, TM_FIRE, 0, set);
    pump.For(200);
    EXPECT_EQ(registered.calls, 0);
    EXPECT_EQ(stranger.calls, 0);

    // The one message that counts: this set, a registered listener.
    PostMessageA(window, TM_FIRE, reinterpret_cast<WPARAM>(&registered), set);
    pump.For(100);
    EXPECT_EQ(registered.calls, 1);
}

TEST_F(CMMTimerTest, TheThreadsWindowLivesAsLongAsItHasListeners) {
    CountingListener a;
    CountingListener b;
    const DWORD self = GetCurrentThreadId();
    timer_->RegisterListener(&a, 0);
    std::vector<HWND> windows = TimerWindowsOf(self);
    ASSERT_EQ(windows.size(), 1u);
    HWND first = windows[0];

    timer_->RegisterListener(&b, 0);
    EXPECT_EQ(TimerWindowsOf(self), std::vector<HWND>{first});  // one per thread
    timer_->UnRegisterListener(&a);
    EXPECT_TRUE(IsWindow(first));
    timer_->UnRegisterListener(&b);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(TimerWindowsOf(self).empty());
    timer_->UnRegisterListener(&b);  // no set: nothing happens

    // Registering again makes a new window, which works.
    timer_->RegisterListener(&a, 0);
    ASSERT_EQ(TimerWindowsOf(self).size(), 1u);
    TickPump pump;
    EXPECT_TRUE(pump.Ticks(2));
    pump.DrainFires();
    EXPECT_GE(a.calls, 2);

    // RemoveThread drops every listener of the thread at once.
    timer_->RegisterListener(&b, 0);
    timer_->RemoveThread();
    EXPECT_TRUE(TimerWindowsOf(self).empty());
    const int callsBefore = a.calls + b.calls;
    pump.For(300);
    EXPECT_EQ(a.calls + b.calls, callsBefore);
}

TEST_F(CMMTimerTest, AThreadThatStopsHandlingMessagesCountsAtMostOnePeriodPerFive) {
    CountingListener everyPeriod;
    CountingListener everySecond;
    timer_->RegisterListener(&everyPeriod, 0);
    timer_->RegisterListener(&everySecond, 1000);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(1));
    pump.DrainFires();
    const int before = everyPeriod.calls;

    Sleep(2000);  // about 20 periods without a message handled
    EXPECT_EQ(pump.DrainTicks(), 1) << "one TM_TICK waits, however long the thread is away";
    pump.DrainFires();
    const int counted = everyPeriod.calls - before;
    EXPECT_GE(counted, 3);
    EXPECT_LE(counted, 5);

    // Each counted period is one of the ten the slower listener waits for,
    // although over a second passed: it comes with the tenth.
    EXPECT_EQ(everySecond.calls, 0);
    ASSERT_TRUE(pump.Until([&] { return everySecond.calls > 0; }, 5000));
    EXPECT_EQ(everyPeriod.calls, 10);
    EXPECT_EQ(everySecond.calls, 1);
}

TEST_F(CMMTimerTest, AThreadWithNothingDueIsNotWokenEveryPeriod) {
    CountingListener everySecond;
    timer_->RegisterListener(&everySecond, 1000);
    TickPump pump;
    ASSERT_TRUE(pump.Until([&] { return everySecond.calls >= 3; }, 10000));
    EXPECT_EQ(pump.ticks, 3) << "one TM_TICK per call, not one per 100 ms period";
}

TEST_F(CMMTimerTest, AThreadWhoseWindowWasDestroyedGetsANewSetOnItsNextRegistration) {
    // What a thread that ended without unregistering leaves behind: a set
    // whose window is gone. A thread with that id (here the same thread)
    // must not inherit it, or its listeners would never be called.
    const DWORD self = GetCurrentThreadId();
    CountingListener orphan;
    timer_->RegisterListener(&orphan, 0);
    std::vector<HWND> windows = TimerWindowsOf(self);
    ASSERT_EQ(windows.size(), 1u);
    DestroyWindow(windows[0]);

    CountingListener fresh;
    timer_->RegisterListener(&fresh, 0);
    ASSERT_EQ(TimerWindowsOf(self).size(), 1u);
    TickPump pump;
    ASSERT_TRUE(pump.Ticks(3));
    pump.DrainFires();
    EXPECT_EQ(fresh.calls, 3);
    EXPECT_EQ(orphan.calls, 0);  // went with the dead set
}

TEST(CMMTimerService, UnloadingTheLibraryLeavesNoWindowBehindThatReachesIt) {
    // The probe loads QvSHJ.dll itself, listens on two threads and unloads it
    // while the second thread still has a window; see the probe for the exit
    // codes.
    std::string command = "\"" + ModuleFolder(nullptr) + "\\timer_unload_probe.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        << "error " << GetLastError();
    UniqueHandle thread(process.hThread);
    UniqueHandle child(process.hProcess);
    if (WaitForSingleObject(child.get(), 20000) != WAIT_OBJECT_0) {
        TerminateProcess(child.get(), 99);
        FAIL() << "the probe hung";
    }
    DWORD code = 0;
    GetExitCodeProcess(child.get(), &code);
    EXPECT_EQ(code, 0u);
}
