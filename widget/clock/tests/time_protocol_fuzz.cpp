// Any bytes as a time server's reply: only four bytes are a count, and a
// count's moment lies in the protocol's window and maps back to the count.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "widget/clock/time_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const std::optional<std::uint32_t> count = DecodeTimeProtocolReply(reply);
    if (count.has_value() != (size == kTimeProtocolReplyBytes)) {
        __builtin_trap();
    }
    if (!count) {
        return 0;
    }
    const std::optional<Moment> moment = MomentFromTimeProtocol(*count);
    if (moment) {
        // 1968-01-20 03:14:08 UTC is the earliest moment a count can mean.
        constexpr std::int64_t kSeconds1900To1970 = 2208988800;
        if (*moment < -61505152 ||
            static_cast<std::uint32_t>(static_cast<std::int64_t>(*moment) + kSeconds1900To1970) != *count) {
            __builtin_trap();
        }
    }
    return 0;
}
