#pragma once

// The central bank's daily reference-rate document: how many units of each
// currency one euro buys on the day it names. Read from outside, so every
// value is checked and any doubt refuses the whole document.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "widget/calendar/gregorian.h"

struct ReferenceRate {
    std::string currency;  // three capital letters, e.g. "USD"
    double perEuro = 0;    // units of the currency one euro buys, > 0
};

struct ReferenceRates {
    GregorianDate date;                // the day the rates are for (the time attribute)
    double yuanPerEuro = 0;            // the CNY rate, > 0
    std::vector<ReferenceRate> rates;  // the other currencies, in document order
};

// At most this many currencies are read; the bank publishes about thirty.
inline constexpr std::size_t kMaxReferenceRates = 100;

// The rates of `document` (the XML as fetched, UTF-8 or GBK). Nothing when it
// is not one well-formed envelope with exactly one dated cube whose every
// entry has a distinct three-letter currency and a positive decimal rate, a
// CNY rate among them and no EUR entry.
std::optional<ReferenceRates> ParseReferenceRates(std::string_view document);

// Yuan for 100 units of a currency worth `perEuro` units a euro.
double YuanFor100(const ReferenceRates& rates, double perEuro);
