#pragma once

// The pages of the maker's web site that the 万年历 and 今日汇率 windows
// show: each window is told apart by its lookup name, which gives the end of
// its title and the page it opens.

#include <string>
#include <string_view>

#include "loader/loader_commands.h"

inline constexpr char kWannianliLookup[] = "wannianli";  // 万年历
inline constexpr char kExchangeRatesLookup[] = "huilv";  // 今日汇率

struct LookupPage {
    std::string_view titleSuffix;  // GBK, after the product name and version; empty for no suffix
    std::string_view path;         // from the site's root, with its query
};

// The page of lookup `name`; an unknown name gets no suffix and the site's
// root page.
LookupPage LookupPageFor(std::string_view name);

// "http://" + `siteHost` ("host" or "host:port") + the page of `name`.
std::string LookupAddress(std::string_view siteHost, std::string_view name);

// The lookup name the tool window of `kind` opens; empty for the kinds that
// are no lookup window.
std::string_view LookupNameFor(ToolWindowKind kind);
