#include "site/weather/weather_feed.h"

#include <optional>
#include <utility>

#include "common/file_io.h"
#include "site/weather/forecast_document.h"
#include "site/weather/open_meteo_forecast.h"

namespace {

constexpr std::string_view kDocumentType = "text/xml; charset=gb2312";
constexpr std::string_view kCityAnswerType = "text/html; charset=gb2312";
constexpr std::string_view kDefaultProvince = "北京";
constexpr std::string_view kDefaultCity = "北京";

// The answers of a failure carry no body, so no client can take one for a
// document.
constexpr int kNotFound = 404;
constexpr int kBadGateway = 502;          // the service answered, but not with a usable forecast
constexpr int kServiceUnavailable = 503;  // the service could not be reached

struct DocumentName {
    std::int32_t station = 0;
    std::int32_t hours = 0;
};

// "<station>_<24|48>.xml" exactly as the client writes it (no sign, no
// leading zero, nothing before or after).
std::optional<DocumentName> ParseDocumentName(std::string_view name) {
    const std::size_t underscore = name.find('_');
    if (underscore == std::string_view::npos || underscore == 0 || underscore > 9) {
        return std::nullopt;
    }
    std::int32_t station = 0;
    for (const char c : name.substr(0, underscore)) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        station = station * 10 + (c - '0');
    }
    const std::string_view rest = name.substr(underscore);
    const std::int32_t hours = rest == "_24.xml" ? 24 : rest == "_48.xml" ? 48 : 0;
    if (hours == 0 || std::to_string(station).size() != underscore) {
        return std::nullopt;
    }
    return DocumentName{station, hours};
}

SiteResponse Failure(int status) {
    SiteResponse response;
    response.status = status;
    return response;
}

std::string CacheKey(std::int32_t station) {
    return "weather/" + std::to_string(station);
}

// The document of the day from a forecast service answer, when the answer
// reads and holds that day with every figure needed.
std::optional<std::string> DocumentFromAnswer(std::string_view answer,
                                              const StationCoordinates& station,
                                              const LocalTime& day) {
    const std::optional<std::vector<DailyFigures>> days = ParseOpenMeteoForecast(answer);
    if (!days) {
        return std::nullopt;
    }
    for (const DailyFigures& figures : *days) {
        if (IsFiguresOfDay(figures, day)) {
            return ForecastDocument(station, figures, day);
        }
    }
    return std::nullopt;
}

SiteResponse DocumentResponse(std::string document) {
    SiteResponse response;
    response.contentType = kDocumentType;
    response.body = std::move(document);
    return response;
}

AddressTable LoadAddressTable(const std::string& path) {
    std::string text;
    if (path.empty() || !ReadWholeFile(path, text)) {
        return {};
    }
    return AddressTable::Parse(text);
}

}  // namespace

WeatherFeed::WeatherFeed(IUpstream& upstream, AnswerCache& cache, const IClock& clock, WeatherFeedSettings settings)
    : upstream_(upstream),
      cache_(cache),
      clock_(clock),
      settings_(std::move(settings)),
      addresses_(LoadAddressTable(settings_.addressTablePath)) {}

SiteResponse WeatherFeed::Forecast(std::string_view name) {
    const std::optional<DocumentName> parsed = ParseDocumentName(name);
    if (!parsed) {
        return Failure(kNotFound);
    }
    const std::optional<StationCoordinates> station = FindStationCoordinates(parsed->station);
    if (!station) {
        return Failure(kNotFound);
    }
    return DocumentOf(*station, parsed->hours);
}

SiteResponse WeatherFeed::DocumentOf(const StationCoordinates& station, std::int32_t hours) {
    const Moment now = clock_.Now();
    const LocalTime day = ForecastDay(now, hours);
    const std::string key = CacheKey(station.number);

    if (const std::optional<AnswerCache::Entry> fresh = cache_.FindFresh(key, now, settings_.cacheSeconds)) {
        if (std::optional<std::string> document = DocumentFromAnswer(fresh->body, station, day)) {
            return DocumentResponse(std::move(*document));
        }
    }

    UpstreamReply reply = upstream_.Get(OpenMeteoForecastUrl(settings_.forecastUrl, station));
    const int failure = reply.reached ? kBadGateway : kServiceUnavailable;
    if (reply.reached && reply.status == 200) {
        if (std::optional<std::string> document = DocumentFromAnswer(reply.body, station, day)) {
            cache_.Store(key, std::move(reply.body), now);
            return DocumentResponse(std::move(*document));
        }
    }

    const std::optional<AnswerCache::Entry> last = cache_.Find(key);
    if (!last) {
        return Failure(failure);
    }
    std::optional<std::string> document = DocumentFromAnswer(last->body, station, day);
    if (!document) {
        return Failure(failure);
    }
    SiteResponse response = DocumentResponse(std::move(*document));
    // A clock set back makes the answer look fetched in the future: no age.
    response.headers.emplace_back("Age", std::to_string(now > last->fetchedAt ? now - last->fetchedAt : 0));
    return response;
}

SiteResponse WeatherFeed::QueryCity(std::string_view clientAddress) {
    AddressPlace place{std::string(kDefaultProvince), std::string(kDefaultCity)};
    if (const std::optional<std::uint32_t> address = ParseIpv4Address(clientAddress)) {
        if (std::optional<AddressPlace> found = addresses_.Find(*address)) {
            place = std::move(*found);
        }
    }
    SiteResponse response;
    response.contentType = kCityAnswerType;
    response.body = "<province>" + place.province + "</province><city>" + place.city + "</city>";
    return response;
}
