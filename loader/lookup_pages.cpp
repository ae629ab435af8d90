#include "loader/lookup_pages.h"

namespace {

struct NamedPage {
    std::string_view name;
    LookupPage page;
};

// Searched by name (exact bytes); the titles are GBK.
constexpr NamedPage kLookupPages[] = {
    {kWannianliLookup, {"－万年历", "/software/lookup.asp?id=wannianli"}},
    {kExchangeRatesLookup, {"－今日汇率", "/software/lookup.asp?id=huilv"}},
};

constexpr LookupPage kRootPage = {"", "/"};

}  // namespace

LookupPage LookupPageFor(std::string_view name) {
    for (const NamedPage& entry : kLookupPages) {
        if (entry.name == name) {
            return entry.page;
        }
    }
    return kRootPage;
}

std::string LookupAddress(std::string_view siteHost, std::string_view name) {
    std::string address = "http://";
    address += siteHost;
    address += LookupPageFor(name).path;
    return address;
}

std::string_view LookupNameFor(ToolWindowKind kind) {
    switch (kind) {
        case ToolWindowKind::kWannianli:
            return kWannianliLookup;
        case ToolWindowKind::kExchangeRates:
            return kExchangeRatesLookup;
        case ToolWindowKind::kShutdown:
        case ToolWindowKind::kTimeSync:
        case ToolWindowKind::kSkins:
            break;
    }
    return {};
}
