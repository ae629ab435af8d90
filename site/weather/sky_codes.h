#pragma once

// The feed's 32 sky codes (the sky icons of the weather section) with their
// Chinese names, and how the forecast service's WMO weather codes map onto
// them.

#include <cstdint>
#include <optional>
#include <string_view>

// The name of a feed sky code 0-31 ("晴", "多云", ...); empty for any other.
std::string_view SkyCodeName(std::int32_t skyCode);

// Whether the sky code means rain, snow, sleet or freezing rain.
bool IsPrecipitationSkyCode(std::int32_t skyCode);

// The feed sky code of a WMO weather code as the forecast service documents
// them; nullopt for a code it does not document.
std::optional<std::int32_t> SkyCodeOfWmoCode(int wmoCode);
