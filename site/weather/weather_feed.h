#pragma once

// The weather feed the calendar's weather section reads: forecasts for the
// stations of the suite's tables, built from a public forecast service, and
// the city of the asking client.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/local_time.h"
#include "site/answer_cache.h"
#include "site/site_response.h"
#include "site/upstream.h"
#include "site/weather/address_table.h"
#include "site/weather/station_coordinates.h"

struct WeatherFeedSettings {
    // The forecast service's endpoint; the query string is added to it.
    std::string forecastUrl = "https://api.open-meteo.com/v1/forecast";
    int cacheSeconds = 30 * 60;
    // Where the client-address table lives (lines "a.b.c.d/bits province city",
    // GBK); a missing file places nobody. Read once, when the feed is made.
    std::string addressTablePath;
};

class WeatherFeed {
public:
    WeatherFeed(IUpstream& upstream, AnswerCache& cache, const IClock& clock, WeatherFeedSettings settings);

    // GET /weather/<name>, `name` being "<station>_<24|48>.xml". An unknown
    // station or a malformed name is a 404; an upstream failure with nothing
    // cached a 502 or 503, never half a document.
    SiteResponse Forecast(std::string_view name);

    // GET /querycity.php from `clientAddress` (the peer's address as text).
    SiteResponse QueryCity(std::string_view clientAddress);

private:
    // The station's days from the cache while fresh, else from the
    // forecast service (stored on success), else the last good answer with
    // its age; the failure's status when there is none.
    SiteResponse DocumentOf(const StationCoordinates& station, std::int32_t hours);

    IUpstream& upstream_;
    AnswerCache& cache_;
    const IClock& clock_;
    WeatherFeedSettings settings_;
    AddressTable addresses_;
};
