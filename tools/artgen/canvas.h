#pragma once

// A cairo drawing surface (32-bit ARGB, premultiplied) with the shapes the
// suite's art is made of: rounded rectangles, gradients, soft shadows.
// Coordinates are pixels; (0, 0) is the top-left corner of the top-left pixel,
// so a one-pixel line on a pixel row is drawn at y + 0.5.

#include "tools/artgen/image.h"

#include <cairo.h>

#include <functional>

namespace artgen {

struct Box {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    Box Inset(double by) const { return Box{x + by, y + by, width - 2 * by, height - 2 * by}; }
};

class Canvas {
public:
    // Fully transparent.
    Canvas(int width, int height);
    explicit Canvas(const Image& image);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }

    Image ToImage() const;

    // Draws `image` with its top-left corner at (x, y), scaled by `scale`;
    // `smooth` false keeps the pixels square (for enlarged small images).
    void DrawImage(const Image& image, double x, double y, double scale = 1.0, bool smooth = true);

private:
    void Release();

    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// cairo_save/cairo_restore for one scope.
class SavedState {
public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    cairo_t* cr_;
};

void SetColour(cairo_t* cr, Rgba colour);
void RoundedRectPath(cairo_t* cr, const Box& box, double radius);
void FillRoundedRect(cairo_t* cr, const Box& box, double radius, Rgba colour);
// The stroke lies inside `box` (it is inset by half the line width).
void StrokeRoundedRect(cairo_t* cr, const Box& box, double radius, Rgba colour, double lineWidth = 1.0);
// A vertical linear gradient over `box` as the current source.
void SetVerticalGradient(cairo_t* cr, const Box& box, Rgba top, Rgba bottom);
void SetHorizontalGradient(cairo_t* cr, const Box& box, Rgba left, Rgba right);
void SetRadialGradient(cairo_t* cr, double cx, double cy, double radius, Rgba inner, Rgba outer);
void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba colour, double width);
void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgba colour);

// A soft shadow of the shape that `path` traces (filled), blurred by about
// `blur` pixels, moved by (dx, dy) and painted in `colour` under whatever the
// canvas draws next.
void DropShadow(Canvas& canvas,
                const std::function<void(cairo_t*)>& path,
                double blur,
                double dx,
                double dy,
                Rgba colour);

}  // namespace artgen
