#include "tools/artgen/glyphs.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <utility>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;

// Drawing in unit coordinates: (0, 0) is the box's top-left corner, (1, 1)
// its bottom-right one.
class Pen {
public:
    Pen(cairo_t* cr, const Box& box, Rgba colour, double stroke) : cr_(cr), box_(box), stroke_(stroke) {
        SetColour(cr_, colour);
        cairo_set_line_width(cr_, stroke);
        cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    }

    double X(double u) const { return box_.x + u * box_.width; }
    double Y(double v) const { return box_.y + v * box_.height; }
    double R(double r) const { return r * box_.width; }

    Pen& Move(double u, double v) {
        cairo_move_to(cr_, X(u), Y(v));
        return *this;
    }
    Pen& To(double u, double v) {
        cairo_line_to(cr_, X(u), Y(v));
        return *this;
    }
    Pen& Close() {
        cairo_close_path(cr_);
        return *this;
    }
    Pen& Arc(double u, double v, double r, double from, double to) {
        cairo_arc(cr_, X(u), Y(v), R(r), from, to);
        return *this;
    }
    Pen& Circle(double u, double v, double r) {
        cairo_new_sub_path(cr_);
        return Arc(u, v, r, 0, 2 * kPi);
    }
    Pen& Rect(double u, double v, double w, double h, double radius) {
        RoundedRectPath(cr_, Box{X(u), Y(v), w * box_.width, h * box_.height}, R(radius));
        return *this;
    }
    void Stroke() { cairo_stroke(cr_); }
    void Fill() { cairo_fill(cr_); }
    void FillKeep() { cairo_fill_preserve(cr_); }
    // A polyline of points (u, v) stroked at once.
    void Polyline(std::initializer_list<std::pair<double, double>> points) {
        bool first = true;
        for (const auto& [u, v] : points) {
            first ? Move(u, v) : To(u, v);
            first = false;
        }
        Stroke();
    }
    void Dot(double u, double v, double r) {
        Circle(u, v, r);
        Fill();
    }
    double stroke() const { return stroke_; }
    cairo_t* cr() const { return cr_; }

private:
    cairo_t* cr_;
    Box box_;
    double stroke_;
};

void Gear(Pen& pen) {
    constexpr int kTeeth = 8;
    cairo_t* cr = pen.cr();
    cairo_new_sub_path(cr);
    for (int i = 0; i < kTeeth * 2; ++i) {
        const double angle = i * kPi / kTeeth;
        const double r = (i % 2 == 0) ? 0.44 : 0.33;
        const double half = kPi / kTeeth / 2.6;
        pen.To(0.5 + r * std::cos(angle - half), 0.5 + r * std::sin(angle - half));
        pen.To(0.5 + r * std::cos(angle + half), 0.5 + r * std::sin(angle + half));
    }
    pen.Close().Stroke();
    pen.Circle(0.5, 0.5, 0.12).Stroke();
}

void Globe(Pen& pen) {
    pen.Circle(0.5, 0.5, 0.38).Stroke();
    cairo_save(pen.cr());
    cairo_translate(pen.cr(), pen.X(0.5), pen.Y(0.5));
    cairo_scale(pen.cr(), 0.45, 1.0);
    cairo_arc(pen.cr(), 0, 0, pen.R(0.38), 0, 2 * kPi);
    cairo_restore(pen.cr());
    pen.Stroke();
    pen.Polyline({{0.12, 0.5}, {0.88, 0.5}});
}

void Clock(Pen& pen) {
    pen.Circle(0.5, 0.5, 0.38).Stroke();
    pen.Polyline({{0.5, 0.28}, {0.5, 0.5}, {0.66, 0.6}});
}

void Calendar(Pen& pen, bool today) {
    pen.Rect(0.14, 0.2, 0.72, 0.66, 0.08).Stroke();
    pen.Polyline({{0.14, 0.4}, {0.86, 0.4}});
    pen.Polyline({{0.34, 0.12}, {0.34, 0.26}});
    pen.Polyline({{0.66, 0.12}, {0.66, 0.26}});
    if (today) {
        pen.Dot(0.5, 0.63, 0.1);
    } else {
        for (double u : {0.32, 0.5, 0.68}) {
            pen.Dot(u, 0.56, 0.035 + pen.stroke() / 60);
            pen.Dot(u, 0.72, 0.035 + pen.stroke() / 60);
        }
    }
}

