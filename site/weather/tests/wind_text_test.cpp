#include "site/weather/wind_text.h"

#include <gtest/gtest.h>

namespace {

TEST(WindText, DirectionsAreEightSectorsCentredOnTheCompassPoints) {
    const struct {
        double degrees;
        std::string_view text;
    } cases[] = {
        {0, "北风"},     {22.4, "北风"},  {22.5, "东北风"}, {45, "东北风"},  {90, "东风"},      {135, "东南风"},
        {180, "南风"},   {225, "西南风"}, {270, "西风"},    {315, "西北风"}, {337.4, "西北风"}, {337.5, "北风"},
        {359.9, "北风"}, {360, "北风"},   {-45, "西北风"},  {-360, "北风"},  {450, "东风"},     {1e9, "西风"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindDirectionText(c.degrees), c.text) << c.degrees;
    }
}

TEST(WindText, SpeedsGiveTheirBeaufortForce) {
    // Forces from the scale's limits in m/s (a speed in km/h / 3.6, to a tenth).
    const struct {
        double kilometresPerHour;
        int force;
    } cases[] = {
        {0, 0},  {0.5, 0}, {1.1, 1}, {5, 1},  {6, 2},   {15, 3},   {19.6, 3},   {19.8, 4},   {25, 4},   {35, 5},
        {45, 6}, {55, 7},  {70, 8},  {80, 9}, {95, 10}, {110, 11}, {117.4, 11}, {117.8, 12}, {300, 12}, {-5, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BeaufortForce(c.kilometresPerHour), c.force) << c.kilometresPerHour;
    }
}

TEST(WindText, WeakWindIsBreezeAndStrongerWindTheBandEndingAtItsForce) {
    const struct {
        int force;
        std::string_view text;
    } cases[] = {
        {0, "微风"}, {1, "微风"}, {2, "微风"}, {3, "2-3级"}, {4, "3-4级"}, {7, "6-7级"}, {12, "11-12级"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindPowerText(c.force), c.text) << c.force;
    }
}

}  // namespace
