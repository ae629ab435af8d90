#pragma once

// The clock's network time: a worker thread with its own message queue asks
// the time server at start and then once every period. Each round first
// clears the time, then tries up to three fetches with a pause after each
// failed one; the first good answer is kept until the next round.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "common/local_time.h"
#include "common/win32/handles.h"
#include "widget/clock/time_server_address.h"

struct NetworkTimeTiming {
    DWORD periodMs = 60 * 60 * 1000;  // from one round's start to the next's
    DWORD retryDelayMs = 60 * 1000;   // pause after a failed fetch
    DWORD connectTimeoutMs = 15 * 1000;
    DWORD readTimeoutMs = 15 * 1000;
};

inline constexpr int kNetworkTimeAttempts = 3;
// Longest wait for the thread when the worker is stopped.
inline constexpr DWORD kNetworkTimeStopWaitMs = 5000;

class NetworkTimeWorker {
public:
    NetworkTimeWorker(TimeServerAddress server, NetworkTimeTiming timing);
    ~NetworkTimeWorker();  // Stop()
    NetworkTimeWorker(const NetworkTimeWorker&) = delete;
    NetworkTimeWorker& operator=(const NetworkTimeWorker&) = delete;

    // Starts the thread and waits until its queue can take the stop message.
    // False when the thread could not be started or was started before.
    bool Start();
    // Posts WM_QUIT to the thread and waits up to kNetworkTimeStopWaitMs.
    // True when the thread has ended (or never ran).
    bool Stop();

    // The moment this round's good fetch gave; nullopt while the round has
    // none. Any thread may ask.
    std::optional<Moment> NetworkTime() const;
    // Fetches finished since the start, good or failed. Any thread may ask.
    std::uint32_t FinishedFetches() const;

    // The state the thread writes (defined with the thread's code).
    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    UniqueHandle thread_;
    DWORD threadId_ = 0;
};
