#include "tools/artgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>
#include <vector>

namespace artgen {

namespace {

std::uint32_t* RowOf(cairo_surface_t* surface, int y) {
    unsigned char* data = cairo_image_surface_get_data(surface);
    return reinterpret_cast<std::uint32_t*>(data +
                                            static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface));
}

std::uint8_t Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    return static_cast<std::uint8_t>(std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

}  // namespace

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        Release();
        throw std::runtime_error("cannot create a drawing surface");
    }
}

Canvas::Canvas(const Image& image) : Canvas(image.width(), image.height()) {
    cairo_surface_flush(surface_);
    for (int y = 0; y < height_; ++y) {
        std::uint32_t* row = RowOf(surface_, y);
        for (int x = 0; x < width_; ++x) {
            const Rgba& p = image.at(x, y);
            const auto pre = [&](std::uint8_t c) { return static_cast<std::uint32_t>((c * p.a + 127) / 255); };
            row[x] = static_cast<std::uint32_t>(p.a) << 24 | pre(p.r) << 16 | pre(p.g) << 8 | pre(p.b);
        }
    }
    cairo_surface_mark_dirty(surface_);
}

Canvas::~Canvas() {
    Release();
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      surface_(std::exchange(other.surface_, nullptr)),
      cr_(std::exchange(other.cr_, nullptr)) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
    if (this != &other) {
        Release();
        width_ = other.width_;
        height_ = other.height_;
        surface_ = std::exchange(other.surface_, nullptr);
        cr_ = std::exchange(other.cr_, nullptr);
    }
    return *this;
}

void Canvas::Release() {
    if (cr_ != nullptr) {
        cairo_destroy(cr_);
        cr_ = nullptr;
    }
    if (surface_ != nullptr) {
        cairo_surface_destroy(surface_);
        surface_ = nullptr;
    }
}

Image Canvas::ToImage() const {
    cairo_surface_flush(surface_);
    Image image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const std::uint32_t* row = RowOf(surface_, y);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t alpha = argb >> 24;
            if (alpha == 0) {
                continue;
            }
            image.at(x, y) = Rgba{Unpremultiply((argb >> 16) & 0xFF, alpha), Unpremultiply((argb >> 8) & 0xFF, alpha),
                                  Unpremultiply(argb & 0xFF, alpha), static_cast<std::uint8_t>(alpha)};
        }
    }
    return image;
}

void Canvas::DrawImage(const Image& image, double x, double y, double scale, bool smooth) {
    Canvas source(image);
    SavedState saved(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scale, scale);
    cairo_set_source_surface(cr_, source.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr_), smooth ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_rectangle(cr_, 0, 0, image.width(), image.height());
    cairo_fill(cr_);
}

void SetColour(cairo_t* cr, Rgba colour) {
    cairo_set_source_rgba(cr, colour.r / 255.0, colour.g / 255.0, colour.b / 255.0, colour.a / 255.0);
}

void RoundedRectPath(cairo_t* cr, const Box& box, double radius) {
    radius = std::min({radius, box.width / 2, box.height / 2});
    constexpr double kQuarter = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, box.right() - radius, box.y + radius, radius, -kQuarter, 0);
    cairo_arc(cr, box.right() - radius, box.bottom() - radius, radius, 0, kQuarter);
    cairo_arc(cr, box.x + radius, box.bottom() - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(cr, box.x + radius, box.y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(cr);
}

void FillRoundedRect(cairo_t* cr, const Box& box, double radius, Rgba colour) {
    RoundedRectPath(cr, box, radius);
    SetColour(cr, colour);
    cairo_fill(cr);
}

void StrokeRoundedRect(cairo_t* cr, const Box& box, double radius, Rgba colour, double lineWidth) {
    RoundedRectPath(cr, box.Inset(lineWidth / 2), std::max(0.0, radius - lineWidth / 2));
    SetColour(cr, colour);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

namespace {

void SetGradient(cairo_t* cr, cairo_pattern_t* pattern, Rgba first, Rgba second) {
    cairo_pattern_add_color_stop_rgba(pattern, 0, first.r / 255.0, first.g / 255.0, first.b / 255.0, first.a / 255.0);
    cairo_pattern_add_color_stop_rgba(pattern, 1, second.r / 255.0, second.g / 255.0, second.b / 255.0,
                                      second.a / 255.0);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);  // the context keeps its own reference
}

}  // namespace

void SetVerticalGradient(cairo_t* cr, const Box& box, Rgba top, Rgba bottom) {
    SetGradient(cr, cairo_pattern_create_linear(0, box.y, 0, box.bottom()), top, bottom);
}

void SetHorizontalGradient(cairo_t* cr, const Box& box, Rgba left, Rgba right) {
    SetGradient(cr, cairo_pattern_create_linear(box.x, 0, box.right(), 0), left, right);
}

void SetRadialGradient(cairo_t* cr, double cx, double cy, double radius, Rgba inner, Rgba outer) {
    SetGradient(cr, cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius), inner, outer);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, Rgba colour, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillCircle(cairo_t* cr, double cx, double cy, double radius, Rgba colour) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
    SetColour(cr, colour);
    cairo_fill(cr);
}

namespace {

// One pass of a box blur over an alpha plane, along rows or columns.
void BoxBlur(std::vector<float>& plane, int width, int height, int radius, bool alongRows) {
    const int lines = alongRows ? height : width;
    const int length = alongRows ? width : height;
    std::vector<float> line(static_cast<std::size_t>(length));
    for (int l = 0; l < lines; ++l) {
        const auto at = [&](int i) -> float& {
            return alongRows ? plane[static_cast<std::size_t>(l) * width + i]
                             : plane[static_cast<std::size_t>(i) * width + l];
        };
        for (int i = 0; i < length; ++i) {
            line[static_cast<std::size_t>(i)] = at(i);
        }
        float sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            sum += (i >= 0 && i < length) ? line[static_cast<std::size_t>(i)] : 0.0f;
        }
        for (int i = 0; i < length; ++i) {
            at(i) = sum / static_cast<float>(2 * radius + 1);
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            sum -= (leaving >= 0) ? line[static_cast<std::size_t>(leaving)] : 0.0f;
            sum += (entering < length) ? line[static_cast<std::size_t>(entering)] : 0.0f;
        }
    }
}

}  // namespace

void DropShadow(Canvas& canvas,
                const std::function<void(cairo_t*)>& path,
                double blur,
                double dx,
                double dy,
                Rgba colour) {
    const int width = canvas.width();
    const int height = canvas.height();
    Canvas shape(width, height);
    cairo_translate(shape.cr(), dx, dy);
    path(shape.cr());
    cairo_set_source_rgba(shape.cr(), 0, 0, 0, 1);
    cairo_fill(shape.cr());

    const Image silhouette = shape.ToImage();
    std::vector<float> plane(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            plane[static_cast<std::size_t>(y) * width + x] = silhouette.at(x, y).a / 255.0f;
        }
    }
    // Three box passes approximate a Gaussian of about `blur` pixels.
    const int radius = std::max(1, static_cast<int>(std::lround(blur / 2)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxBlur(plane, width, height, radius, true);
        BoxBlur(plane, width, height, radius, false);
    }
    Image shadow(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float coverage = plane[static_cast<std::size_t>(y) * width + x];
            shadow.at(x, y) =
                Rgba{colour.r, colour.g, colour.b, static_cast<std::uint8_t>(std::lround(coverage * colour.a))};
        }
    }
    canvas.DrawImage(shadow, 0, 0);
}

}  // namespace artgen
