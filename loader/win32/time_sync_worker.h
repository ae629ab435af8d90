#pragma once

// The network half of one time synchronisation: a worker thread asks the
// time server once and publishes how far it came and what it received. It
// writes nothing but its own shared state, so it can be let go at any time:
// setting the clock is left to the dialog's thread, which reads the report.

#include <windows.h>

#include <memory>

#include "common/win32/handles.h"
#include "loader/time_sync.h"
#include "widget/clock/time_server_address.h"
#include "widget/clock/win32/time_protocol_fetch.h"

class TimeSyncWorker {
public:
    TimeSyncWorker(TimeServerAddress server, FetchTimeouts timeouts);
    ~TimeSyncWorker();  // Abandon()
    TimeSyncWorker(const TimeSyncWorker&) = delete;
    TimeSyncWorker& operator=(const TimeSyncWorker&) = delete;

    // Starts the thread and waits until its queue can take the quit message.
    // False when the thread could not be started or was started before.
    bool Start();
    // Tells the thread to end and lets it go without waiting: every wait of
    // the exchange ends at once, only a name look-up still under way runs
    // to its end first.
    void Abandon();

    // How far the exchange came; any thread may ask.
    TimeSyncReport Report() const;

    // The state the thread writes (defined with the thread's code).
    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    UniqueHandle thread_;
    DWORD threadId_ = 0;
};