void Folder(Pen& pen, bool open) {
    if (open) {
        pen.Polyline({{0.12, 0.78}, {0.12, 0.24}, {0.38, 0.24}, {0.46, 0.34}, {0.8, 0.34}, {0.8, 0.46}});
        pen.Move(0.12, 0.78).To(0.26, 0.46).To(0.92, 0.46).To(0.78, 0.78).Close().Stroke();
    } else {
        pen.Move(0.12, 0.24).To(0.38, 0.24).To(0.46, 0.34).To(0.88, 0.34).To(0.88, 0.78).To(0.12, 0.78).Close();
        pen.Stroke();
        pen.Polyline({{0.12, 0.44}, {0.88, 0.44}});
    }
}

void Refresh(Pen& pen) {
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.5, 0.52, 0.32, -kPi * 0.35, kPi * 1.45).Stroke();
    pen.Polyline({{0.62, 0.12}, {0.8, 0.25}, {0.6, 0.36}});
}

void Sync(Pen& pen) {
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.5, 0.5, 0.32, kPi * 1.1, kPi * 1.85).Stroke();
    pen.Polyline({{0.7, 0.14}, {0.79, 0.27}, {0.64, 0.31}});
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.5, 0.5, 0.32, kPi * 0.1, kPi * 0.85).Stroke();
    pen.Polyline({{0.3, 0.86}, {0.21, 0.73}, {0.36, 0.69}});
}

void Palette(Pen& pen) {
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.5, 0.5, 0.38, kPi * 0.15, kPi * 1.95);
    pen.To(0.74, 0.58).Arc(0.68, 0.66, 0.08, -kPi / 2, kPi / 2);
    pen.Stroke();
    pen.Dot(0.34, 0.38, 0.06);
    pen.Dot(0.52, 0.3, 0.06);
    pen.Dot(0.32, 0.6, 0.06);
}

void Cake(Pen& pen) {
    pen.Rect(0.16, 0.5, 0.68, 0.34, 0.06).Stroke();
    pen.Polyline({{0.16, 0.64}, {0.3, 0.6}, {0.44, 0.66}, {0.58, 0.6}, {0.72, 0.66}, {0.84, 0.62}});
    pen.Polyline({{0.5, 0.5}, {0.5, 0.32}});
    pen.Move(0.5, 0.12).To(0.57, 0.22).Arc(0.5, 0.24, 0.07, 0, kPi).Close().Fill();
}

void Bell(Pen& pen) {
    pen.Move(0.22, 0.72).To(0.3, 0.6).To(0.3, 0.42).Arc(0.5, 0.42, 0.2, kPi, 2 * kPi).To(0.7, 0.6).To(0.78, 0.72);
    pen.Close().Stroke();
    pen.Polyline({{0.42, 0.84}, {0.58, 0.84}});
    pen.Polyline({{0.5, 0.16}, {0.5, 0.22}});
}

void Star(Pen& pen) {
    cairo_new_sub_path(pen.cr());
    for (int i = 0; i < 10; ++i) {
        const double angle = -kPi / 2 + i * kPi / 5;
        const double r = (i % 2 == 0) ? 0.4 : 0.17;
        pen.To(0.5 + r * std::cos(angle), 0.54 + r * std::sin(angle));
    }
    pen.Close().Stroke();
}

void Stop(Pen& pen) {
    cairo_new_sub_path(pen.cr());
    for (int i = 0; i < 8; ++i) {
        const double angle = kPi / 8 + i * kPi / 4;
        pen.To(0.5 + 0.38 * std::cos(angle), 0.5 + 0.38 * std::sin(angle));
    }
    pen.Close().Stroke();
    pen.Polyline({{0.38, 0.38}, {0.62, 0.62}});
    pen.Polyline({{0.62, 0.38}, {0.38, 0.62}});
}

void People(Pen& pen) {
    pen.Circle(0.4, 0.34, 0.13).Stroke();
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.4, 0.84, 0.26, kPi * 1.08, kPi * 1.92).Stroke();
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.68, 0.32, 0.1, -kPi * 0.75, kPi * 0.6).Stroke();
    cairo_new_sub_path(pen.cr());
    pen.Arc(0.7, 0.82, 0.2, kPi * 1.45, kPi * 1.95).Stroke();
}

}  // namespace

