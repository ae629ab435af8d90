#pragma once

// An RFC 868 time server on 127.0.0.1 for tests of the network clock: on
// each connection it sends the time as four big-endian bytes of seconds since
// 1900-01-01 00:00 UTC and closes, or misbehaves as scripted.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace testkit {

class TcpConnection;
class TcpListener;

// Seconds since 1900 (the protocol's count, modulo 2^32) of a moment given in
// seconds since 1970.
std::uint32_t TimeProtocolSeconds(std::int64_t unixSeconds);

struct TimeReply {
    enum class Kind {
        kTime,         // the first `bytes` of the four bytes, then close
        kSilent,       // accept and say nothing until the server stops
        kCloseAtOnce,  // accept and close without a byte
        kStall,        // the first `bytes` of the four bytes, then silence until the server stops
    };

    static TimeReply Time(std::int64_t unixSeconds) { return {Kind::kTime, TimeProtocolSeconds(unixSeconds), 4}; }
    static TimeReply Partial(std::int64_t unixSeconds, std::size_t bytes) {
        return {Kind::kTime, TimeProtocolSeconds(unixSeconds), bytes < 4 ? bytes : 4};
    }
    static TimeReply Silent() { return {Kind::kSilent, 0, 0}; }
    static TimeReply CloseAtOnce() { return {Kind::kCloseAtOnce, 0, 0}; }
    static TimeReply Stall(std::int64_t unixSeconds, std::size_t bytes) {
        return {Kind::kStall, TimeProtocolSeconds(unixSeconds), bytes < 4 ? bytes : 4};
    }

    Kind kind;
    std::uint32_t seconds1900;
    std::size_t bytes;
};

class TimeTestServer {
public:
    explicit TimeTestServer(TimeReply reply);
    ~TimeTestServer();  // stops, also while a client waits on a silent reply
    TimeTestServer(const TimeTestServer&) = delete;
    TimeTestServer& operator=(const TimeTestServer&) = delete;

    unsigned short Port() const;
    void SetReply(TimeReply reply);
    std::size_t ConnectionCount() const;
    void Stop();

private:
    void Serve(TcpConnection& connection);

    mutable std::mutex mutex_;
    TimeReply reply_;
    std::unique_ptr<TcpListener> listener_;  // last: its threads use the members above
};

}  // namespace testkit
