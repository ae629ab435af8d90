#include "testkit/win32/http_test_server.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "testkit/win32/tcp_listener.h"

namespace testkit {

namespace {

// A request head larger than this is not from a client under test; the
// connection is dropped instead of buffering without end.
constexpr std::size_t kMaxRequestHead = 64 * 1024;
constexpr std::size_t kMaxRequestBody = 1024 * 1024;

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

const char* ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 304:
            return "Not Modified";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
    }
}

std::string FormatResponseHead(const HttpResponse& response) {
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " +
                       (response.reason.empty() ? ReasonPhrase(response.status) : response.reason) + "\r\n";
    switch (response.lengthHeader) {
        case LengthHeader::kActual:
            head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
            break;
        case LengthHeader::kGiven:
            head += "Content-Length: " + std::to_string(response.announcedLength) + "\r\n";
            break;
        case LengthHeader::kAbsent:
            break;
    }
    for (const HttpHeader& header : response.headers) {
        head += header.name + ": " + header.value + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    return head;
}

// `head` is everything before the empty line that ends it.
std::optional<HttpRequest> ParseRequestHead(std::string_view head) {
    std::size_t lineEnd = head.find("\r\n");
    std::string_view requestLine = head.substr(0, lineEnd);
    std::size_t firstSpace = requestLine.find(' ');
    std::size_t lastSpace = requestLine.rfind(' ');
    if (firstSpace == std::string_view::npos || firstSpace == lastSpace) {
        return std::nullopt;
    }
    HttpRequest request;
    request.method = requestLine.substr(0, firstSpace);
    request.target = requestLine.substr(firstSpace + 1, lastSpace - firstSpace - 1);
    request.version = requestLine.substr(lastSpace + 1);
    while (lineEnd != std::string_view::npos) {
        head.remove_prefix(lineEnd + 2);
        lineEnd = head.find("\r\n");
        std::string_view line = head.substr(0, lineEnd);
        std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) {
            request.headers.push_back(
                {std::string(Trim(line.substr(0, colon))), std::string(Trim(line.substr(colon + 1)))});
        }
    }
    return request;
}

// Reads one request: the head, then as much body as its Content-Length says.
// nullopt when the client went away or sent no valid request.
std::optional<HttpRequest> ReadRequest(TcpConnection& connection) {
    std::string received;
    char buffer[4096];
    std::size_t headEnd;
    while ((headEnd = received.find("\r\n\r\n")) == std::string::npos) {
        std::size_t count = received.size() < kMaxRequestHead ? connection.Receive(buffer, sizeof buffer) : 0;
        if (count == 0) {
            return std::nullopt;
        }
        received.append(buffer, count);
    }
    std::optional<HttpRequest> request = ParseRequestHead(std::string_view(received).substr(0, headEnd));
    if (!request) {
        connection.Send(FormatResponseHead({.status = 400}));
        return std::nullopt;
    }
    request->body = received.substr(headEnd + 4);
    std::size_t bodyLength = 0;
    if (std::optional<std::string> length = request->Header("Content-Length")) {
        std::from_chars(length->data(), length->data() + length->size(), bodyLength);
    }
    bodyLength = std::min(bodyLength, kMaxRequestBody);
    while (request->body.size() < bodyLength) {
        std::size_t count = connection.Receive(buffer, sizeof buffer);
        if (count == 0) {
            return std::nullopt;
        }
        request->body.append(buffer, count);
    }
    request->body.resize(std::min(request->body.size(), bodyLength));
    return request;
}

void Answer(TcpConnection& connection, const HttpResponse& response) {
    if (response.neverAnswer) {
        connection.WaitUntilStopped();
        return;
    }
    if (!connection.Pause(response.delayBeforeHeadersMs) || !connection.Send(FormatResponseHead(response)) ||
        !connection.Pause(response.delayBeforeBodyMs)) {
        return;
    }
    std::string_view body = response.body;
    if (!response.cutAfterBodyBytes) {
        connection.Send(body);
        return;
    }
    connection.Send(body.substr(0, *response.cutAfterBodyBytes));
    connection.Close();
}

}  // namespace

std::optional<std::string> HttpRequest::Header(std::string_view name) const {
    for (const HttpHeader& header : headers) {
        if (SameNameIgnoringCase(header.name, name)) {
            return header.value;
        }
    }
    return std::nullopt;
}

HttpTestServer::HttpTestServer() {
    defaultResponse_.status = 404;
    defaultResponse_.body = "not scripted";
    listener_ = std::make_unique<TcpListener>([this](TcpConnection& connection) { Serve(connection); });
}

HttpTestServer::~HttpTestServer() {
    Stop();
}

void HttpTestServer::Stop() {
    listener_->Stop();
}

unsigned short HttpTestServer::Port() const {
    return listener_->Port();
}

std::size_t HttpTestServer::ConnectionCount() const {
    return listener_->ConnectionCount();
}

std::string HttpTestServer::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(Port());
}

std::string HttpTestServer::Url(std::string_view target) const {
    return BaseUrl() + std::string(target);
}

void HttpTestServer::SetResponse(std::string target, HttpResponse response) {
    std::lock_guard lock(mutex_);
    responses_.insert_or_assign(std::move(target), std::move(response));
}

void HttpTestServer::SetDefaultResponse(HttpResponse response) {
    std::lock_guard lock(mutex_);
    defaultResponse_ = std::move(response);
}

void HttpTestServer::Reset() {
    std::lock_guard lock(mutex_);
    responses_.clear();
    defaultResponse_ = HttpResponse{.status = 404, .body = "not scripted"};
    requests_.clear();
}

std::vector<HttpRequest> HttpTestServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

HttpResponse HttpTestServer::ResponseFor(const HttpRequest& request) const {
    std::lock_guard lock(mutex_);
    auto found = responses_.find(request.target);
    if (found == responses_.end()) {
        found = responses_.find(std::string_view(request.target).substr(0, request.target.find('?')));
    }
    return found != responses_.end() ? found->second : defaultResponse_;
}

void HttpTestServer::Serve(TcpConnection& connection) {
    std::optional<HttpRequest> request = ReadRequest(connection);
    if (!request) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(*request);
    }
    Answer(connection, ResponseFor(*request));
}

}  // namespace testkit
