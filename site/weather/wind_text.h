#pragma once

// The wind as the feed writes it: the direction it blows from as one of
// eight Chinese names, and its force on the Beaufort scale as "3-4级".

#include <string>
#include <string_view>

// "北风", "东北风", ... for a direction in degrees (where the wind comes
// from, clockwise from north; any value, taken modulo 360).
std::string_view WindDirectionText(double degrees);

// The Beaufort force 0-12 of a wind speed in km/h (12 for anything stronger).
int BeaufortForce(double kilometresPerHour);

// The feed's wind power text of a day's strongest wind: "微风" below force 3,
// else the force band that ends at it ("3-4级" for force 4).
std::string WindPowerText(int force);
