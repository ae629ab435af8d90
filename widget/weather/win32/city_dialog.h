#pragma once

// The city picker "选择城市" (dialog 6026 of the widget's resources): a list
// of the regions and, for the chosen region, its cities (RegionCities).

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Runs the dialog modally over `owner`, starting on the region of
// `currentCity` when it has one. The chosen city, or nullopt when cancelled.
std::optional<std::string> RunCityDialog(HINSTANCE resources, HWND owner, std::string_view currentCity);
