#pragma once

// The lookup pages the suite opens from its menu: a perpetual calendar
// (id=wannianli) and today's exchange rates against the yuan (id=huilv).

#include <map>
#include <string>

#include "common/local_time.h"
#include "site/answer_cache.h"
#include "site/site_response.h"
#include "site/upstream.h"
#include "widget/calendar/holiday_table.h"

struct LookupSettings {
    // A daily reference-rate document (euro based, as the central bank
    // publishes it); the yuan rates are worked out from it.
    std::string ratesUrl = "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
    // Rates fetched on the same Beijing day and no longer ago than this are
    // served without asking the bank again.
    int ratesCacheSeconds = 6 * 60 * 60;
    // The suite's holiday.dat (GBK); a missing file shows no holidays.
    std::string holidayTablePath;
};

class LookupPages {
public:
    LookupPages(IUpstream& upstream, AnswerCache& cache, const IClock& clock, LookupSettings settings);

    // GET /software/lookup.asp with its decoded query parameters ("id" and
    // the page's own, such as the month shown). An unknown id is a 404.
    SiteResponse Serve(const std::multimap<std::string, std::string>& parameters);

private:
    // id=wannianli: "y" and "m" name the month, today's in Beijing by default.
    SiteResponse ServeCalendar(const std::multimap<std::string, std::string>& parameters) const;
    // id=huilv.
    SiteResponse ServeRates();

    IUpstream& upstream_;
    AnswerCache& cache_;
    const IClock& clock_;
    LookupSettings settings_;
    HolidayTable holidays_;
};
