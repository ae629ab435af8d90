#include "services/product_services.h"

#include <wininet.h>

#include <atomic>
#include <optional>
#include <vector>

#include "common/win32/handles.h"
#include "services/download_body.h"

namespace {

constexpr char kUserAgent[] = "ZELLUM_MSRDOWNLOAD";
constexpr unsigned long kDefaultTimeout = 15000;

std::atomic<unsigned long> connectTimeout{kDefaultTimeout};
std::atomic<unsigned long> readTimeout{kDefaultTimeout};

struct InternetTraits {
    using Value = HINTERNET;
    static Value Invalid() { return nullptr; }
    static void Close(Value v) { InternetCloseHandle(v); }
};
using UniqueInternet = UniqueResource<InternetTraits>;

// Where an address points, split for InternetConnect and HttpOpenRequest.
struct HttpTarget {
    bool secure = false;
    std::string host;
    INTERNET_PORT port = 0;
    std::string user;
    std::string password;
    std::string object;  // path and query
};

std::optional<HttpTarget> SplitAddress(const char* address) {
    // Non-zero lengths with null pointers: InternetCrackUrl points into the
    // address and sets the lengths, so no buffer can be too small.
    URL_COMPONENTSA parts = {};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUserNameLength = 1;
    parts.dwPasswordLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
    if (address == nullptr || !InternetCrackUrlA(address, 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) ||
        parts.lpszHostName == nullptr || parts.dwHostNameLength == 0) {
        return std::nullopt;
    }
    auto text = [](const char* start, DWORD length) {
        return start != nullptr ? std::string(start, length) : std::string();
    };
    HttpTarget target;
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    target.host = text(parts.lpszHostName, parts.dwHostNameLength);
    target.port = parts.nPort;
    target.user = text(parts.lpszUserName, parts.dwUserNameLength);
    target.password = text(parts.lpszPassword, parts.dwPasswordLength);
    target.object = text(parts.lpszUrlPath, parts.dwUrlPathLength) + text(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.object.empty()) {
        target.object = "/";
    }
    return target;
}

// Set on every handle of the chain: Wine does not pass the time-outs of the
// session handle on to the connection and request made from it.
void ApplyTimeouts(HINTERNET handle) {
    DWORD connect = connectTimeout.load();
    DWORD read = readTimeout.load();
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &read, sizeof read);
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &read, sizeof read);
}

std::optional<DWORD> StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return std::nullopt;
    }
    return status;
}

// The Content-Length value as sent, nullopt when the response has none.
std::optional<std::string> ContentLength(HINTERNET request) {
    std::vector<char> value(64);
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD size = static_cast<DWORD>(value.size());
        if (HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value.data(), &size, nullptr)) {
            return std::string(value.data(), size);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            break;
        }
        value.resize(size + 1);  // `size` now says how much the value needs
    }
    return std::nullopt;
}

// Opens the request; null when the address, the connection or the request fails.
UniqueInternet SendRequest(HINTERNET session, const HttpTarget& target, UniqueInternet& connection) {
    connection.reset(
        InternetConnectA(session, target.host.c_str(), target.port, target.user.empty() ? nullptr : target.user.c_str(),
                         target.password.empty() ? nullptr : target.password.c_str(), INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return UniqueInternet();
    }
    ApplyTimeouts(connection.get());
    // Revalidate any cached copy with the server, and never show a dialog.
    DWORD flags = INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_NO_UI | (target.secure ? INTERNET_FLAG_SECURE : 0);
    UniqueInternet request(
        HttpOpenRequestA(connection.get(), "GET", target.object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) {
        return UniqueInternet();
    }
    ApplyTimeouts(request.get());
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
        return UniqueInternet();
    }
    return request;
}

bool DownloadInto(const char* address, std::string& out) {
    std::optional<HttpTarget> target = SplitAddress(address);
    if (!target) {
        return false;
    }
    UniqueInternet session(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        return false;
    }
    ApplyTimeouts(session.get());
    UniqueInternet connection;
    UniqueInternet request = SendRequest(session.get(), *target, connection);
    std::optional<DWORD> status = request ? StatusCode(request.get()) : std::nullopt;
    if (!status || !services::IsAcceptedDownloadStatus(*status)) {
        return false;
    }
    std::optional<std::string> length = ContentLength(request.get());
    services::DownloadBody body(length ? std::optional<std::string_view>(*length) : std::nullopt);
    char piece[services::kDownloadPieceSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), piece, sizeof piece, &read)) {
            // Time-out or broken connection: what arrived stays in `out`.
            body.BreakOff();
            break;
        }
        if (read == 0) {
            break;
        }
        body.Append(std::string_view(piece, read), out);
    }
    return body.Complete();
}

}  // namespace

int Download(const char* address, std::string& out) noexcept {
    try {
        out.clear();
        return DownloadInto(address, out) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void SetDownloadTimeouts(unsigned long connectMilliseconds, unsigned long readMilliseconds) noexcept {
    connectTimeout = connectMilliseconds != 0 ? connectMilliseconds : kDefaultTimeout;
    readTimeout = readMilliseconds != 0 ? readMilliseconds : kDefaultTimeout;
}
