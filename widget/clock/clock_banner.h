#pragma once

// The clock's two banner lines: the days left until the opening of the 2008
// summer games in Beijing (2008-08-08 08:00:00 local time), counted from the
// time the network time server gave, or the games' slogan.

#include <optional>
#include <string>

#include "common/local_time.h"

struct ClockBanner {
    std::string firstLine;   // GBK
    std::string secondLine;  // GBK

    friend bool operator==(const ClockBanner&, const ClockBanner&) = default;
};

// `networkTime` is the local time of the last successful fetch, nullopt while
// there is none. Before the opening, any part of a day left counts as a whole
// day; an exact number of whole days, the opening itself, any time after it
// and no network time show the slogan.
ClockBanner BannerFor(const std::optional<LocalTime>& networkTime);
