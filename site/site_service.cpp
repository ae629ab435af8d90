#include "site/site_service.h"

#include <string>

#include "site/site_routes.h"

SiteService::SiteService(const SiteConfig& config, IUpstream&, const IClock&)
    : skins_(config.skinsFolder), pages_(config.pagesFolder) {
    const std::string fallbackBase = "http://" + config.listenAddress + ":" + std::to_string(config.port);
    AddContentRoutes(router_, skins_, pages_, fallbackBase);
}

SiteResponse SiteService::Handle(const SiteRequest& request) const {
    return router_.Route(request);
}
