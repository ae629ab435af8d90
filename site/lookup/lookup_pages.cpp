#include "site/lookup/lookup_pages.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "site/lookup/calendar_page.h"
#include "site/lookup/china_time.h"
#include "site/lookup/html_page.h"
#include "site/lookup/query_parameters.h"
#include "site/lookup/rates_page.h"
#include "site/lookup/reference_rates.h"

namespace {

constexpr int kHttpOk = 200;
constexpr int kHttpBadRequest = 400;
constexpr int kHttpNotFound = 404;
constexpr int kHttpBadGateway = 502;
constexpr int kHttpUnavailable = 503;

std::string TodayLink() {
    return "<a href=\"" + std::string(kCalendarPagePath) + "\">查看本月</a>";
}

SiteResponse UnknownPage() {
    return HtmlResponse(kHttpNotFound, MessageDocument("查询", "没有这个查询页面。", {}));
}

SiteResponse BadMonthPage() {
    return HtmlResponse(kHttpBadRequest, MessageDocument("万年历", "无法识别要查看的年份或月份。", TodayLink()));
}

SiteResponse OutOfRangePage() {
    const std::string message =
        "万年历只能查看" + std::to_string(kFirstCalendarYear) + "年至" + std::to_string(kLastCalendarYear) + "年。";
    return HtmlResponse(kHttpNotFound, MessageDocument("万年历", message, TodayLink()));
}

// A month field: its default when absent, nothing when it is not a plain
// number or is given twice with different values.
std::optional<int> NumberParameter(const QueryParameters& parameters, const std::string& name, int fallback) {
    const QueryValue found = FindQueryValue(parameters, name);
    switch (found.kind) {
        case QueryValue::Kind::kAbsent:
            return fallback;
        case QueryValue::Kind::kSingle:
            return ParseDecimalDigits(found.value);
        case QueryValue::Kind::kConflicting:
            break;
    }
    return std::nullopt;
}

// The answer cache holds the bank's document as fetched, so a page served
// from it shows the rates exactly as they were and the day they are for.
std::string RatesCacheKey(const std::string& url) {
    return "lookup/huilv " + url;
}

// The Age header of an answer from the cache. One fetched "in the future"
// means the clock was set back since: no age can be told, and an Age is
// never negative.
std::pair<std::string, std::string> AgeHeader(Moment fetchedAt, Moment now) {
    const std::int64_t age = static_cast<std::int64_t>(now) - fetchedAt;
    return {"Age", std::to_string(std::max<std::int64_t>(0, age))};
}

}  // namespace

LookupPages::LookupPages(IUpstream& upstream, AnswerCache& cache, const IClock& clock, LookupSettings settings)
    : upstream_(upstream), cache_(cache), clock_(clock), settings_(std::move(settings)) {
    if (!settings_.holidayTablePath.empty()) {
        // A missing holiday file leaves the table empty: the calendar then
        // shows lunar days and solar terms only.
        static_cast<void>(holidays_.Load(settings_.holidayTablePath));
    }
}

SiteResponse LookupPages::Serve(const std::multimap<std::string, std::string>& parameters) {
    const QueryValue id = FindQueryValue(parameters, "id");
    if (id.kind == QueryValue::Kind::kConflicting) {
        return HtmlResponse(kHttpBadRequest, MessageDocument("查询", "查询页面不明确。", {}));
    }
    if (id.kind == QueryValue::Kind::kSingle && id.value == "wannianli") {
        return ServeCalendar(parameters);
    }
    if (id.kind == QueryValue::Kind::kSingle && id.value == "huilv") {
        return ServeRates();
    }
    return UnknownPage();
}

SiteResponse LookupPages::ServeCalendar(const std::multimap<std::string, std::string>& parameters) const {
    const GregorianDate today = ToChinaTime(clock_.Now()).date;
    const std::optional<int> year = NumberParameter(parameters, "y", today.year);
    const std::optional<int> month = NumberParameter(parameters, "m", today.month);
    if (!year || !month || *month < 1 || *month > 12) {
        return BadMonthPage();
    }
    if (*year < kFirstCalendarYear || *year > kLastCalendarYear) {
        return OutOfRangePage();
    }
    return HtmlResponse(kHttpOk, CalendarMonthDocument(*year, *month, today, holidays_));
}

SiteResponse LookupPages::ServeRates() {
    const Moment now = clock_.Now();
    const std::string key = RatesCacheKey(settings_.ratesUrl);
    // Fresh means fetched today in Beijing and recently: a new day always
    // asks the bank, which publishes once each working day.
    if (const auto fresh = cache_.FindFresh(key, now, settings_.ratesCacheSeconds);
        fresh && ToChinaTime(fresh->fetchedAt).date == ToChinaTime(now).date) {
        if (const auto rates = ParseReferenceRates(fresh->body)) {
            SiteResponse response = HtmlResponse(kHttpOk, RatesDocument(*rates, fresh->fetchedAt, false));
            response.headers.push_back(AgeHeader(fresh->fetchedAt, now));
            return response;
        }
    }
    const UpstreamReply reply = upstream_.Get(settings_.ratesUrl);
    if (reply.reached && reply.status == kHttpOk) {
        if (const auto rates = ParseReferenceRates(reply.body)) {
            cache_.Store(key, reply.body, now);
            return HtmlResponse(kHttpOk, RatesDocument(*rates, now, false));
        }
    }
    if (const auto last = cache_.Find(key)) {
        if (const auto rates = ParseReferenceRates(last->body)) {
            SiteResponse response = HtmlResponse(kHttpOk, RatesDocument(*rates, last->fetchedAt, true));
            response.headers.push_back(AgeHeader(last->fetchedAt, now));
            return response;
        }
    }
    return HtmlResponse(reply.reached ? kHttpBadGateway : kHttpUnavailable, RatesUnavailableDocument());
}
