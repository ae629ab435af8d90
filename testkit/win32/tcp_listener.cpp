#include "testkit/win32/tcp_listener.h"

#include <climits>
#include <stdexcept>
#include <utility>

namespace testkit {

WinsockSession::WinsockSession() {
    WSADATA data;
    ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession() {
    if (ok_) {
        WSACleanup();
    }
}

// The socket is non-blocking from here on (WSAEventSelect makes it so): every
// call that would block waits on the socket's event together with the stop
// event instead.
TcpConnection::TcpConnection(UniqueSocket socket, HANDLE stopEvent)
    : socket_(std::move(socket)), event_(WSACreateEvent()), stopEvent_(stopEvent) {
    if (!event_ || WSAEventSelect(socket_.get(), event_.get(), FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        socket_.reset();
        return;
    }
    // Scripted pauses between head and body must not be stretched by Nagle's
    // algorithm holding back a small segment.
    BOOL noDelay = TRUE;
    setsockopt(socket_.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
}

TcpConnection::~TcpConnection() {
    Close();
}

bool TcpConnection::WaitForSocket() {
    HANDLE waits[] = {stopEvent_, event_.get()};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) {
        return false;
    }
    // Resets the event; Winsock signals it again when something new happens.
    WSANETWORKEVENTS events;
    return WSAEnumNetworkEvents(socket_.get(), event_.get(), &events) == 0;
}

std::size_t TcpConnection::Receive(char* buffer, std::size_t capacity) {
    int wanted = static_cast<int>(capacity < INT_MAX ? capacity : INT_MAX);
    while (socket_ && WaitForSingleObject(stopEvent_, 0) == WAIT_TIMEOUT) {
        int received = recv(socket_.get(), buffer, wanted, 0);
        if (received >= 0) {
            return static_cast<std::size_t>(received);
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitForSocket()) {
            return 0;
        }
    }
    return 0;
}

bool TcpConnection::Send(std::string_view data) {
    while (!data.empty()) {
        if (!socket_ || WaitForSingleObject(stopEvent_, 0) != WAIT_TIMEOUT) {
            return false;
        }
        int chunk = static_cast<int>(data.size() < INT_MAX ? data.size() : INT_MAX);
        int sent = send(socket_.get(), data.data(), chunk, 0);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (WSAGetLastError() != WSAEWOULDBLOCK || !WaitForSocket()) {
            return false;
        }
    }
    return true;
}

bool TcpConnection::Pause(unsigned int milliseconds) {
    DWORD wait = milliseconds < INFINITE ? milliseconds : INFINITE - 1;
    return WaitForSingleObject(stopEvent_, wait) == WAIT_TIMEOUT;
}

void TcpConnection::WaitUntilStopped() {
    WaitForSingleObject(stopEvent_, INFINITE);
}

void TcpConnection::Close() {
    if (socket_) {
        shutdown(socket_.get(), SD_SEND);
        socket_.reset();
    }
}

TcpListener::TcpListener(Handler handler)
    : handler_(std::move(handler)), stopEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!winsock_.ok() || !stopEvent_) {
        throw std::runtime_error("TcpListener: no Winsock or no event");
    }
    listener_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // the system picks a free port
    int size = sizeof address;
    if (!listener_ || bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_.get(), SOMAXCONN) != 0 ||
        getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        throw std::runtime_error("TcpListener: cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptEvent_.reset(WSACreateEvent());
    if (!acceptEvent_ || WSAEventSelect(listener_.get(), acceptEvent_.get(), FD_ACCEPT) != 0) {
        throw std::runtime_error("TcpListener: cannot watch the listening socket");
    }
    acceptThread_ = std::thread([this] { AcceptLoop(); });
}

TcpListener::~TcpListener() {
    Stop();
}

void TcpListener::AcceptLoop() {
    HANDLE waits[] = {stopEvent_.get(), acceptEvent_.get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        WSANETWORKEVENTS events;
        WSAEnumNetworkEvents(listener_.get(), acceptEvent_.get(), &events);
        for (;;) {
            UniqueSocket accepted(accept(listener_.get(), nullptr, nullptr));
            if (!accepted) {
                break;
            }
            ++connections_;
            StartHandler(std::move(accepted));
        }
    }
}

void TcpListener::StartHandler(UniqueSocket socket) {
    std::lock_guard lock(handlersMutex_);
    try {
        handlers_.emplace_back([this, accepted = std::move(socket)]() mutable {
            try {
                TcpConnection connection(std::move(accepted), stopEvent_.get());
                handler_(connection);
            } catch (...) {
                // A failing handler only loses its own connection.
            }
        });
    } catch (...) {
        // No thread: the connection is dropped (the socket closes with the lambda).
    }
}

void TcpListener::Stop() {
    if (!stopEvent_) {
        return;
    }
    SetEvent(stopEvent_.get());
    if (acceptThread_.joinable()) {
        acceptThread_.join();
    }
    std::vector<std::thread> handlers;
    {
        std::lock_guard lock(handlersMutex_);
        handlers.swap(handlers_);
    }
    for (std::thread& handler : handlers) {
        handler.join();
    }
    listener_.reset();
}

}  // namespace testkit
