#pragma once

// Pixels for the planner's drawing tests: colours as ARGB numbers, searches
// in an area of an image, and PNG files made from GDI+ bitmaps.

#include <cstdint>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "testkit/win32/screenshot.h"
#include "widget/planner/planner_grid.h"

namespace planner_test {

constexpr std::uint32_t Argb(PlannerRgb rgb) {
    return 0xFF000000u | static_cast<std::uint32_t>(rgb.red) << 16 | static_cast<std::uint32_t>(rgb.green) << 8 |
           rgb.blue;
}

// The largest difference of one colour channel (alpha left out).
int ChannelDistance(std::uint32_t a, std::uint32_t b);

// Whether a pixel of `area` (clipped to the image) is within `tolerance` of
// `colour` in every channel.
bool HasPixelNear(const testkit::Image& image, const PlannerRect& area, std::uint32_t colour, int tolerance);

// The bitmap's pixels, row by row from the top.
testkit::Image PixelsOf(Gdiplus::Bitmap& bitmap);

// A path in the temporary folder, GBK.
std::string ScratchPath(const std::string& name);
bool SavePng(Gdiplus::Bitmap& bitmap, const std::string& path);

}  // namespace planner_test
