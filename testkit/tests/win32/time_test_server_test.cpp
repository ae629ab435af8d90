#include "testkit/win32/time_test_server.h"

#include <gtest/gtest.h>

#include <string>

#include "testkit/win32/tcp_client.h"

namespace testkit {
namespace {

using End = TcpExchange::End;

TEST(TimeTestServer, SendsScriptedBytes) {
    struct Case {
        const char* name;
        TimeReply reply;
        std::string expected;
        End end;
    } cases[] = {
        // 2024-01-01 00:00:00 UTC is 3913056000 seconds after 1900.
        {"whole time", TimeReply::Time(1704067200), std::string("\xE9\x3C\x7F\x00", 4), End::kClosed},
        {"the epoch", TimeReply::Time(0), "\x83\xAA\x7E\x80", End::kClosed},
        // 2036-02-07 06:28:16 UTC: the 32-bit count wraps to zero.
        {"era rollover", TimeReply::Time(2085978496), std::string(4, '\0'), End::kClosed},
        {"two bytes", TimeReply::Partial(1704067200, 2), "\xE9\x3C", End::kClosed},
        {"close at once", TimeReply::CloseAtOnce(), "", End::kClosed},
        {"silent", TimeReply::Silent(), "", End::kTimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimeTestServer server(c.reply);
        TcpExchange exchange = ExchangeWithServer(server.Port(), "", 300);
        EXPECT_EQ(exchange.received, c.expected);
        EXPECT_EQ(exchange.end, c.end);
        EXPECT_EQ(server.ConnectionCount(), 1u);
    }
}

TEST(TimeTestServer, ReplyCanChangeBetweenConnections) {
    TimeTestServer server(TimeReply::CloseAtOnce());
    EXPECT_EQ(ExchangeWithServer(server.Port(), "", 2000).received, "");
    server.SetReply(TimeReply::Time(0));
    EXPECT_EQ(ExchangeWithServer(server.Port(), "", 2000).received, "\x83\xAA\x7E\x80");
    EXPECT_EQ(server.ConnectionCount(), 2u);
}

}  // namespace
}  // namespace testkit
