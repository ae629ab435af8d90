#pragma once

// One RFC 868 exchange over TCP: connect to the time server, read until the
// four bytes of the count have arrived, close. Every step has a time-out and
// watches the thread's queue for WM_QUIT (see quit_watch.h).

#include <windows.h>

#include <cstdint>

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

// Needs Winsock started on the calling thread. The host's name look-up is
// the one step that cannot be interrupted: it ends when the system's
// resolver gives up.
FetchResult FetchTimeProtocol(const TimeServerAddress& server, const FetchTimeouts& timeouts, QuitWatch& watch);
