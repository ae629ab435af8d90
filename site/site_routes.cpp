#include "site/site_routes.h"

#include <utility>

namespace {

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == ':' || c == '[' || c == ']';
}

}  // namespace

std::string SiteBaseOf(const SiteRequest& request, std::string_view fallback) {
    constexpr std::size_t kLongestHost = 255;
    const std::string& host = request.host;
    bool plain = !host.empty() && host.size() <= kLongestHost;
    for (const char c : host) {
        plain = plain && IsHostCharacter(c);
    }
    return plain ? "http://" + host : std::string(fallback);
}

void AddContentRoutes(SiteRouter& router,
                      const PublishedSkins& skins,
                      const OperatorPages& pages,
                      std::string fallbackBase) {
    router.AddExact("/software/download/skins/tessary/skins.htm",
                    [&skins, fallbackBase](const SiteRequest& request, std::string_view) {
                        return skins.ListPage(SiteBaseOf(request, fallbackBase));
                    });
    router.AddPrefix("/software/download/skins/tessary/",
                     [&skins](const SiteRequest&, std::string_view rest) { return skins.Package(rest); });
    router.AddExact("/software/tessary/sysupdate.htm",
                    [&pages](const SiteRequest&, std::string_view) { return pages.Serve("sysupdate.htm"); });
    router.AddExact("/software/online.asp", [&pages](const SiteRequest& request, std::string_view) {
        return ParameterOf(request, "id") == "tessary" ? pages.Serve("online.asp") : NotFoundResponse();
    });
}

void AddFeedRoutes(SiteRouter& router, WeatherFeed& weather, LookupPages& lookup) {
    router.AddPrefix("/weather/",
                     [&weather](const SiteRequest&, std::string_view rest) { return weather.Forecast(rest); });
    router.AddExact("/querycity.php", [&weather](const SiteRequest& request, std::string_view) {
        return weather.QueryCity(request.clientAddress);
    });
    router.AddExact("/software/lookup.asp", [&lookup](const SiteRequest& request, std::string_view) {
        return lookup.Serve(request.parameters);
    });
}
