#include "loader/win32/time_sync_worker.h"

#include <winsock2.h>

#include <atomic>
#include <utility>

#include "widget/clock/win32/quit_watch.h"

// What the worker thread and the object share. The thread is its only
// writer; the dialog's thread reads it. Both hold a share, so the state
// lives as long as the longer of the two: a thread let go by Abandon still
// writes into memory of its own. `exchange` and `seconds1900` are written
// before `finished`, and a reader looks at them only once it has seen
// `finished` (sequentially consistent atomics order the two).
struct TimeSyncWorker::Shared {
    TimeServerAddress server;
    FetchTimeouts timeouts = {};
    std::atomic<int> stage{static_cast<int>(TimeSyncStage::kStarted)};
    std::atomic<int> exchange{static_cast<int>(TimeSyncResult::kClockSet)};
    std::atomic<std::uint32_t> seconds1900{0};
    std::atomic<bool> finished{false};
    UniqueHandle queueReady{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

// The exchange uses Winsock 2 calls (name look-up, event waits), so that is
// the version asked for.
constexpr WORD kWinsockVersion = MAKEWORD(2, 2);
// Longest wait for the thread to make its queue.
constexpr DWORD kQueueReadyWaitMs = 5000;

class WinsockSession {
public:
    WinsockSession() {
        WSADATA data;
        started_ = WSAStartup(kWinsockVersion, &data) == 0;
        version_ = started_ ? data.wVersion : 0;
    }
    ~WinsockSession() {
        if (started_) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool started() const { return started_; }
    WORD version() const { return version_; }

private:
    bool started_ = false;
    WORD version_ = 0;
};

// The stages only move forward: with several addresses for the name, a
// second socket does not take the progress back.
void Reach(TimeSyncWorker::Shared& shared, TimeSyncStage stage) {
    const int value = static_cast<int>(stage);
    int seen = shared.stage.load();
    while (seen < value && !shared.stage.compare_exchange_weak(seen, value)) {
    }
}

TimeSyncStage StageOf(FetchStep step) {
    switch (step) {
        case FetchStep::kResolved:
            return TimeSyncStage::kServerFound;
        case FetchStep::kSocketCreated:
            return TimeSyncStage::kSocketMade;
        case FetchStep::kConnected:
            return TimeSyncStage::kConnected;
    }
    return TimeSyncStage::kStarted;
}

void Finish(TimeSyncWorker::Shared& shared, TimeSyncResult exchange) {
    shared.exchange.store(static_cast<int>(exchange));
    shared.finished.store(true);
}

void RunWorker(TimeSyncWorker::Shared& shared) {
    QuitWatch watch;
    SetEvent(shared.queueReady.get());
    const WinsockSession winsock;
    if (!winsock.started()) {
        Finish(shared, TimeSyncResult::kNoSocketLibrary);
        return;
    }
    if (winsock.version() != kWinsockVersion) {
        Finish(shared, TimeSyncResult::kWrongSocketVersion);
        return;
    }
    const FetchResult result = FetchTimeProtocol(shared.server, shared.timeouts, watch,
                                                 [&shared](FetchStep step) { Reach(shared, StageOf(step)); });
    if (result.status == FetchStatus::kQuit) {
        return;  // abandoned: nobody reads the report any more
    }
    if (result.status != FetchStatus::kOk) {
        Finish(shared, TimeSyncFailure(static_cast<TimeSyncStage>(shared.stage.load())));
        return;
    }
    shared.seconds1900.store(result.seconds1900);
    Reach(shared, TimeSyncStage::kReplied);
    Finish(shared, TimeSyncResult::kClockSet);
}

DWORD WINAPI ThreadMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<TimeSyncWorker::Shared>> shared(
        static_cast<std::shared_ptr<TimeSyncWorker::Shared>*>(parameter));
    try {
        RunWorker(**shared);
    } catch (...) {
        // Out of memory on the way: a failed exchange, which the dialog
        // reports as such rather than waiting for ever.
        Finish(**shared, TimeSyncResult::kNoReply);
    }
    return 0;
}

}  // namespace

TimeSyncWorker::TimeSyncWorker(TimeServerAddress server, FetchTimeouts timeouts) : shared_(std::make_shared<Shared>()) {
    shared_->server = std::move(server);
    shared_->timeouts = timeouts;
}

TimeSyncWorker::~TimeSyncWorker() {
    Abandon();
}

// The thread's code lies in the program itself, which stays loaded while
// any of its threads runs, so the thread needs no reference to its module.
bool TimeSyncWorker::Start() {
    if (thread_ || !shared_->queueReady) {
        return false;
    }
    auto share = std::make_unique<std::shared_ptr<Shared>>(shared_);
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, share.get(), 0, &threadId_));
    if (!thread_) {
        return false;
    }
    share.release();  // the thread owns it now
    WaitForSingleObject(shared_->queueReady.get(), kQueueReadyWaitMs);
    return true;
}

void TimeSyncWorker::Abandon() {
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

TimeSyncReport TimeSyncWorker::Report() const {
    TimeSyncReport report;
    report.finished = shared_->finished.load();
    report.stage = static_cast<TimeSyncStage>(shared_->stage.load());
    if (report.finished) {
        report.exchange = static_cast<TimeSyncResult>(shared_->exchange.load());
        report.seconds1900 = shared_->seconds1900.load();
    }
    return report;
}
