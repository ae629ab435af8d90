#include "widget/clock/win32/time_protocol_fetch.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "common/win32/handles.h"
#include "widget/clock/time_protocol.h"

namespace {

struct SocketTraits {
    using Value = SOCKET;
    static Value Invalid() { return INVALID_SOCKET; }
    static void Close(Value v) { closesocket(v); }
};
using UniqueSocket = UniqueResource<SocketTraits>;

struct AddressListTraits {
    using Value = addrinfo*;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { freeaddrinfo(v); }
};
using UniqueAddressList = UniqueResource<AddressListTraits>;

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// A socket with its event: WSAEventSelect makes the socket non-blocking and
// sets the event on each connect, read and close, so waits can also watch
// the queue.
struct EventSocket {
    UniqueSocket socket;
    UniqueHandle event;
};

FetchStatus StatusOf(WaitOutcome outcome) {
    return outcome == WaitOutcome::kQuit ? FetchStatus::kQuit : FetchStatus::kFailed;
}

void Tell(const FetchObserver& observer, FetchStep step) {
    if (observer) {
        observer(step);
    }
}

// Waits for the connection to `address` until `deadline`; kOk when it is made.
FetchStatus Connect(EventSocket& connection,
                    const addrinfo& address,
                    ULONGLONG deadline,
                    QuitWatch& watch,
                    const FetchObserver& observer) {
    connection.socket.reset(socket(address.ai_family, address.ai_socktype, address.ai_protocol));
    if (!connection.socket) {
        return FetchStatus::kFailed;
    }
    Tell(observer, FetchStep::kSocketCreated);
    connection.event.reset(WSACreateEvent());
    if (!connection.event ||
        WSAEventSelect(connection.socket.get(), connection.event.get(), FD_CONNECT | FD_READ | FD_CLOSE) != 0) {
        return FetchStatus::kFailed;
    }
    if (connect(connection.socket.get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) {
        return FetchStatus::kOk;
    }
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        return FetchStatus::kFailed;
    }
    for (;;) {
        const WaitOutcome outcome = watch.Wait(connection.event.get(), Remaining(deadline));
        if (outcome != WaitOutcome::kSignalled) {
            return StatusOf(outcome);
        }
        WSANETWORKEVENTS events = {};
        if (WSAEnumNetworkEvents(connection.socket.get(), connection.event.get(), &events) != 0) {
            return FetchStatus::kFailed;
        }
        if ((events.lNetworkEvents & FD_CONNECT) != 0) {
            return events.iErrorCode[FD_CONNECT_BIT] == 0 ? FetchStatus::kOk : FetchStatus::kFailed;
        }
    }
}

// Reads until four bytes have arrived. A server that closes early, fails or
// stays silent past `deadline` gives kFailed: fewer bytes are no count.
FetchResult ReadCount(EventSocket& connection, ULONGLONG deadline, QuitWatch& watch) {
    std::string reply;
    while (reply.size() < kTimeProtocolReplyBytes) {
        char buffer[kTimeProtocolReplyBytes];
        const int wanted = static_cast<int>(kTimeProtocolReplyBytes - reply.size());
        const int received = recv(connection.socket.get(), buffer, wanted, 0);
        if (received > 0) {
            reply.append(buffer, static_cast<std::size_t>(received));
            continue;
        }
        if (received == 0 || WSAGetLastError() != WSAEWOULDBLOCK) {
            return {};
        }
        const WaitOutcome outcome = watch.Wait(connection.event.get(), Remaining(deadline));
        if (outcome != WaitOutcome::kSignalled) {
            return {StatusOf(outcome), 0};
        }
        // Resets the event; what happened is seen by the next recv.
        WSANETWORKEVENTS events = {};
        WSAEnumNetworkEvents(connection.socket.get(), connection.event.get(), &events);
    }
    return {FetchStatus::kOk, DecodeTimeProtocolReply(reply).value_or(0)};
}

}  // namespace

FetchResult FetchTimeProtocol(const TimeServerAddress& server,
                              const FetchTimeouts& timeouts,
                              QuitWatch& watch,
                              const FetchObserver& observer) {
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(server.port);
    if (getaddrinfo(server.host.c_str(), port.c_str(), &hints, &found) != 0) {
        return {};
    }
    const UniqueAddressList addresses(found);
    Tell(observer, FetchStep::kResolved);
    const ULONGLONG connectDeadline = GetTickCount64() + timeouts.connectMs;
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        EventSocket connection;
        const FetchStatus connected = Connect(connection, *address, connectDeadline, watch, observer);
        if (connected == FetchStatus::kQuit) {
            return {FetchStatus::kQuit, 0};
        }
        if (connected == FetchStatus::kOk) {
            Tell(observer, FetchStep::kConnected);
            return ReadCount(connection, GetTickCount64() + timeouts.readMs, watch);
        }
    }
    return {};
}
