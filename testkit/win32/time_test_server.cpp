#include "testkit/win32/time_test_server.h"

#include <string>

#include "testkit/win32/tcp_listener.h"

namespace testkit {

std::uint32_t TimeProtocolSeconds(std::int64_t unixSeconds) {
    // 1900-01-01 to 1970-01-01: 70 years with 17 leap days.
    constexpr std::int64_t kSeconds1900To1970 = 2208988800;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(unixSeconds + kSeconds1900To1970));
}

TimeTestServer::TimeTestServer(TimeReply reply)
    : reply_(reply), listener_(std::make_unique<TcpListener>([this](TcpConnection& c) { Serve(c); })) {}

TimeTestServer::~TimeTestServer() {
    Stop();
}

unsigned short TimeTestServer::Port() const {
    return listener_->Port();
}

void TimeTestServer::SetReply(TimeReply reply) {
    std::lock_guard lock(mutex_);
    reply_ = reply;
}

std::size_t TimeTestServer::ConnectionCount() const {
    return listener_->ConnectionCount();
}

void TimeTestServer::Stop() {
    listener_->Stop();
}

void TimeTestServer::Serve(TcpConnection& connection) {
    TimeReply reply;
    {
        std::lock_guard lock(mutex_);
        reply = reply_;
    }
    const std::uint32_t s = reply.seconds1900;
    const char bytes[4] = {static_cast<char>(s >> 24), static_cast<char>(s >> 16), static_cast<char>(s >> 8),
                           static_cast<char>(s)};
    switch (reply.kind) {
        case TimeReply::Kind::kTime:
            connection.Send(std::string_view(bytes, reply.bytes));
            break;
        case TimeReply::Kind::kStall:
            connection.Send(std::string_view(bytes, reply.bytes));
            connection.WaitUntilStopped();
            break;
        case TimeReply::Kind::kSilent:
            connection.WaitUntilStopped();
            break;
        case TimeReply::Kind::kCloseAtOnce:
            break;
    }
}

}  // namespace testkit
