#pragma once

// IUpstream over cpp-httplib's client: plain HTTP and HTTPS (OpenSSL, the
// system's certificate store), a time-out on connecting and on each read,
// redirects followed, and a cap on the body so a runaway answer cannot
// exhaust memory.

#include <string>

#include "site/upstream.h"

class HttplibUpstream final : public IUpstream {
public:
    explicit HttplibUpstream(int timeoutSeconds);
    UpstreamReply Get(const std::string& url) override;

private:
    int timeoutSeconds_;
};

struct UrlParts {
    std::string origin;  // "https://host:port", as the client takes it
    std::string target;  // the path and query, "/" when the URL has none
};

// Splits an http:// or https:// URL; false for anything else.
bool SplitUrl(const std::string& url, UrlParts& parts);
