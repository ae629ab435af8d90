#pragma once

// One answer of the site service, as its HTTP layer sends it.

#include <string>
#include <utility>
#include <vector>

struct SiteResponse {
    int status = 200;
    std::string contentType;  // the Content-Type header, e.g. "text/xml; charset=gb2312"
    std::string body;         // the bytes sent, already in the page's encoding
    // Further headers, e.g. {"Age", "1260"} on an answer served from the cache
    // after its upstream failed.
    std::vector<std::pair<std::string, std::string>> headers;
};
