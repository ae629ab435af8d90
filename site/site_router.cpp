#include "site/site_router.h"

#include <utility>

void SiteRouter::AddExact(std::string path, SiteHandler handler) {
    exact_.emplace(std::move(path), std::move(handler));
}

void SiteRouter::AddPrefix(std::string prefix, SiteHandler handler) {
    prefixes_.emplace_back(std::move(prefix), std::move(handler));
}

SiteResponse SiteRouter::Route(const SiteRequest& request) const {
    if (const auto found = exact_.find(request.path); found != exact_.end()) {
        return found->second(request, {});
    }
    const SiteHandler* best = nullptr;
    std::size_t bestLength = 0;
    for (const auto& [prefix, handler] : prefixes_) {
        if (request.path.size() > prefix.size() && request.path.starts_with(prefix) && prefix.size() >= bestLength) {
            best = &handler;
            bestLength = prefix.size();
        }
    }
    if (best == nullptr) {
        return NotFoundResponse();
    }
    return (*best)(request, std::string_view(request.path).substr(bestLength));
}

SiteResponse MakeResponse(int status, std::string contentType, std::string body) {
    SiteResponse response;
    response.status = status;
    response.contentType = std::move(contentType);
    response.body = std::move(body);
    return response;
}

SiteResponse NotFoundResponse() {
    return MakeResponse(404, "text/plain", "not found\n");
}

std::string ParameterOf(const SiteRequest& request, const std::string& name) {
    const auto found = request.parameters.find(name);
    return found == request.parameters.end() ? std::string() : found->second;
}
