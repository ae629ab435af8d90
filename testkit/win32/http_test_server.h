#pragma once

// An HTTP/1.1 server on 127.0.0.1 for tests of code that downloads: it
// answers each path with a scripted response, including broken ones (a wrong
// or missing Content-Length, delays, a connection cut in the middle of the
// body, no answer at all), and records every request it got.
//
// Each connection carries one request; every response says
// "Connection: close" and the server closes after it.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

class TcpConnection;
class TcpListener;

struct HttpHeader {
    std::string name{};
    std::string value{};
};

// What the Content-Length header of a response says.
enum class LengthHeader {
    kActual,  // the body's size
    kAbsent,  // no header: the body ends when the server closes
    kGiven,   // HttpResponse::announcedLength, whatever the body is
};

// A scripted response; designated initializers keep scripts short (every
// member has a default, so any may be left out):
//   server.SetResponse("/a", {.status = 304, .lengthHeader = LengthHeader::kAbsent});
struct HttpResponse {
    int status = 200;
    std::string reason{};  // empty: the usual phrase for `status`
    std::string body{};
    LengthHeader lengthHeader = LengthHeader::kActual;
    std::uint64_t announcedLength = 0;  // with LengthHeader::kGiven
    std::vector<HttpHeader> headers{};  // more headers, sent as given
    unsigned int delayBeforeHeadersMs = 0;
    unsigned int delayBeforeBodyMs = 0;
    // Send only this much of the body, then close the connection. (A reset
    // instead of a close cannot be scripted: under Wine a zero linger time
    // still closes with FIN.)
    std::optional<std::size_t> cutAfterBodyBytes{};
    bool neverAnswer = false;  // read the request, then say nothing until the server stops
};

struct HttpRequest {
    std::string method{};
    std::string target{};  // as sent: path and query
    std::string version{};
    std::vector<HttpHeader> headers{};
    std::string body{};

    // The first header of that name (names compare without case).
    std::optional<std::string> Header(std::string_view name) const;
};

class HttpTestServer {
public:
    // Listens at once; unscripted paths answer 404.
    HttpTestServer();
    // Stops: every connection is closed and every thread joined, also while
    // a client still waits for an answer.
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    unsigned short Port() const;
    std::string BaseUrl() const;                     // "http://127.0.0.1:<port>"
    std::string Url(std::string_view target) const;  // BaseUrl() + target

    // The response for requests whose target is `target`, or whose path
    // (the target without its query) is `target` when no target matches.
    void SetResponse(std::string target, HttpResponse response);
    void SetDefaultResponse(HttpResponse response);

    // Forgets the scripts and the requests, for the next test of a server
    // shared by several: every path answers 404 again.
    void Reset();

    // Connections accepted so far (also those that sent no whole request).
    std::size_t ConnectionCount() const;

    // Requests that arrived in full, in the order they arrived.
    std::vector<HttpRequest> Requests() const;

    // Ends everything now (the destructor does it too).
    void Stop();

private:
    void Serve(TcpConnection& connection);
    HttpResponse ResponseFor(const HttpRequest& request) const;

    mutable std::mutex mutex_;
    std::map<std::string, HttpResponse, std::less<>> responses_;
    HttpResponse defaultResponse_;
    std::vector<HttpRequest> requests_;
    std::unique_ptr<TcpListener> listener_;  // last: its threads use the members above
};

}  // namespace testkit
