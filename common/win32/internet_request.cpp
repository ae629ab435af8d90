#include "common/win32/internet_request.h"

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

void ApplyTimeouts(HINTERNET handle, DWORD connectMs, DWORD readMs) {
    InternetSetOptionA(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &readMs, sizeof readMs);
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &readMs, sizeof readMs);
}

UniqueInternet SendGetRequest(HINTERNET session,
                              const HttpTarget& target,
                              DWORD connectMs,
                              DWORD readMs,
                              UniqueInternet& connection) {
    connection.reset(
        InternetConnectA(session, target.host.c_str(), target.port, target.user.empty() ? nullptr : target.user.c_str(),
                         target.password.empty() ? nullptr : target.password.c_str(), INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) {
        return UniqueInternet();
    }
    ApplyTimeouts(connection.get(), connectMs, readMs);
    DWORD flags = INTERNET_FLAG_RESYNCHRONIZE | INTERNET_FLAG_NO_UI | (target.secure ? INTERNET_FLAG_SECURE : 0);
    UniqueInternet request(
        HttpOpenRequestA(connection.get(), "GET", target.object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) {
        return UniqueInternet();
    }
    ApplyTimeouts(request.get(), connectMs, readMs);
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) {
        return UniqueInternet();
    }
    return request;
}

std::optional<DWORD> StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return std::nullopt;
    }
    return status;
}
