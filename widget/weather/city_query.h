#pragma once

// What the city-query service's answer says about where the user is: the
// text between <city> and </city>, else the first city of the region between
// <province> and </province>, else 北京. Texts are GBK.

#include <string>
#include <string_view>

// The city to use for `answer`, any bytes.
std::string CityFromQueryAnswer(std::string_view answer);
