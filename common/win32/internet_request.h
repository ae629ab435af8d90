#pragma once

// The WinINet steps the suite's downloads share: an owned handle, an
// address split for InternetConnect and HttpOpenRequest, time-outs on every
// handle, a GET request that revalidates any cached copy and never shows a
// dialog, and the response's status code.

#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>

#include "common/win32/handles.h"

struct InternetTraits {
    using Value = HINTERNET;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { InternetCloseHandle(v); }
};
using UniqueInternet = UniqueResource<InternetTraits>;

// Where an http:// or https:// address points.
struct HttpTarget {
    bool secure = false;
    std::string host;
    INTERNET_PORT port = 0;
    std::string user;
    std::string password;
    std::string object;  // path and query; "/" when the address has none
};

// nullopt for anything but an http:// or https:// address with a host.
std::optional<HttpTarget> SplitAddress(const char* address);

// Connection, receive and send time-outs of `handle`. Set on every handle of
// the chain: Wine does not pass the session's on to the connection and the
// request made from it.
void ApplyTimeouts(HINTERNET handle, DWORD connectMs, DWORD readMs);

// Connects to `target` through `session` (kept in `connection`) and sends
// a GET of its object; null when the connection or the request fails.
UniqueInternet SendGetRequest(HINTERNET session,
                              const HttpTarget& target,
                              DWORD connectMs,
                              DWORD readMs,
                              UniqueInternet& connection);

// The response's status code; nullopt when it has none.
std::optional<DWORD> StatusCode(HINTERNET request);
