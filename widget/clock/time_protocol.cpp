#include "widget/clock/time_protocol.h"

#include <limits>

namespace {

// The platform counts file time from 1601-01-01 UTC; the protocol from
// 1900, Moments from 1970. Both spans are whole days (no leap seconds).
constexpr std::int64_t kSeconds1601To1900 = 9435484800;
constexpr std::int64_t kSeconds1601To1970 = 11644473600;
constexpr std::int64_t kSeconds1900To1970 = kSeconds1601To1970 - kSeconds1601To1900;
static_assert(kSeconds1900To1970 == 2208988800);

// Counts below this lie after the 2036 wrap.
constexpr std::uint32_t kFirstCountBeforeWrap = 0x80000000u;
constexpr std::int64_t kCountsPerEra = std::int64_t{1} << 32;

}  // namespace

std::optional<std::uint32_t> DecodeTimeProtocolReply(std::string_view reply) {
    if (reply.size() != kTimeProtocolReplyBytes) {
        return std::nullopt;
    }
    std::uint32_t count = 0;
    for (char byte : reply) {
        count = (count << 8) | static_cast<unsigned char>(byte);
    }
    return count;
}

std::optional<Moment> MomentFromTimeProtocol(std::uint32_t seconds1900) {
    std::int64_t seconds = seconds1900;
    if (seconds1900 < kFirstCountBeforeWrap) {
        seconds += kCountsPerEra;
    }
    const std::int64_t moment = seconds - kSeconds1900To1970;
    if (moment > std::numeric_limits<Moment>::max()) {
        return std::nullopt;
    }
    return static_cast<Moment>(moment);
}
