#include "tools/artgen/text_painter.h"

#include "tools/artgen/fonts.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <memory>
#include <string>

namespace artgen {

namespace {

struct GObjectDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
using UniqueLayout = std::unique_ptr<PangoLayout, GObjectDeleter>;

UniqueLayout MakeLayout(cairo_t* cr, std::u8string_view text, const TextStyle& style) {
    UniqueLayout layout(pango_cairo_create_layout(cr));

    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout.get());

    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, FontFamily().c_str());
    pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font, style.size * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font);
    pango_font_description_free(font);

    const std::string utf8(reinterpret_cast<const char*>(text.data()), text.size());
    pango_layout_set_text(layout.get(), utf8.c_str(), static_cast<int>(utf8.size()));
    return layout;
}

Box ToBox(const PangoRectangle& rectangle) {
    return Box{rectangle.x / double(PANGO_SCALE), rectangle.y / double(PANGO_SCALE),
               rectangle.width / double(PANGO_SCALE), rectangle.height / double(PANGO_SCALE)};
}

TextExtents ExtentsOf(PangoLayout* layout) {
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_extents(layout, &ink, &logical);
    return TextExtents{ToBox(logical), ToBox(ink)};
}

double Place(Align align, double start, double room, double size) {
    switch (align) {
        case Align::kCentre:
            return start + (room - size) / 2;
        case Align::kEnd:
            return start + room - size;
        case Align::kStart:
            break;
    }
    return start;
}

void Show(cairo_t* cr, PangoLayout* layout, const TextStyle& style, double x, double y) {
    cairo_move_to(cr, x, y);
    SetColour(cr, style.colour);
    pango_cairo_show_layout(cr, layout);
    cairo_new_path(cr);
}

}  // namespace

TextExtents MeasureText(cairo_t* cr, std::u8string_view text, const TextStyle& style) {
    return ExtentsOf(MakeLayout(cr, text, style).get());
}

void DrawText(cairo_t* cr,
              std::u8string_view text,
              const TextStyle& style,
              const Box& box,
              Align horizontal,
              Align vertical) {
    const UniqueLayout layout = MakeLayout(cr, text, style);
    const TextExtents extents = ExtentsOf(layout.get());
    const double x = Place(horizontal, box.x, box.width, extents.logical.width) - extents.logical.x;
    const double y = Place(vertical, box.y, box.height, extents.logical.height) - extents.logical.y;
    Show(cr, layout.get(), style, x, y);
}

void DrawTextInkCentred(cairo_t* cr, std::u8string_view text, const TextStyle& style, double cx, double cy) {
    const UniqueLayout layout = MakeLayout(cr, text, style);
    const TextExtents extents = ExtentsOf(layout.get());
    // Whole pixels keep the strokes of small numerals sharp.
    const double x = std::round(cx - extents.ink.width / 2 - extents.ink.x);
    const double y = std::round(cy - extents.ink.height / 2 - extents.ink.y);
    Show(cr, layout.get(), style, x, y);
}

}  // namespace artgen
