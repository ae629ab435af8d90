#pragma once

// Text of the art, laid out by pango in the suite's typeface (fonts.h).
// Texts are UTF-8 (write them as u8"" literals: narrow literals of this
// project are GBK).

#include "tools/artgen/canvas.h"

#include <string_view>

namespace artgen {

struct TextStyle {
    double size = 12;  // pixels (the em height)
    bool bold = false;
    Rgba colour{0, 0, 0, 255};
};

enum class Align { kStart, kCentre, kEnd };

struct TextExtents {
    Box logical;  // the line box, relative to the layout origin
    Box ink;      // the pixels the glyphs cover, relative to the layout origin
};

TextExtents MeasureText(cairo_t* cr, std::u8string_view text, const TextStyle& style);

// Places the line's logical box inside `box` as aligned and draws it.
void DrawText(cairo_t* cr,
              std::u8string_view text,
              const TextStyle& style,
              const Box& box,
              Align horizontal = Align::kStart,
              Align vertical = Align::kStart);

// Draws the text so that its inked pixels are centred on (cx, cy); for
// numerals in tiles, where the line box's empty space would put them off
// centre.
void DrawTextInkCentred(cairo_t* cr, std::u8string_view text, const TextStyle& style, double cx, double cy);

}  // namespace artgen
