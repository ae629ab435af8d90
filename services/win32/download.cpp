#include "services/product_services.h"

#include <wininet.h>

#include <atomic>
#include <optional>
#include <vector>

#include "common/win32/internet_request.h"
#include "services/download_body.h"

namespace {

constexpr char kUserAgent[] = "ZELLUM_MSRDOWNLOAD";
constexpr unsigned long kDefaultTimeout = 15000;

std::atomic<unsigned long> connectTimeout{kDefaultTimeout};
std::atomic<unsigned long> readTimeout{kDefaultTimeout};

void ApplyTimeouts(HINTERNET handle) {
    ::ApplyTimeouts(handle, connectTimeout.load(), readTimeout.load());
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
    UniqueInternet request =
        SendGetRequest(session.get(), *target, connectTimeout.load(), readTimeout.load(), connection);
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
