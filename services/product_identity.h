#pragma once

// The product's display name and version (GBK), and the caption of its
// message boxes, which is the two run together.

#include <array>
#include <cstddef>

namespace services {

inline constexpr char kSoftName[] = "泽鲁桌面日历";
inline constexpr char kSoftVersion[] = "V4.0";

namespace detail {
template <std::size_t N, std::size_t M>
constexpr std::array<char, N + M - 1> Concatenate(const char (&first)[N], const char (&second)[M]) {
    std::array<char, N + M - 1> joined{};
    for (std::size_t i = 0; i + 1 < N; ++i) {
        joined[i] = first[i];
    }
    for (std::size_t i = 0; i < M; ++i) {  // with the terminating zero
        joined[N - 1 + i] = second[i];
    }
    return joined;
}
}  // namespace detail

// Zero-terminated: kMessageBoxCaption.data() is a C string.
inline constexpr auto kMessageBoxCaption = detail::Concatenate(kSoftName, kSoftVersion);

}  // namespace services
