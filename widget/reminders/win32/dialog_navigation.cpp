#include "widget/reminders/win32/dialog_navigation.h"

#include <map>
#include <mutex>
#include <vector>

#include "common/win32/handles.h"

namespace {

struct ThreadDialogs {
    UniqueHook hook;
    std::vector<HWND> dialogs;
};

// By thread id. Not thread_local: a thread-local destructor registered by
// the widget library would run after the host unloaded it.
std::mutex threadsLock;
std::map<DWORD, ThreadDialogs> threads;

// The registered dialog of the calling thread that `target` belongs to.
HWND DialogHolding(HWND target) {
    std::lock_guard<std::mutex> guard(threadsLock);
    const auto found = threads.find(GetCurrentThreadId());
    if (found == threads.end()) {
        return nullptr;
    }
    for (HWND dialog : found->second.dialogs) {
        if (dialog == target || IsChild(dialog, target)) {
            return dialog;
        }
    }
    return nullptr;
}

// IsDialogMessage runs outside the lock: it may open a message box whose own
// loop calls this hook again.
LRESULT CALLBACK OnGetMessage(int code, WPARAM removal, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        try {
            HWND dialog = DialogHolding(message->hwnd);
            if (dialog != nullptr && IsDialogMessageA(dialog, message)) {
                // Handled: the host's loop gets a message that does nothing.
                message->message = WM_NULL;
            }
        } catch (...) {
            // The lock failed: the key goes to the loop as it came.
        }
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

}  // namespace

DialogNavigation::DialogNavigation(HWND dialog) : dialog_(dialog), thread_(GetCurrentThreadId()) {
    std::lock_guard<std::mutex> guard(threadsLock);
    ThreadDialogs& thread = threads[thread_];
    if (!thread.hook) {
        // Without the hook the dialog still works by mouse.
        thread.hook.reset(SetWindowsHookExA(WH_GETMESSAGE, &OnGetMessage, nullptr, thread_));
    }
    thread.dialogs.push_back(dialog_);
}

DialogNavigation::~DialogNavigation() {
    std::lock_guard<std::mutex> guard(threadsLock);
    const auto found = threads.find(thread_);
    if (found == threads.end()) {
        return;
    }
    std::erase(found->second.dialogs, dialog_);
    if (found->second.dialogs.empty()) {
        threads.erase(found);
    }
}
