#pragma once

// The HTTP date form of RFC 1123 ("Sun, 06 Nov 1994 08:49:37 GMT"), in which
// widget descriptors give their build time.

#include <optional>
#include <string_view>

#include "common/local_time.h"

// The calendar fields of an RFC 1123 date (the weekday field is left at its
// default: a day name that does not fit the date is not checked). Blanks
// around the text are allowed; the day name may be left out, and the zone
// may be "GMT", "UT" or "UTC" or absent. Anything else, or a field out of
// range (30 February, hour 24), gives nullopt.
std::optional<LocalTime> ParseHttpDate(std::string_view text);

// A build time as the module's information block stores it: the date's
// fields taken as local time. 0 when the text is no such date.
Moment BuildTimeFromHttpDate(std::string_view text);
