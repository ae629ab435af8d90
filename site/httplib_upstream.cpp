#include "site/httplib_upstream.h"

#include <httplib.h>

namespace {

constexpr std::size_t kLargestBody = 8 * 1024 * 1024;

}  // namespace

bool SplitUrl(const std::string& url, UrlParts& parts) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos) {
        return false;
    }
    const std::string scheme = url.substr(0, schemeEnd);
    if (scheme != "http" && scheme != "https") {
        return false;
    }
    const std::size_t pathStart = url.find_first_of("/?", schemeEnd + 3);
    const std::size_t hostEnd = pathStart == std::string::npos ? url.size() : pathStart;
    if (hostEnd == schemeEnd + 3) {
        return false;
    }
    parts.origin = url.substr(0, hostEnd);
    const std::string rest = pathStart == std::string::npos ? std::string() : url.substr(pathStart);
    parts.target = rest.empty() || rest.front() == '?' ? "/" + rest : rest;
    return true;
}

HttplibUpstream::HttplibUpstream(int timeoutSeconds) : timeoutSeconds_(timeoutSeconds) {}

UpstreamReply HttplibUpstream::Get(const std::string& url) {
    UpstreamReply reply;
    UrlParts parts;
    if (!SplitUrl(url, parts)) {
        return reply;
    }
    httplib::Client client(parts.origin);
    client.set_connection_timeout(timeoutSeconds_);
    client.set_read_timeout(timeoutSeconds_);
    client.set_write_timeout(timeoutSeconds_);
    client.set_follow_location(true);
    bool tooLarge = false;
    const httplib::Result result = client.Get(parts.target, [&](const char* data, std::size_t length) {
        tooLarge = reply.body.size() + length > kLargestBody;
        if (!tooLarge) {
            reply.body.append(data, length);
        }
        return !tooLarge;
    });
    if (!result || tooLarge) {
        return UpstreamReply{};
    }
    reply.reached = true;
    reply.status = result->status;
    return reply;
}
