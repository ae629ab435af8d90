#include "loader/win32/version_check_worker.h"

#include "loader/version_check.h"
#include "services/product_services.h"

// The thread and the object both hold a share, so the setup lives as long
// as the longer of the two: a thread let go by Quit still reads its own.
struct VersionCheckWorker::Shared {
    VersionCheckSetup setup;
    UniqueHandle queueReady{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

// Longest wait for the thread to make its queue.
constexpr DWORD kQueueReadyWaitMs = 5000;

// Serves the thread's queue until its timer has fired (true) or the quit
// request came (false).
bool WaitFor(unsigned delayMs) {
    const UINT_PTR timer = SetTimer(nullptr, 0, delayMs, nullptr);
    if (timer == 0) {
        return false;
    }
    MSG message;
    bool fired = false;
    while (!fired && GetMessageA(&message, nullptr, 0, 0) > 0) {
        fired = message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer;
    }
    KillTimer(nullptr, timer);
    return fired;
}

bool QuitRequested() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void RunWorker(const VersionCheckSetup& setup) {
    if (!WaitFor(setup.delayMs)) {
        return;
    }
    std::string page;
    if (Download(setup.pageAddress.c_str(), page) == 1 && IsNewerVersionPublished(setup.productVersion, page) &&
        !QuitRequested()) {
        // Only OK can be pressed; which way the box went changes nothing.
        static_cast<void>(MsgBox(nullptr, setup.message.c_str(), MB_ICONINFORMATION));
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    }
}

DWORD WINAPI ThreadMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<VersionCheckWorker::Shared>> shared(
        static_cast<std::shared_ptr<VersionCheckWorker::Shared>*>(parameter));
    MSG message;
    // A thread has a message queue only once it asks for messages; the quit
    // request can be posted only after that.
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    SetEvent((*shared)->queueReady.get());
    try {
        RunWorker((*shared)->setup);
    } catch (...) {
        // Out of memory on the way: the check gives up for this run.
    }
    return 0;
}

}  // namespace

VersionCheckWorker::VersionCheckWorker(VersionCheckSetup setup) : shared_(std::make_shared<Shared>()) {
    shared_->setup = std::move(setup);
}

VersionCheckWorker::~VersionCheckWorker() {
    Quit();
}

// The thread's code lies in the program itself, which stays loaded while
// any of its threads runs, so the thread needs no reference to its module.
bool VersionCheckWorker::Start() {
    if (started_ || !shared_->queueReady) {
        return false;
    }
    started_ = true;
    auto share = std::make_unique<std::shared_ptr<Shared>>(shared_);
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, share.get(), 0, &threadId_));
    if (!thread_) {
        threadId_ = 0;
        return false;
    }
    share.release();  // the thread owns it now
    // A thread slower than this to make its queue would miss a quit posted
    // at once and wait until the process ends; nothing is lost either way.
    static_cast<void>(WaitForSingleObject(shared_->queueReady.get(), kQueueReadyWaitMs));
    return true;
}

void VersionCheckWorker::Quit() {
    if (!thread_) {
        return;
    }
    // The queue exists once the thread has made it (Start waited for that).
    // The post fails only for a thread that has already ended, which needs
    // no telling.
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.reset();
    threadId_ = 0;
}
