#pragma once

// Which handler answers which request. Paths are matched exactly or by a
// prefix whose rest the handler reads; every request no route takes is a
// 404, so the service answers nothing it was not built to answer.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "site/site_response.h"

struct SiteRequest {
    std::string path;                                    // decoded, without the query string
    std::multimap<std::string, std::string> parameters;  // the decoded query
    std::string clientAddress;                           // the peer's address as text
    std::string host;                                    // the Host header as sent, possibly empty
};

using SiteHandler = std::function<SiteResponse(const SiteRequest& request, std::string_view rest)>;

class SiteRouter {
public:
    // `rest` is empty for an exact route.
    void AddExact(std::string path, SiteHandler handler);
    // Takes paths that start with `prefix` and go on; `rest` is what follows.
    void AddPrefix(std::string prefix, SiteHandler handler);

    // The first exact route of the path, else the longest prefix route, else
    // a 404.
    SiteResponse Route(const SiteRequest& request) const;

private:
    std::map<std::string, SiteHandler> exact_;
    std::vector<std::pair<std::string, SiteHandler>> prefixes_;
};

SiteResponse MakeResponse(int status, std::string contentType, std::string body);
SiteResponse NotFoundResponse();

// The value of parameter `name`, empty when it is absent.
std::string ParameterOf(const SiteRequest& request, const std::string& name);
