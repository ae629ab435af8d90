#pragma once

// The whole set: every family of art and the contact sheet of them.

#include "tools/artgen/art_set.h"

namespace artgen {

ArtSet GenerateArt();

}  // namespace artgen
