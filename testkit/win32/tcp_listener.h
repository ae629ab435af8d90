#pragma once

// The socket plumbing of the kit's servers: a listening socket on 127.0.0.1
// with an ephemeral port, one thread that accepts and one thread for each
// connection, and a stop signal every wait of those threads also watches, so
// stopping never waits for a client.

#include <windows.h>
#include <winsock2.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "common/win32/handles.h"

namespace testkit {

namespace handle_traits {
struct Socket {
    using Value = SOCKET;
    static Value Invalid() { return INVALID_SOCKET; }
    static void Close(Value v) { closesocket(v); }
};
struct WsaEvent {
    using Value = WSAEVENT;
    static Value Invalid() { return WSA_INVALID_EVENT; }
    static void Close(Value v) { WSACloseEvent(v); }
};
}  // namespace handle_traits

using UniqueSocket = UniqueResource<handle_traits::Socket>;
using UniqueWsaEvent = UniqueResource<handle_traits::WsaEvent>;

// WSAStartup for the lifetime of the object (calls nest).
class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

// One accepted connection as its handler sees it. Every wait ends early when
// the server stops; the handler then only has to return.
class TcpConnection {
public:
    TcpConnection(UniqueSocket socket, HANDLE stopEvent);
    ~TcpConnection();  // graceful close: our data first, then FIN
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // Waits for data and returns what arrived (at most `capacity` bytes);
    // 0 when the peer closed, the connection broke or the server stops.
    std::size_t Receive(char* buffer, std::size_t capacity);

    // Sends all of `data`; false when the connection broke or the server stops.
    bool Send(std::string_view data);

    // Sleeps; false when the server stopped meanwhile.
    bool Pause(unsigned int milliseconds);

    // Holds the connection open without a word until the server stops.
    void WaitUntilStopped();

    // Closes at once, after what was sent.
    void Close();

private:
    // Waits until the socket reports an event or the server stops.
    bool WaitForSocket();

    UniqueSocket socket_;
    UniqueWsaEvent event_;
    HANDLE stopEvent_;
};

class TcpListener {
public:
    using Handler = std::function<void(TcpConnection&)>;

    // Listens on 127.0.0.1 at a port the system picks and starts accepting;
    // `handler` runs on a thread of its own for every connection and must not
    // throw (what it throws is dropped with the connection).
    explicit TcpListener(Handler handler);
    ~TcpListener();  // Stop()
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    unsigned short Port() const { return port_; }

    // Connections accepted so far.
    std::size_t ConnectionCount() const { return connections_.load(); }

    // Stops accepting, ends every wait of every handler, closes every
    // connection and joins every thread. Idempotent.
    void Stop();

private:
    void AcceptLoop();
    void StartHandler(UniqueSocket socket);

    WinsockSession winsock_;
    Handler handler_;
    UniqueHandle stopEvent_;
    UniqueSocket listener_;
    UniqueWsaEvent acceptEvent_;
    unsigned short port_ = 0;
    std::atomic<std::size_t> connections_{0};
    std::thread acceptThread_;
    std::mutex handlersMutex_;
    std::vector<std::thread> handlers_;
};

}  // namespace testkit
