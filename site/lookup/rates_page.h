#pragma once

// The exchange-rate page: what 100 units of each currency cost in yuan on
// the day the reference rates are for.

#include <string>
#include <string_view>

#include "common/local_time.h"
#include "site/lookup/reference_rates.h"

// The Chinese name of a currency the page names, or empty.
std::string_view CurrencyName(std::string_view code);

// The whole document. `fetchedAt` is when the rates were fetched; with
// `stale` the page says they could not be refreshed and are shown as last
// fetched.
std::string RatesDocument(const ReferenceRates& rates, Moment fetchedAt, bool stale);

// The page for when no rates can be had at all.
std::string RatesUnavailableDocument();
