#pragma once

// One RFC 868 exchange over TCP: connect to the time server, read until the
// four bytes of the count have arrived, close. Every step has a time-out and
// watches the thread's queue for WM_QUIT (see quit_watch.h).

#include <windows.h>

#include <cstdint>
#include <functional>

#include "widget/clock/time_server_address.h"
#include "widget/clock/win32/quit_watch.h"

struct FetchTimeouts {
    DWORD connectMs;  // for the connection, over all the addresses the name has
    DWORD readMs;     // from the connection to the fourth byte
};

enum class FetchStatus {
    kOk,      // `seconds1900` holds the count
    kFailed,  // no address, no connection, an error, a time-out or fewer than four bytes
    kQuit,    // WM_QUIT arrived; the caller should end
};

struct FetchResult {
    FetchStatus status = FetchStatus::kFailed;
    std::uint32_t seconds1900 = 0;
};

// Steps of a fetch, in order, for callers that show how far it came. With
// several addresses for the name, the socket and connection steps come once
// for each address tried.
enum class FetchStep {
    kResolved,       // the name gave at least one address
    kSocketCreated,  // a socket for one of them
    kConnected,
};
using FetchObserver = std::function<void(FetchStep)>;

// Needs Winsock started on the calling thread. The host's name look-up is
// the one step that cannot be interrupted: it ends when the system's
// resolver gives up. `observer` (may be empty) hears each step as it is
// reached, on the calling thread.
FetchResult FetchTimeProtocol(const TimeServerAddress& server,
                              const FetchTimeouts& timeouts,
                              QuitWatch& watch,
                              const FetchObserver& observer = {});
