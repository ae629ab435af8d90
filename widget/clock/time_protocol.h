#pragma once

// The answer of an RFC 868 time server: four bytes, most significant first,
// holding seconds since 1900-01-01 00:00 UTC. The 32-bit count runs out on
// 2036-02-07 06:28:16 UTC and starts again at 0.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/local_time.h"

inline constexpr std::size_t kTimeProtocolReplyBytes = 4;

// The count of a reply; nullopt unless it is exactly four bytes.
std::optional<std::uint32_t> DecodeTimeProtocolReply(std::string_view reply);

// The moment of a count. Counts from 2^31 on lie before the wrap
// (1968-01-20 03:14:08 UTC to 2036-02-07 06:28:15 UTC); smaller ones lie
// after it, from 2036-02-07 06:28:16 UTC on. nullopt for a count whose moment
// a 32-bit Moment cannot hold (after 2038-01-19 03:14:07 UTC): such a time
// is not shown at all.
std::optional<Moment> MomentFromTimeProtocol(std::uint32_t seconds1900);
