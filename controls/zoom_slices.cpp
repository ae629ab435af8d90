#include "controls/zoom_slices.h"

namespace cmmctrls {

namespace {

bool HasArea(const geometry::Rect& rect) {
    return rect.width > 0 && rect.height > 0;
}

// Appends the copy unless either side of it is empty or turned inside out.
void Add(std::vector<SliceCopy>& copies, const geometry::Rect& source, const geometry::Rect& destination) {
    if (HasArea(source) && HasArea(destination)) {
        copies.push_back({source, destination});
    }
}

// The extent left between two borders of `border` each; -1 when there is
// none, also where 2 * border would not fit 32 bits.
std::int32_t Between(std::int32_t extent, std::int32_t border) {
    const std::int64_t left = static_cast<std::int64_t>(extent) - 2 * static_cast<std::int64_t>(border);
    return left > 0 ? static_cast<std::int32_t>(left) : -1;
}

}  // namespace

std::optional<std::vector<SliceCopy>> ZoomSlices(geometry::Size sourceSize,
                                                 geometry::Size newSize,
                                                 std::int32_t border) {
    // In 64 bits, so minus the most negative border is still a number; once
    // the border fits the new size, it fits 32 bits either way.
    const std::int64_t b = border;
    if ((b > 0 && b >= newSize.width) || (b < 0 && -b >= newSize.height)) {
        return std::nullopt;
    }
    const std::int32_t sw = sourceSize.width;
    const std::int32_t sh = sourceSize.height;
    const std::int32_t w = newSize.width;
    const std::int32_t h = newSize.height;
    std::vector<SliceCopy> copies;
    if (b == 0) {
        Add(copies, {0, 0, sw, sh}, {0, 0, w, h});
    } else if (b > 0) {
        const auto d = static_cast<std::int32_t>(b);
        Add(copies, {0, 0, d, sh}, {0, 0, d, h});
        Add(copies, {d, 0, Between(sw, d), sh}, {d, 0, Between(w, d), h});
        Add(copies, {sw - d, 0, d, sh}, {w - d, 0, d, h});
    } else {
        const auto d = static_cast<std::int32_t>(-b);
        Add(copies, {0, 0, sw, d}, {0, 0, w, d});
        Add(copies, {0, d, sw, Between(sh, d)}, {0, d, w, Between(h, d)});
        Add(copies, {0, sh - d, sw, d}, {0, h - d, w, d});
    }
    return copies;
}

}  // namespace cmmctrls
