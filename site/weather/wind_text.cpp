#include "site/weather/wind_text.h"

#include <array>
#include <cmath>

namespace {

// The eight directions by sector: 0 is north (337.5°-22.5°), clockwise in
// steps of 45°.
constexpr std::array<std::string_view, 8> kDirections = {"北风", "东北风", "东风", "东南风",
                                                         "南风", "西南风", "西风", "西北风"};

// The lowest wind speed of forces 1-12 in tenths of a metre per second, by
// force - 1: the scale is defined in m/s to one decimal.
constexpr std::array<int, 12> kForceFloorsDeciMetresPerSecond = {3, 16, 34, 55, 80, 108, 139, 172, 208, 245, 285, 327};

// Below this force the feed says 微风 instead of a band.
constexpr int kFirstBandForce = 3;

}  // namespace

std::string_view WindDirectionText(double degrees) {
    double normalised = std::fmod(degrees, 360.0);
    if (normalised < 0) {
        normalised += 360.0;
    }
    const auto sector = static_cast<std::size_t>(std::floor((normalised + 22.5) / 45.0)) % kDirections.size();
    return kDirections[sector];
}

int BeaufortForce(double kilometresPerHour) {
    const double deciMetresPerSecond = std::round(kilometresPerHour / 3.6 * 10.0);
    int force = 0;
    for (const int floor : kForceFloorsDeciMetresPerSecond) {
        if (deciMetresPerSecond >= floor) {
            ++force;
        }
    }
    return force;
}

std::string WindPowerText(int force) {
    if (force < kFirstBandForce) {
        return "微风";
    }
    return std::to_string(force - 1) + "-" + std::to_string(force) + "级";
}
