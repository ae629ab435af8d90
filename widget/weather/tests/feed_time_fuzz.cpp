// Any bytes as a feed time: a moment it names lies in the years that parse,
// and names itself again written back in the numeric form (unless daylight
// saving time makes its local time name another moment).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "widget/weather/feed_time.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // No text names this moment: it lies outside the years that parse.
    constexpr Moment kNow = -2147483647 - 1;
    const Moment moment = ParseFeedTime(text, kNow);
    if (moment == kNow) {
        return 0;
    }
    const LocalTime local = ToLocalTime(moment);
    if (local.year < 1901 || local.year > 2038) {
        __builtin_trap();
    }
    if (FromLocalTime(local) != moment) {
        return 0;
    }
    char written[64];
    std::snprintf(written, sizeof written, "%04d-%02d-%02d %02d:%02d:%02d", local.year, local.month, local.day,
                  local.hour, local.minute, local.second);
    if (ParseFeedTime(written, kNow) != moment) {
        __builtin_trap();
    }
    return 0;
}
