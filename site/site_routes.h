#pragma once

// The paths of the maker's site that the suite asks for, each bound to the
// part of the service that answers it.

#include <string>
#include <string_view>

#include "site/lookup/lookup_pages.h"
#include "site/operator_pages.h"
#include "site/published_skins.h"
#include "site/site_router.h"
#include "site/weather/weather_feed.h"

// "http://" and the request's Host header when it is a plain host or
// host:port, else `fallback`: the list's package addresses must lead the
// client back to this service under the name it used.
std::string SiteBaseOf(const SiteRequest& request, std::string_view fallback);

// The skin list and packages, the update notice and the version page.
void AddContentRoutes(SiteRouter& router,
                      const PublishedSkins& skins,
                      const OperatorPages& pages,
                      std::string fallbackBase);

// The weather feed's forecasts and city query, and the lookup pages.
void AddFeedRoutes(SiteRouter& router, WeatherFeed& weather, LookupPages& lookup);
