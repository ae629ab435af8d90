#pragma once

// The generated set, drawn once per test program, and small pixel questions
// the tests ask of it.

#include "tools/artgen/art_set.h"

#include <functional>
#include <string>

namespace artgen::testing {

// Fails the calling test (and returns an empty set) when no CJK font is
// installed.
const ArtSet& GeneratedArt();

// The first picture of the file at `path`; an empty image when there is none
// (the test then fails on its sizes).
const Image& Picture(const std::string& path);

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Pixels in `area` for which `test` holds.
int Count(const Image& image, const Area& area, const std::function<bool(const Rgba&)>& test);
int CountVisible(const Image& image, const Area& area);  // alpha above 0
bool SamePixels(const Image& image, const Area& first, const Area& second);

}  // namespace artgen::testing
