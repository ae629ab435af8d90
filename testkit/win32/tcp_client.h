#pragma once

// A raw TCP client for checking what a server puts on the wire, byte for
// byte, and how it ends the connection.

#include <string>
#include <string_view>

namespace testkit {

struct TcpExchange {
    enum class End {
        kClosed,         // the server closed (FIN) after `received`
        kBroken,         // the connection broke (a send or receive failed) after `received`
        kTimedOut,       // nothing more arrived within the time-out; still open
        kConnectFailed,  // no connection at all
    };
    std::string received{};
    End end = End::kConnectFailed;
};

// Connects to 127.0.0.1:`port`, sends `request` and collects what comes back
// until the server closes, the connection breaks, or `quietMs` milliseconds
// pass without a byte arriving.
TcpExchange ExchangeWithServer(unsigned short port, std::string_view request, unsigned int quietMs);

}  // namespace testkit
