#include "testkit/win32/http_test_server.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "testkit/win32/stopwatch.h"
#include "testkit/win32/tcp_client.h"

namespace testkit {
namespace {

using End = TcpExchange::End;

constexpr char kGetRoot[] = "GET /r HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";

struct InternetHandle {
    explicit InternetHandle(HINTERNET h) : handle(h) {}
    ~InternetHandle() {
        if (handle != nullptr) {
            InternetCloseHandle(handle);
        }
    }
    HINTERNET handle;
};

TEST(HttpTestServer, AnswersWinInetAndRecordsTheRequest) {
    HttpTestServer server;
    server.SetResponse("/feed.xml", {.body = "<weather/>", .headers = {{"X-Kit", "yes"}}});

    InternetHandle session(InternetOpenA("KitAgent/1", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    ASSERT_NE(session.handle, nullptr);
    const char extra[] = "X-Extra: 7\r\n";
    InternetHandle request(InternetOpenUrlA(session.handle, server.Url("/feed.xml?city=1").c_str(), extra,
                                            sizeof extra - 1, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    ASSERT_NE(request.handle, nullptr) << GetLastError();

    DWORD status = 0;
    DWORD size = sizeof status;
    ASSERT_TRUE(
        HttpQueryInfoA(request.handle, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr));
    EXPECT_EQ(status, 200u);
    char header[32] = "X-Kit";
    size = sizeof header;
    ASSERT_TRUE(HttpQueryInfoA(request.handle, HTTP_QUERY_CUSTOM, header, &size, nullptr));
    EXPECT_STREQ(header, "yes");
    char body[64] = {};
    DWORD read = 0;
    ASSERT_TRUE(InternetReadFile(request.handle, body, sizeof body - 1, &read));
    EXPECT_EQ(std::string(body, read), "<weather/>");

    std::vector<HttpRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/feed.xml?city=1");
    EXPECT_EQ(requests[0].Header("user-agent"), "KitAgent/1");
    EXPECT_EQ(requests[0].Header("X-EXTRA"), "7");
    EXPECT_EQ(requests[0].Header("If-Modified-Since"), std::nullopt);
}

struct WireCase {
    const char* name;
    HttpResponse response;
    const char* expected;  // every byte the client gets
    End end;
};

TEST(HttpTestServer, PutsTheScriptedResponseOnTheWire) {
    const WireCase cases[] = {
        {"length of the body",
         {.body = "hello"},
         "HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello",
         End::kClosed},
        {"no length",
         {.status = 304, .lengthHeader = LengthHeader::kAbsent},
         "HTTP/1.1 304 Not Modified\r\nConnection: close\r\n\r\n",
         End::kClosed},
        {"wrong length",
         {.body = "abc", .lengthHeader = LengthHeader::kGiven, .announcedLength = 10},
         "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\nabc",
         End::kClosed},
        {"own reason and header",
         {.status = 503, .reason = "Busy", .headers = {{"Retry-After", "5"}}},
         "HTTP/1.1 503 Busy\r\nContent-Length: 0\r\nRetry-After: 5\r\nConnection: close\r\n\r\n",
         End::kClosed},
        {"cut mid-body",
         {.body = "0123456789", .cutAfterBodyBytes = 4},
         "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\n0123",
         End::kClosed},
    };
    for (const WireCase& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server;
        server.SetResponse("/r", c.response);
        TcpExchange exchange = ExchangeWithServer(server.Port(), kGetRoot, 5000);
        EXPECT_EQ(exchange.received, c.expected);
        EXPECT_EQ(exchange.end, c.end);
    }
}

TEST(HttpTestServer, MatchesTargetThenPathAndAnswersTheRest404) {
    HttpTestServer server;
    server.SetResponse("/a", {.body = "path"});
    server.SetResponse("/a?x=1", {.body = "target"});
    auto bodyOf = [&](const char* target) {
        std::string request = std::string("GET ") + target + " HTTP/1.1\r\n\r\n";
        std::string received = ExchangeWithServer(server.Port(), request, 5000).received;
        return received.substr(received.find("\r\n\r\n") + 4);
    };
    EXPECT_EQ(bodyOf("/a?x=1"), "target");
    EXPECT_EQ(bodyOf("/a?x=2"), "path");
    EXPECT_EQ(bodyOf("/a"), "path");
    std::string other = ExchangeWithServer(server.Port(), "GET /b HTTP/1.1\r\n\r\n", 5000).received;
    EXPECT_EQ(other.rfind("HTTP/1.1 404 Not Found\r\n", 0), 0u) << other;
}

TEST(HttpTestServer, DelaysHeadAndBody) {
    struct Case {
        const char* name;
        HttpResponse response;
        const char* beforeQuiet;  // what arrives before a 150 ms quiet spell
    } cases[] = {
        {"delay before the head", {.body = "x", .delayBeforeHeadersMs = 1500}, ""},
        {"delay before the body",
         {.body = "x", .delayBeforeBodyMs = 1500},
         "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nConnection: close\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server;
        server.SetResponse("/r", c.response);
        TcpExchange early = ExchangeWithServer(server.Port(), kGetRoot, 150);
        EXPECT_EQ(early.end, End::kTimedOut);
        EXPECT_EQ(early.received, c.beforeQuiet);
        TcpExchange patient = ExchangeWithServer(server.Port(), kGetRoot, 5000);
        EXPECT_EQ(patient.end, End::kClosed);
        EXPECT_EQ(patient.received.substr(patient.received.size() - 1), "x");
    }
}

// A raw client on a thread of its own, talking to the server until it closes.
class BackgroundClient {
public:
    BackgroundClient(unsigned short port, std::string request)
        : thread_([this, port, request] {
              exchange_ = ExchangeWithServer(port, request, 20000);
              done_ = true;
          }) {}
    ~BackgroundClient() { thread_.join(); }

    bool Done() const { return done_; }
    // Waits up to `timeoutMs` for the exchange to end.
    bool WaitDone(unsigned int timeoutMs) {
        for (Stopwatch watch; !done_ && watch.Milliseconds() < timeoutMs;) {
            Sleep(10);
        }
        return done_;
    }
    const TcpExchange& Exchange() const { return exchange_; }

private:
    std::atomic<bool> done_{false};
    TcpExchange exchange_;
    std::thread thread_;
};

TEST(HttpTestServer, StopsPromptlyWhileClientsHang) {
    auto server = std::make_unique<HttpTestServer>();
    server->SetResponse("/r", {.neverAnswer = true});
    // One client waits for an answer that never comes, one never finishes its request.
    BackgroundClient waiting(server->Port(), kGetRoot);
    BackgroundClient unfinished(server->Port(), "GET /r HTTP/1.1\r\nHost:");
    for (Stopwatch watch;
         (server->Requests().empty() || server->ConnectionCount() < 2) && watch.Milliseconds() < 5000;) {
        Sleep(10);
    }
    ASSERT_EQ(server->ConnectionCount(), 2u);
    ASSERT_EQ(server->Requests().size(), 1u);
    Sleep(300);
    EXPECT_FALSE(waiting.Done()) << "the server answered";

    Stopwatch stopping;
    server.reset();
    EXPECT_LT(stopping.Milliseconds(), 2000);

    for (BackgroundClient* client : {&waiting, &unfinished}) {
        ASSERT_TRUE(client->WaitDone(5000));
        EXPECT_EQ(client->Exchange().received, "");
        EXPECT_NE(client->Exchange().end, End::kTimedOut);
    }
}

}  // namespace
}  // namespace testkit
