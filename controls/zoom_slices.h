#pragma once

// Three-slice scaling of a skin image: the arithmetic of ZoomGpBitmap. The
// two ends along one axis keep their size (sharp borders and corners), the
// middle stretches; along the other axis every slice stretches.

#include <cstdint>
#include <optional>
#include <vector>

#include "controls/qvctrl_api.h"
#include "xml/geometry.h"

namespace cmmctrls {

// One drawing step: the part `source` of the image stretched into
// `destination` of the new image.
struct SliceCopy {
    geometry::Rect source;
    geometry::Rect destination;

    friend bool operator==(const SliceCopy&, const SliceCopy&) = default;
};

// The copies that scale a `sourceSize` image to `newSize`:
// * border 0: the whole image stretched;
// * border b > 0: left and right b columns kept, the middle stretched across;
// * border b < 0: top and bottom -b rows kept, the middle stretched down.
// nullopt when the border does not fit the new size (b >= width, or -b >=
// height). A slice without area on either side (an image narrower than its
// two borders, a new size barely wider than them) is left out rather than
// drawn mirrored.
QVCTRL_API std::optional<std::vector<SliceCopy>> ZoomSlices(geometry::Size sourceSize,
                                                            geometry::Size newSize,
                                                            std::int32_t border);

}  // namespace cmmctrls
