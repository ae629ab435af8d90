#include "site/site_service.h"

#include <string>

#include "site/site_routes.h"

namespace {

WeatherFeedSettings WeatherSettingsOf(const SiteConfig& config) {
    WeatherFeedSettings settings;
    settings.forecastUrl = config.forecastUrl;
    settings.cacheSeconds = config.forecastCacheSeconds;
    settings.addressTablePath = config.addressTablePath;
    return settings;
}

LookupSettings LookupSettingsOf(const SiteConfig& config) {
    LookupSettings settings;
    settings.ratesUrl = config.ratesUrl;
    settings.ratesCacheSeconds = config.ratesCacheSeconds;
    settings.holidayTablePath = config.holidayTablePath;
    return settings;
}

}  // namespace

SiteService::SiteService(const SiteConfig& config, IUpstream& upstream, const IClock& clock)
    : weather_(upstream, cache_, clock, WeatherSettingsOf(config)),
      lookup_(upstream, cache_, clock, LookupSettingsOf(config)),
      skins_(config.skinsFolder),
      pages_(config.pagesFolder) {
    const std::string fallbackBase = "http://" + config.listenAddress + ":" + std::to_string(config.port);
    AddContentRoutes(router_, skins_, pages_, fallbackBase);
    AddFeedRoutes(router_, weather_, lookup_);
}

SiteResponse SiteService::Handle(const SiteRequest& request) const {
    return router_.Route(request);
}
