#include "timer/win32/timer_window.h"

namespace {

ThreadListenerSet* SetOfWindow(HWND window) {
    return reinterpret_cast<ThreadListenerSet*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Only a listener still registered is called; the pointer is compared,
// never followed, before that. After TimeArrive the set may be gone (the
// listener may have removed the last entry), so the caller must not touch
// it without looking again.
void CallIfRegistered(ThreadListenerSet& set, ITimerSenseObj* listener) {
    if (listener == nullptr || !set.Holds(listener)) {
        return;
    }
    try {
        listener->TimeArrive();
    } catch (...) {
        // A listener's exception must not unwind through the system's
        // message dispatch; the listener stays registered.
    }
}

// Runs the dispatch with the firings collected, then calls the listeners in
// the order they fired. Every call may end the set (and the window's hold on
// it), so the set is looked up from the window again before each one.
void HandleTick(HWND window, ThreadListenerSet* set) {
    auto* timerWindow = static_cast<TimerWindow*>(set->window());
    std::vector<ITimerSenseObj*> due;
    timerWindow->CollectFiresInto(&due);
    set->OnTickMessage();
    timerWindow->CollectFiresInto(nullptr);
    for (ITimerSenseObj* listener : due) {
        if (SetOfWindow(window) != set) {
            return;
        }
        CallIfRegistered(*set, listener);
    }
}

// The second parameter of our messages names the set, but any program can
// post these numbers to a top-level window. The set is therefore taken from
// the window itself, which owns it for its whole life, and a message naming
// any other set (or one already gone) is ignored.
LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TM_TICK || message == TM_FIRE) {
        ThreadListenerSet* set = SetOfWindow(window);
        if (set != nullptr && reinterpret_cast<LPARAM>(set) == lParam) {
            if (message == TM_TICK) {
                HandleTick(window, set);
            } else {
                CallIfRegistered(*set, reinterpret_cast<ITimerSenseObj*>(wParam));
            }
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterTimerWindowClass(HINSTANCE module) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kTimerWindowClass;
    if (RegisterClassA(&windowClass) != 0) {
        return true;
    }
    WNDCLASSA existing{};
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS && GetClassInfoA(module, kTimerWindowClass, &existing) &&
           existing.lpfnWndProc == TimerWindowProc;
}

void UnregisterTimerWindowClass(HINSTANCE module) {
    // Fails while a detached window of another thread still exists; the class
    // then stays until a later service uses it again.
    UnregisterClassA(kTimerWindowClass, module);
}

std::unique_ptr<TimerWindow> TimerWindow::Create(HINSTANCE module, ThreadListenerSet* set) {
    HWND window = CreateWindowExA(0, kTimerWindowClass, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, nullptr, nullptr, module, nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    // No TM_ message can come before this: the set is not yet in the service's
    // table, so the timer's thread does not know the window.
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(set));
    return std::unique_ptr<TimerWindow>(new TimerWindow(window, GetCurrentThreadId()));
}

TimerWindow::~TimerWindow() {
    if (!IsAlive()) {
        return;
    }
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    if (GetCurrentThreadId() == ownerThread_) {
        DestroyWindow(window_);  // also drops any TM_ message still queued for it
        return;
    }
    // Only the owning thread may destroy a window. Until it does, messages
    // still queued for this one (and the library's code, which may be
    // unloaded next) must not be reached: the window gets the system's
    // default procedure, whose answer to WM_CLOSE destroys it.
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    PostMessageA(window_, WM_CLOSE, 0, 0);
}

bool TimerWindow::IsAlive() const {
    return IsWindow(window_) && GetWindowThreadProcessId(window_, nullptr) == ownerThread_;
}

void TimerWindow::PostTick(ThreadListenerSet* set) {
    PostMessageA(window_, TM_TICK, 0, reinterpret_cast<LPARAM>(set));
}

void TimerWindow::PostFire(ITimerSenseObj* listener, ThreadListenerSet* set) {
    if (collecting_ != nullptr) {
        try {
            collecting_->push_back(listener);
            return;
        } catch (...) {
            // Out of memory: the listener gets a message of its own instead.
        }
    }
    PostMessageA(window_, TM_FIRE, reinterpret_cast<WPARAM>(listener), reinterpret_cast<LPARAM>(set));
}
