#pragma once

// The side program's skin, Trevalo/Skins/*.bmp, all 24-bit. The frame's
// pieces are opaque; buttons drawn over their parent (minimise, maximise,
// close, toolbar, history drop button) use the mask colour red 0, green 128,
// blue 128 where the parent shows through.
//
//   title1/2/3.bmp    title bar, 30 high: left end 160 wide (with the mark),
//                     middle 8 wide to tile, right end 110 wide
//   bottom1/2/3.bmp   bottom edge, 10 high: 10, 8 (to tile) and 16 wide
//   min/max/close1-3  28 x 20: normal, hover, pressed; shown at y 5 of the
//                     title bar
//   <tool>1.bmp       toolbar buttons, normal, 32 x 32 (42 x 32 with a menu
//   <tool>4.bmp       arrow); the 4 is the pressed state
//   combut1-3.bmp     the address box's drop button, 18 x 22
//   tabback.bmp       tab bar background, 8 x 28, to tile
//   tab1/tab2.bmp     selected and other tab, 120 x 26
//   treeimg.bmp       both trees' images, 7 of 16 x 16 side by side (0
//                     category, 1 category selected, 2 group, 3 group
//                     selected, 4 site, 5 account folder, 6 chat log),
//                     keyed over the tree's white

#include "tools/artgen/art_set.h"

namespace artgen {

inline constexpr int kViewerTitleHeight = 30;

inline constexpr int kViewerTreeImages = 7;

void AddViewerArt(ArtSet& set);

// The tree image strip (treeimg.bmp), also carried as a resource bitmap.
Image ViewerTreeImages();

}  // namespace artgen
