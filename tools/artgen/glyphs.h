#pragma once

// The line pictograms of the suite's small images: menu icons, window and
// toolbar buttons, list and tree images. One drawing per meaning, scaled to
// the box it is given, stroked with round ends in one colour, so they all
// share stroke weight and corner style.

#include "tools/artgen/canvas.h"

namespace artgen {

enum class Glyph {
    kChevronDown,
    kChevronUp,
    kChevronLeft,
    kChevronRight,
    kDoubleChevronDown,
    kDoubleChevronUp,
    kExpand,
    kCollapse,
    kPlus,
    kMinus,
    kCross,
    kSquare,
    kPencil,
    kTrash,
    kGear,
    kHome,
    kInfo,
    kHelp,
    kPower,
    kGlobe,
    kClock,
    kPalette,
    kEject,
    kCloseTray,
    kCalendar,
    kToday,
    kFolder,
    kFolderOpen,
    kDocument,
    kChat,
    kSave,
    kOpen,
    kRefresh,
    kPeople,
    kArrowLeft,
    kArrowRight,
    kStop,
    kStar,
    kSidebar,
    kBrowser,
    kPage,
    kBell,
    kCake,
    kLink,
    kSync,
};

// Draws `glyph` inside `box` (square boxes look best). `stroke` is the line
// width in pixels.
void DrawGlyph(cairo_t* cr, Glyph glyph, const Box& box, Rgba colour, double stroke);

}  // namespace artgen