void DrawGlyph(cairo_t* cr, Glyph glyph, const Box& box, Rgba colour, double stroke) {
    SavedState saved(cr);
    Pen pen(cr, box, colour, stroke);
    switch (glyph) {
        case Glyph::kChevronDown:
            pen.Polyline({{0.28, 0.4}, {0.5, 0.62}, {0.72, 0.4}});
            break;
        case Glyph::kChevronUp:
            pen.Polyline({{0.28, 0.6}, {0.5, 0.38}, {0.72, 0.6}});
            break;
        case Glyph::kChevronLeft:
            pen.Polyline({{0.6, 0.28}, {0.38, 0.5}, {0.6, 0.72}});
            break;
        case Glyph::kChevronRight:
            pen.Polyline({{0.4, 0.28}, {0.62, 0.5}, {0.4, 0.72}});
            break;
        case Glyph::kDoubleChevronDown:
            pen.Polyline({{0.3, 0.28}, {0.5, 0.46}, {0.7, 0.28}});
            pen.Polyline({{0.3, 0.54}, {0.5, 0.72}, {0.7, 0.54}});
            break;
        case Glyph::kDoubleChevronUp:
            pen.Polyline({{0.3, 0.46}, {0.5, 0.28}, {0.7, 0.46}});
            pen.Polyline({{0.3, 0.72}, {0.5, 0.54}, {0.7, 0.72}});
            break;
        case Glyph::kExpand:
            pen.Polyline({{0.56, 0.2}, {0.8, 0.2}, {0.8, 0.44}});
            pen.Polyline({{0.8, 0.2}, {0.58, 0.42}});
            pen.Polyline({{0.44, 0.8}, {0.2, 0.8}, {0.2, 0.56}});
            pen.Polyline({{0.2, 0.8}, {0.42, 0.58}});
            break;
        case Glyph::kCollapse:
            pen.Polyline({{0.58, 0.22}, {0.58, 0.42}, {0.78, 0.42}});
            pen.Polyline({{0.58, 0.42}, {0.82, 0.18}});
            pen.Polyline({{0.42, 0.78}, {0.42, 0.58}, {0.22, 0.58}});
            pen.Polyline({{0.42, 0.58}, {0.18, 0.82}});
            break;
        case Glyph::kPlus:
            pen.Polyline({{0.5, 0.24}, {0.5, 0.76}});
            pen.Polyline({{0.24, 0.5}, {0.76, 0.5}});
            break;
        case Glyph::kMinus:
            pen.Polyline({{0.26, 0.5}, {0.74, 0.5}});
            break;
        case Glyph::kCross:
            pen.Polyline({{0.28, 0.28}, {0.72, 0.72}});
            pen.Polyline({{0.72, 0.28}, {0.28, 0.72}});
            break;
        case Glyph::kSquare:
            pen.Rect(0.27, 0.27, 0.46, 0.46, 0.04).Stroke();
            break;
        case Glyph::kPencil:
            pen.Move(0.22, 0.78).To(0.26, 0.6).To(0.64, 0.22).To(0.78, 0.36).To(0.4, 0.74).Close().Stroke();
            pen.Polyline({{0.56, 0.3}, {0.7, 0.44}});
            break;
        case Glyph::kTrash:
            pen.Polyline({{0.2, 0.28}, {0.8, 0.28}});
            pen.Polyline({{0.4, 0.28}, {0.42, 0.18}, {0.58, 0.18}, {0.6, 0.28}});
            pen.Polyline({{0.28, 0.28}, {0.32, 0.82}, {0.68, 0.82}, {0.72, 0.28}});
            pen.Polyline({{0.44, 0.42}, {0.44, 0.68}});
            pen.Polyline({{0.56, 0.42}, {0.56, 0.68}});
            break;
        case Glyph::kGear:
            Gear(pen);
            break;
        case Glyph::kHome:
            pen.Polyline({{0.14, 0.5}, {0.5, 0.18}, {0.86, 0.5}});
            pen.Polyline({{0.26, 0.42}, {0.26, 0.82}, {0.74, 0.82}, {0.74, 0.42}});
            pen.Polyline({{0.43, 0.82}, {0.43, 0.62}, {0.57, 0.62}, {0.57, 0.82}});
            break;
        case Glyph::kInfo:
            pen.Circle(0.5, 0.5, 0.38).Stroke();
            pen.Polyline({{0.5, 0.46}, {0.5, 0.7}});
            pen.Dot(0.5, 0.31, 0.055 + stroke / 80);
            break;
        case Glyph::kHelp:
            pen.Circle(0.5, 0.5, 0.38).Stroke();
            cairo_new_sub_path(cr);
            pen.Arc(0.5, 0.4, 0.12, kPi, kPi * 2.35).To(0.5, 0.58).Stroke();
            pen.Dot(0.5, 0.71, 0.055 + stroke / 80);
            break;
        case Glyph::kPower:
            cairo_new_sub_path(cr);
            pen.Arc(0.5, 0.54, 0.32, -kPi * 0.28, kPi * 1.28).Stroke();
            pen.Polyline({{0.5, 0.14}, {0.5, 0.48}});
            break;
        case Glyph::kGlobe:
            Globe(pen);
            break;
        case Glyph::kClock:
            Clock(pen);
            break;
        case Glyph::kPalette:
            Palette(pen);
            break;
        case Glyph::kEject:
            pen.Move(0.5, 0.2).To(0.8, 0.54).To(0.2, 0.54).Close().Fill();
            pen.Rect(0.2, 0.66, 0.6, 0.12, 0.02).Fill();
            break;
        case Glyph::kCloseTray:
            pen.Rect(0.2, 0.22, 0.6, 0.12, 0.02).Fill();
            pen.Move(0.5, 0.8).To(0.8, 0.46).To(0.2, 0.46).Close().Fill();
            break;
        case Glyph::kCalendar:
            Calendar(pen, false);
            break;
        case Glyph::kToday:
            Calendar(pen, true);
            break;
        case Glyph::kFolder:
            Folder(pen, false);
            break;
        case Glyph::kFolderOpen:
            Folder(pen, true);
            break;
        case Glyph::kDocument:
            pen.Polyline({{0.6, 0.14}, {0.24, 0.14}, {0.24, 0.86}, {0.76, 0.86}, {0.76, 0.3}, {0.6, 0.14}});
            pen.Polyline({{0.6, 0.14}, {0.6, 0.3}, {0.76, 0.3}});
            pen.Polyline({{0.36, 0.5}, {0.64, 0.5}});
            pen.Polyline({{0.36, 0.66}, {0.64, 0.66}});
            break;
        case Glyph::kChat:
            pen.Move(0.16, 0.22).To(0.84, 0.22).To(0.84, 0.66).To(0.46, 0.66).To(0.28, 0.82).To(0.3, 0.66);
            pen.To(0.16, 0.66).Close().Stroke();
            pen.Polyline({{0.3, 0.38}, {0.7, 0.38}});
            pen.Polyline({{0.3, 0.5}, {0.58, 0.5}});
            break;
        case Glyph::kSave:
            pen.Polyline({{0.5, 0.14}, {0.5, 0.6}});
            pen.Polyline({{0.32, 0.44}, {0.5, 0.62}, {0.68, 0.44}});
            pen.Polyline({{0.18, 0.64}, {0.18, 0.84}, {0.82, 0.84}, {0.82, 0.64}});
            break;
        case Glyph::kOpen:
            Folder(pen, true);
            break;
        case Glyph::kRefresh:
            Refresh(pen);
            break;
        case Glyph::kPeople:
            People(pen);
            break;
        case Glyph::kArrowLeft:
            pen.Polyline({{0.8, 0.5}, {0.2, 0.5}});
            pen.Polyline({{0.44, 0.26}, {0.2, 0.5}, {0.44, 0.74}});
            break;
        case Glyph::kArrowRight:
            pen.Polyline({{0.2, 0.5}, {0.8, 0.5}});
            pen.Polyline({{0.56, 0.26}, {0.8, 0.5}, {0.56, 0.74}});
            break;
        case Glyph::kStop:
            Stop(pen);
            break;
        case Glyph::kStar:
            Star(pen);
            break;
        case Glyph::kSidebar:
            pen.Rect(0.14, 0.2, 0.72, 0.6, 0.06).Stroke();
            pen.Polyline({{0.38, 0.2}, {0.38, 0.8}});
            pen.Polyline({{0.2, 0.34}, {0.3, 0.34}});
            pen.Polyline({{0.2, 0.46}, {0.3, 0.46}});
            break;
        case Glyph::kBrowser:
            pen.Rect(0.12, 0.18, 0.76, 0.64, 0.06).Stroke();
            pen.Polyline({{0.12, 0.36}, {0.88, 0.36}});
            pen.Dot(0.22, 0.27, 0.03 + stroke / 100);
            pen.Dot(0.31, 0.27, 0.03 + stroke / 100);
            pen.Circle(0.5, 0.6, 0.14).Stroke();
            break;
        case Glyph::kPage:
            pen.Polyline({{0.2, 0.28}, {0.8, 0.28}});
            pen.Polyline({{0.2, 0.5}, {0.8, 0.5}});
            pen.Polyline({{0.2, 0.72}, {0.8, 0.72}});
            break;
        case Glyph::kBell:
            Bell(pen);
            break;
        case Glyph::kCake:
            Cake(pen);
            break;
        case Glyph::kLink:
            pen.Rect(0.12, 0.36, 0.42, 0.28, 0.14).Stroke();
            pen.Rect(0.46, 0.36, 0.42, 0.28, 0.14).Stroke();
            break;
        case Glyph::kSync:
            Sync(pen);
            break;
    }
}

}  // namespace artgen
