#pragma once

// Small value types for positions and extents in pixels, read from attribute
// strings by XML_Helper and shared with the skin controls.

#include <cstdint>

namespace geometry {

struct Rect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;

    friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace geometry
