#include "controls/zoom_slices.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace cmmctrls {
namespace {

using Copies = std::vector<SliceCopy>;

TEST(ZoomSlices, HorizontalBordersKeepTheirWidth) {
    // 40 x 20 to 100 x 20 with border 10: the first and last ten columns are
    // copied, source columns 10-29 stretch over the middle 80.
    EXPECT_EQ(ZoomSlices({40, 20}, {100, 20}, 10), (Copies{{{0, 0, 10, 20}, {0, 0, 10, 20}},
                                                           {{10, 0, 20, 20}, {10, 0, 80, 20}},
                                                           {{30, 0, 10, 20}, {90, 0, 10, 20}}}));
}

TEST(ZoomSlices, VerticalBordersKeepTheirHeight) {
    // The calendar's background: 24 rows of detail at top and bottom.
    EXPECT_EQ(ZoomSlices({229, 278}, {229, 400}, -24), (Copies{{{0, 0, 229, 24}, {0, 0, 229, 24}},
                                                               {{0, 24, 229, 230}, {0, 24, 229, 352}},
                                                               {{0, 254, 229, 24}, {0, 376, 229, 24}}}));
}

TEST(ZoomSlices, NoBorderStretchesTheWholeImage) {
    EXPECT_EQ(ZoomSlices({40, 20}, {7, 90}, 0), (Copies{{{0, 0, 40, 20}, {0, 0, 7, 90}}}));
}

TEST(ZoomSlices, BorderMustFitTheNewSize) {
    struct Case {
        geometry::Size size;
        int border;
        bool fits;
    };
    for (const Case& c : std::vector<Case>{{{50, 20}, 50, false},
                                           {{50, 20}, 51, false},
                                           {{50, 20}, 49, true},
                                           {{100, 5}, -5, false},
                                           {{100, 5}, -4, true},
                                           {{100, 5}, INT_MIN, false},
                                           {{INT_MAX, 5}, INT_MAX, false},
                                           {{100, 100}, -150, false}}) {
        EXPECT_EQ(ZoomSlices({40, 20}, c.size, c.border).has_value(), c.fits)
            << c.size.width << "x" << c.size.height << " border " << c.border;
    }
}

TEST(ZoomSlices, SlicesWithoutAreaAreLeftOut) {
    // A new width barely above the border leaves no room for the middle and
    // makes the ends overlap; nothing is drawn mirrored.
    EXPECT_EQ(ZoomSlices({40, 20}, {15, 20}, 10),
              (Copies{{{0, 0, 10, 20}, {0, 0, 10, 20}}, {{30, 0, 10, 20}, {5, 0, 10, 20}}}));
    // A source narrower than its two borders has no middle to stretch.
    EXPECT_EQ(ZoomSlices({15, 20}, {100, 20}, 10),
              (Copies{{{0, 0, 10, 20}, {0, 0, 10, 20}}, {{5, 0, 10, 20}, {90, 0, 10, 20}}}));
    // Huge borders do not overflow into a positive middle.
    EXPECT_EQ(ZoomSlices({40, 20}, {INT_MAX, 20}, INT_MAX - 1).value().size(), 2u);
    EXPECT_TRUE(ZoomSlices({0, 0}, {10, 10}, 0).value().empty());
}

}  // namespace
}  // namespace cmmctrls
