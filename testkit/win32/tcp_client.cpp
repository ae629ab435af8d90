#include "testkit/win32/tcp_client.h"

#include "testkit/win32/tcp_listener.h"

namespace testkit {

namespace {

// Waits until `socket` has something to read; false after `quietMs` without.
bool WaitReadable(SOCKET socket, unsigned int quietMs) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval limit = {static_cast<long>(quietMs / 1000), static_cast<long>(quietMs % 1000 * 1000)};
    return select(0, &readable, nullptr, nullptr, &limit) == 1;
}

}  // namespace

TcpExchange ExchangeWithServer(unsigned short port, std::string_view request, unsigned int quietMs) {
    TcpExchange exchange;
    WinsockSession winsock;
    UniqueSocket client(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (!winsock.ok() || !client ||
        connect(client.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return exchange;
    }
    if (!request.empty() &&
        send(client.get(), request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size())) {
        exchange.end = TcpExchange::End::kBroken;
        return exchange;
    }
    char buffer[4096];
    for (;;) {
        if (!WaitReadable(client.get(), quietMs)) {
            exchange.end = TcpExchange::End::kTimedOut;
            return exchange;
        }
        int received = recv(client.get(), buffer, sizeof buffer, 0);
        if (received <= 0) {
            exchange.end = received == 0 ? TcpExchange::End::kClosed : TcpExchange::End::kBroken;
            return exchange;
        }
        exchange.received.append(buffer, static_cast<std::size_t>(received));
    }
}

}  // namespace testkit
