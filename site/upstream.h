#pragma once

// How the site service asks the public services it builds its answers from
// (forecasts, exchange rates). The HTTP layer implements it; tests answer
// from recorded documents.

#include <string>

struct UpstreamReply {
    bool reached = false;  // false: no connection, time-out or TLS failure
    int status = 0;        // the HTTP status when reached
    std::string body;
};

class IUpstream {
public:
    virtual ~IUpstream() = default;
    // A GET of `url` (http:// or https://, with its query string).
    virtual UpstreamReply Get(const std::string& url) = 0;
};
