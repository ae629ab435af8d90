#pragma once

// One picture of the whole set for reviewers: every image with its path and
// size, small ones enlarged with square pixels, on a checkerboard that shows
// transparency, under the palette's swatches.

#include "tools/artgen/art_set.h"

namespace artgen {

inline constexpr char kContactSheetPath[] = "contact_sheet.png";

Image DrawContactSheet(const ArtSet& set);

}  // namespace artgen
