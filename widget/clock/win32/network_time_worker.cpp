#include "widget/clock/win32/network_time_worker.h"

#include <winsock2.h>

#include <atomic>
#include <limits>
#include <utility>

#include "widget/clock/time_protocol.h"
#include "widget/clock/win32/quit_watch.h"
#include "widget/clock/win32/time_protocol_fetch.h"

// What the worker thread and the object share. The thread is the only
// writer of `reading` and `finishedFetches`; the window's thread reads them.
// Both the object and the thread hold a share, so the state lives as long as
// the longer of the two.
struct NetworkTimeWorker::Shared {
    static constexpr std::int64_t kNoReading = std::numeric_limits<std::int64_t>::min();

    TimeServerAddress server;
    NetworkTimeTiming timing;
    // The moment of this round's good fetch, or kNoReading: one value, so a
    // reader never sees a flag that belongs to another moment.
    std::atomic<std::int64_t> reading{kNoReading};
    std::atomic<std::uint32_t> finishedFetches{0};
    UniqueHandle queueReady{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

namespace {

static_assert(std::atomic<std::int64_t>::is_always_lock_free);

class WinsockSession {
public:
    WinsockSession() {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }
    ~WinsockSession() {
        if (started_) {
            WSACleanup();
        }
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

private:
    bool started_ = false;
};

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// One round: up to three fetches, a pause after each failed one but the
// last. False when WM_QUIT arrived.
bool RunRound(NetworkTimeWorker::Shared& shared, QuitWatch& watch) {
    using Shared = NetworkTimeWorker::Shared;
    shared.reading.store(Shared::kNoReading);
    const FetchTimeouts timeouts = {shared.timing.connectTimeoutMs, shared.timing.readTimeoutMs};
    for (int attempt = 1; attempt <= kNetworkTimeAttempts; ++attempt) {
        const FetchResult result = FetchTimeProtocol(shared.server, timeouts, watch);
        if (result.status == FetchStatus::kQuit) {
            return false;
        }
        // A count whose moment a Moment cannot hold is no time to show.
        const std::optional<Moment> moment =
            result.status == FetchStatus::kOk ? MomentFromTimeProtocol(result.seconds1900) : std::nullopt;
        if (moment) {
            shared.reading.store(*moment);
        }
        shared.finishedFetches.fetch_add(1);
        if (moment) {
            return true;
        }
        if (attempt < kNetworkTimeAttempts && watch.Wait(nullptr, shared.timing.retryDelayMs) == WaitOutcome::kQuit) {
            return false;
        }
    }
    return true;
}

void RunWorker(NetworkTimeWorker::Shared& shared) {
    QuitWatch watch;
    SetEvent(shared.queueReady.get());
    WinsockSession winsock;
    for (;;) {
        const ULONGLONG nextRound = GetTickCount64() + shared.timing.periodMs;
        if (!RunRound(shared, watch) || watch.Wait(nullptr, Remaining(nextRound)) == WaitOutcome::kQuit) {
            return;
        }
    }
}

// What the thread gets: its share of the state and a reference to the
// module its code lies in.
struct ThreadStart {
    std::shared_ptr<NetworkTimeWorker::Shared> shared;
    HMODULE module;
};

void RunThread(ThreadStart* parameter) {
    const std::unique_ptr<ThreadStart> start(parameter);
    try {
        RunWorker(*start->shared);
    } catch (...) {
        // Out of memory on the way: the worker ends and the clock shows no
        // network time, which is what a failed fetch shows too.
    }
}

DWORD WINAPI ThreadMain(void* parameter) {
    HMODULE module = static_cast<ThreadStart*>(parameter)->module;
    RunThread(static_cast<ThreadStart*>(parameter));
    // The thread's own share is gone by now; the module reference goes last,
    // as the thread leaves the module's code.
    FreeLibraryAndExitThread(module, 0);
}

// A counted reference to the module (DLL or program) this code lies in.
HMODULE ReferenceThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ThreadMain), &module);
    return module;
}

}  // namespace

NetworkTimeWorker::NetworkTimeWorker(TimeServerAddress server, NetworkTimeTiming timing)
    : shared_(std::make_shared<Shared>()) {
    shared_->server = std::move(server);
    shared_->timing = timing;
}

NetworkTimeWorker::~NetworkTimeWorker() {
    Stop();
}

bool NetworkTimeWorker::Start() {
    if (thread_ || !shared_->queueReady) {
        return false;
    }
    const HMODULE module = ReferenceThisModule();
    if (module == nullptr) {
        return false;
    }
    auto start = std::make_unique<ThreadStart>(ThreadStart{shared_, module});
    thread_.reset(CreateThread(nullptr, 0, ThreadMain, start.get(), 0, &threadId_));
    if (!thread_) {
        FreeLibrary(module);
        return false;
    }
    start.release();  // the thread owns it now
    WaitForSingleObject(shared_->queueReady.get(), kNetworkTimeStopWaitMs);
    return true;
}

bool NetworkTimeWorker::Stop() {
    if (!thread_) {
        return true;
    }
    // The queue exists once the thread has made it; only then does the
    // posted message arrive.
    WaitForSingleObject(shared_->queueReady.get(), kNetworkTimeStopWaitMs);
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    const bool ended = WaitForSingleObject(thread_.get(), kNetworkTimeStopWaitMs) == WAIT_OBJECT_0;
    // A thread still running here is inside the host's name look-up, the one
    // step that does not watch its queue. It is let go: it holds its own
    // share of the state it writes and a reference to the module its code
    // lies in, so neither goes away under it, and it ends as soon as the
    // look-up returns and it sees the quit message.
    thread_.reset();
    threadId_ = 0;
    return ended;
}

std::optional<Moment> NetworkTimeWorker::NetworkTime() const {
    const std::int64_t reading = shared_->reading.load();
    if (reading == Shared::kNoReading) {
        return std::nullopt;
    }
    return static_cast<Moment>(reading);
}

std::uint32_t NetworkTimeWorker::FinishedFetches() const {
    return shared_->finishedFetches.load();
}
