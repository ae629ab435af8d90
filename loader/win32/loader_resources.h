#pragma once

// Resource numbers of tessary.exe (the icons and bitmaps are drawn by
// tools/artgen and named in its generated loader_art.rc).

inline constexpr int kProgramIconResource = 128;  // the program and its window class
inline constexpr int kMenuIconsResource = 176;    // 16x16 menu icons, mask red 0 green 128 blue 128
