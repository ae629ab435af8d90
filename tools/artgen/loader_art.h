#pragma once

// The tray program's window pictures in Skins/: about.png (the About window,
// 445 x 240, the version drawn by the program at x 232, y 97) and
// sysmsg.png (the update notice, 193 x 125, its close spot at x 175-186,
// y 7-17, its text at x 10, y 33, 183 x 67).

#include "tools/artgen/art_set.h"

namespace artgen {

inline constexpr int kAboutWidth = 445;
inline constexpr int kAboutHeight = 240;
inline constexpr int kNoticeWidth = 193;
inline constexpr int kNoticeHeight = 125;

void AddLoaderArt(ArtSet& set);

}  // namespace artgen
