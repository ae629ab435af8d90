#pragma once

// Everything the service answers, put together from its settings: the
// routes and the parts behind them. The HTTP layer hands it each request;
// its handlers hold references into it, so it is neither copied nor moved.

#include "common/local_time.h"
#include "site/answer_cache.h"
#include "site/lookup/lookup_pages.h"
#include "site/operator_pages.h"
#include "site/published_skins.h"
#include "site/site_config.h"
#include "site/site_router.h"
#include "site/upstream.h"
#include "site/weather/weather_feed.h"

class SiteService {
public:
    SiteService(const SiteConfig& config, IUpstream& upstream, const IClock& clock);
    SiteService(const SiteService&) = delete;
    SiteService& operator=(const SiteService&) = delete;

    SiteResponse Handle(const SiteRequest& request) const;

private:
    AnswerCache cache_;
    WeatherFeed weather_;
    LookupPages lookup_;
    PublishedSkins skins_;
    OperatorPages pages_;
    SiteRouter router_;
};
