#pragma once

// The names of a lunar year in the sixty-year cycle: its heavenly stem and
// earthly branch (干支) and the animal of its branch (生肖). GBK.

#include <string>

// "丙午" for 2026, "甲子" for 1984.
std::string StemBranchOfYear(int lunarYear);

// "马" for 2026, "鼠" for 1984.
std::string ZodiacOfYear(int lunarYear);
