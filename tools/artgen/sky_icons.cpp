#include "tools/artgen/sky_icons.h"

#include "tools/artgen/palette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>
#include <utility>

namespace artgen {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr std::array<SkyTile, 32> kSkyTiles = {{
    {0, u8"晴", {0, 300}, {0, 0}},
    {1, u8"多云", {54, 300}, {114, 0}},
    {2, u8"阴", {108, 300}, {228, 0}},
    {3, u8"阵雨", {162, 300}, {342, 0}},
    {4, u8"雷阵雨", {216, 300}, {456, 0}},
    {5, u8"雷阵雨伴有冰雹", {270, 300}, {570, 0}},
    {6, u8"雨夹雪", {702, 300}, {570, 100}},
    {7, u8"小雨", {378, 300}, {798, 0}},
    {8, u8"中雨", {432, 300}, {0, 100}},
    {9, u8"大雨", {486, 300}, {114, 100}},
    {10, u8"暴雨", {540, 300}, {228, 100}},
    {11, u8"大暴雨", {594, 300}, {342, 100}},
    {12, u8"特大暴雨", {648, 300}, {456, 100}},
    // The large tile of 阵雪 sits in the top row's free slot, in line with
    // its small tile (slot 6 of the small row): 684, 100 is 冻雨's.
    {13, u8"阵雪", {324, 300}, {684, 0}},
    {14, u8"小雪", {810, 300}, {798, 100}},
    {15, u8"中雪", {0, 350}, {0, 200}},
    {16, u8"大雪", {54, 350}, {114, 200}},
    {17, u8"暴雪", {108, 350}, {228, 200}},
    {18, u8"雾", {378, 350}, {798, 200}},
    {19, u8"冻雨", {756, 300}, {684, 100}},
    {20, u8"沙尘暴", {324, 350}, {684, 200}},
    {21, u8"小到中雨", {432, 300}, {0, 100}},
    {22, u8"中到大雨", {486, 300}, {114, 100}},
    {23, u8"大到暴雨", {540, 300}, {228, 100}},
    {24, u8"暴雨到大暴雨", {594, 300}, {342, 100}},
    {25, u8"大暴雨到特大暴雨", {648, 300}, {456, 100}},
    {26, u8"小到中雪", {0, 350}, {0, 200}},
    {27, u8"中到大雪", {54, 350}, {114, 200}},
    {28, u8"大到暴雪", {108, 350}, {228, 200}},
    {29, u8"浮尘", {162, 350}, {342, 200}},
    {30, u8"扬沙", {216, 350}, {456, 200}},
    {31, u8"强沙尘暴", {270, 350}, {570, 200}},
}};

enum class Cloud { kNone, kLight, kGrey, kStorm, kDeep };
enum class Sun { kNone, kFull, kBehind, kHazy };

// What a pictogram shows; drawn back to front.
struct Scene {
    Sun sun = Sun::kNone;
    Cloud cloud = Cloud::kNone;
    int rain = 0;  // drops
    int snow = 0;  // flakes
    int hail = 0;  // stones
    bool bolt = false;
    bool ice = false;
    bool fog = false;
    int dust = 0;  // 1 floating dust, 2 blowing sand, 3 sandstorm, 4 severe sandstorm
    bool secondCloud = false;
};

Scene SceneOf(int code) {
    // Codes from one strength to the next look like the stronger one's tile.
    if (code >= 21 && code <= 25) {
        code -= 13;
    } else if (code >= 26 && code <= 28) {
        code -= 11;
    }
    Scene s;
    switch (code) {
        case 0:
            s.sun = Sun::kFull;
            break;
        case 1:
            s.sun = Sun::kBehind;
            s.cloud = Cloud::kLight;
            break;
        case 2:
            s.cloud = Cloud::kGrey;
            s.secondCloud = true;
            break;
        case 3:
            s.sun = Sun::kBehind;
            s.cloud = Cloud::kLight;
            s.rain = 2;
            break;
        case 4:
            s.cloud = Cloud::kStorm;
            s.bolt = true;
            s.rain = 2;
            break;
        case 5:
            s.cloud = Cloud::kStorm;
            s.bolt = true;
            s.hail = 3;
            break;
        case 6:
            s.cloud = Cloud::kGrey;
            s.rain = 2;
            s.snow = 2;
            break;
        case 7:
            s.cloud = Cloud::kGrey;
            s.rain = 2;
            break;
        case 8:
            s.cloud = Cloud::kGrey;
            s.rain = 3;
            break;
        case 9:
            s.cloud = Cloud::kStorm;
            s.rain = 4;
            break;
        case 10:
            s.cloud = Cloud::kStorm;
            s.rain = 5;
            break;
        case 11:
            s.cloud = Cloud::kDeep;
            s.rain = 6;
            break;
        case 12:
            s.cloud = Cloud::kDeep;
            s.rain = 7;
            s.secondCloud = true;
            break;
        case 13:
            s.sun = Sun::kBehind;
            s.cloud = Cloud::kLight;
            s.snow = 2;
            break;
        case 14:
            s.cloud = Cloud::kGrey;
            s.snow = 1;
            break;
        case 15:
            s.cloud = Cloud::kGrey;
            s.snow = 2;
            break;
        case 16:
            s.cloud = Cloud::kGrey;
            s.snow = 3;
            break;
        case 17:
            s.cloud = Cloud::kStorm;
            s.snow = 5;
            break;
        case 18:
            s.fog = true;
            s.sun = Sun::kHazy;
            break;
        case 19:
            s.cloud = Cloud::kGrey;
            s.rain = 3;
            s.ice = true;
            break;
        case 20:
            s.dust = 3;
            break;
        case 29:
            s.dust = 1;
            s.sun = Sun::kHazy;
            break;
        case 30:
            s.dust = 2;
            break;
        case 31:
            s.dust = 4;
            break;
        default:
            break;
    }
    return s;
}

// Unit coordinates over a square area: (0, 0) top left, (1, 1) bottom right.
struct Frame {
    double x0;
    double y0;
    double side;
    double X(double u) const { return x0 + u * side; }
    double Y(double v) const { return y0 + v * side; }
    double L(double length) const { return length * side; }
};

void DrawSun(cairo_t* cr, const Frame& f, double cx, double cy, double r, bool hazy) {
    const Rgba rim = hazy ? Hex(0xE2B35C) : palette::kSunRim;
    const Rgba core = hazy ? Hex(0xF3D79A) : palette::kSunCore;
    SetColour(cr, rim);
    cairo_set_line_width(cr, f.L(0.045));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * kPi / 4;
        cairo_move_to(cr, f.X(cx + (r + 0.07) * std::cos(angle)), f.Y(cy + (r + 0.07) * std::sin(angle)));
        cairo_line_to(cr, f.X(cx + (r + 0.14) * std::cos(angle)), f.Y(cy + (r + 0.14) * std::sin(angle)));
    }
    cairo_stroke(cr);
    SetRadialGradient(cr, f.X(cx - r * 0.3), f.Y(cy - r * 0.3), f.L(r * 1.4), core, rim);
    cairo_new_sub_path(cr);
    cairo_arc(cr, f.X(cx), f.Y(cy), f.L(r), 0, 2 * kPi);
    cairo_fill(cr);
}

std::pair<Rgba, Rgba> CloudColours(Cloud cloud) {
    switch (cloud) {
        case Cloud::kGrey:
            return {Hex(0xE4E9F0), Hex(0xB4BFCC)};
        case Cloud::kStorm:
            return {Hex(0xA7B2C1), palette::kStormCloud};
        case Cloud::kDeep:
            return {Hex(0x8793A5), palette::kStormCloudDeep};
        case Cloud::kLight:
        case Cloud::kNone:
            break;
    }
    return {palette::kCloudLight, palette::kCloudShade};
}

// A cloud filling the unit box (x, y, w, h) of the frame: a flat base with
// three bumps.
void CloudPath(cairo_t* cr, const Frame& f, double x, double y, double w, double h) {
    const double base = y + h;
    const double r = h * 0.36;
    cairo_new_sub_path(cr);
    cairo_arc(cr, f.X(x + r), f.Y(base - r), f.L(r), kPi / 2, kPi * 1.5);
    cairo_arc(cr, f.X(x + w * 0.36), f.Y(y + h * 0.45), f.L(h * 0.3), kPi * 1.05, kPi * 1.75);
    cairo_arc(cr, f.X(x + w * 0.6), f.Y(y + h * 0.42), f.L(h * 0.42), kPi * 1.15, kPi * 1.95);
    cairo_arc(cr, f.X(x + w - r), f.Y(base - r), f.L(r), kPi * 1.5, kPi / 2);
    cairo_close_path(cr);
}

void DrawCloud(cairo_t* cr, const Frame& f, Cloud cloud, double x, double y, double w, double h) {
    const auto [top, bottom] = CloudColours(cloud);
    // A soft shadow under the cloud lifts it off light and dark backgrounds.
    CloudPath(cr, f, x, y + 0.02, w, h);
    SetColour(cr, Hex(0x1F2937, 30));
    cairo_fill(cr);
    CloudPath(cr, f, x, y, w, h);
    SetVerticalGradient(cr, Box{0, f.Y(y), 1, f.L(h)}, top, bottom);
    cairo_fill_preserve(cr);
    SetColour(cr, cloud == Cloud::kLight ? palette::kCloudOutline : Hex(0x4A5568));
    cairo_set_line_width(cr, std::max(1.0, f.L(0.018)));
    cairo_stroke(cr);
}

// Drops, flakes or stones in up to two staggered rows under the cloud.
template <typename Draw>
void Scatter(int count, double top, double left, double right, const Draw& draw) {
    const int firstRow = count > 4 ? (count + 1) / 2 : count;
    const int secondRow = count - firstRow;
    const auto row = [&](int n, double v, double shift) {
        for (int i = 0; i < n; ++i) {
            const double u = left + (right - left) * (i + 0.5) / n + shift;
            draw(u, v);
        }
    };
    row(firstRow, top, 0);
    row(secondRow, top + 0.14, 0.04);
}

void DrawDrop(cairo_t* cr, const Frame& f, double u, double v, double length, double width) {
    SetColour(cr, palette::kRain);
    cairo_set_line_width(cr, f.L(width));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, f.X(u + length * 0.3), f.Y(v));
    cairo_line_to(cr, f.X(u), f.Y(v + length));
    cairo_stroke(cr);
}

void DrawFlake(cairo_t* cr, const Frame& f, double u, double v, double r) {
    SetColour(cr, palette::kSnow);
    cairo_set_line_width(cr, std::max(1.0, f.L(0.028)));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 3; ++i) {
        const double angle = kPi / 2 + i * kPi / 3;
        cairo_move_to(cr, f.X(u + r * std::cos(angle)), f.Y(v + r * std::sin(angle)));
        cairo_line_to(cr, f.X(u - r * std::cos(angle)), f.Y(v - r * std::sin(angle)));
    }
    cairo_stroke(cr);
}

void DrawHailstone(cairo_t* cr, const Frame& f, double u, double v) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, f.X(u), f.Y(v), f.L(0.04), 0, 2 * kPi);
    SetColour(cr, palette::kCloudLight);
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kSnow);
    cairo_set_line_width(cr, std::max(1.0, f.L(0.022)));
    cairo_stroke(cr);
}

void DrawBolt(cairo_t* cr, const Frame& f, double u, double v, double size) {
    const std::array<std::pair<double, double>, 6> points = {
        {{0.55, 0.0}, {0.1, 0.55}, {0.42, 0.55}, {0.3, 1.0}, {0.85, 0.38}, {0.52, 0.38}}};
    cairo_new_sub_path(cr);
    for (const auto& [px, py] : points) {
        cairo_line_to(cr, f.X(u + px * size * 0.7), f.Y(v + py * size));
    }
    cairo_close_path(cr);
    SetColour(cr, palette::kBolt);
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(0xC98A00));
    cairo_set_line_width(cr, std::max(1.0, f.L(0.015)));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void DrawIce(cairo_t* cr, const Frame& f) {
    SetColour(cr, Hex(0x7CC4F2));
    RoundedRectPath(cr, Box{f.X(0.2), f.Y(0.82), f.L(0.6), f.L(0.05)}, f.L(0.025));
    cairo_fill(cr);
    for (double u : {0.28, 0.44, 0.6, 0.72}) {
        cairo_move_to(cr, f.X(u - 0.035), f.Y(0.86));
        cairo_line_to(cr, f.X(u + 0.035), f.Y(0.86));
        cairo_line_to(cr, f.X(u), f.Y(0.95));
        cairo_close_path(cr);
    }
    cairo_fill(cr);
}

void DrawFog(cairo_t* cr, const Frame& f) {
    SetColour(cr, palette::kFog);
    cairo_set_line_width(cr, f.L(0.06));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const std::array<std::pair<double, double>, 4> lines = {{{0.16, 0.7}, {0.26, 0.84}, {0.12, 0.56}, {0.3, 0.42}}};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto [from, v] = lines[i];
        cairo_move_to(cr, f.X(from), f.Y(v));
        cairo_line_to(cr, f.X(i % 2 == 0 ? 0.84 : 0.78), f.Y(v));
    }
    cairo_stroke(cr);
}

void DrawDust(cairo_t* cr, const Frame& f, int level) {
    const Rgba colour = level >= 4 ? Hex(0x9A6A2C) : palette::kDust;
    // Wind: curling strokes, more and heavier with the strength.
    if (level >= 2) {
        SetColour(cr, colour);
        cairo_set_line_width(cr, f.L(level >= 3 ? 0.06 : 0.045));
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        const int strokes = level >= 3 ? 3 : 2;
        for (int i = 0; i < strokes; ++i) {
            const double v = 0.3 + i * 0.18;
            const double end = 0.72 - (i % 2) * 0.1;
            cairo_move_to(cr, f.X(0.12 + (i % 2) * 0.08), f.Y(v));
            cairo_line_to(cr, f.X(end), f.Y(v));
            cairo_arc_negative(cr, f.X(end), f.Y(v - 0.08), f.L(0.08), kPi / 2, -kPi * 0.85);
            cairo_stroke(cr);
        }
    }
    // Grains: a fixed scatter, denser with the strength.
    static constexpr std::array<std::pair<double, double>, 14> kGrains = {{{0.2, 0.82},
                                                                           {0.34, 0.9},
                                                                           {0.5, 0.8},
                                                                           {0.66, 0.88},
                                                                           {0.8, 0.8},
                                                                           {0.28, 0.7},
                                                                           {0.62, 0.72},
                                                                           {0.86, 0.64},
                                                                           {0.44, 0.64},
                                                                           {0.16, 0.58},
                                                                           {0.74, 0.5},
                                                                           {0.9, 0.42},
                                                                           {0.56, 0.94},
                                                                           {0.12, 0.92}}};
    const std::size_t grains = std::min<std::size_t>(kGrains.size(), 5 + 3 * static_cast<std::size_t>(level));
    SetColour(cr, colour);
    for (std::size_t i = 0; i < grains; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, f.X(kGrains[i].first), f.Y(kGrains[i].second), f.L(0.026), 0, 2 * kPi);
    }
    cairo_fill(cr);
}

void DrawScene(cairo_t* cr, const Scene& s, const Frame& f) {
    const bool precipitation = s.rain > 0 || s.snow > 0 || s.hail > 0 || s.bolt || s.ice;
    switch (s.sun) {
        case Sun::kFull:
            DrawSun(cr, f, 0.5, 0.5, 0.2, false);
            break;
        case Sun::kBehind:
            DrawSun(cr, f, 0.63, precipitation ? 0.28 : 0.34, 0.16, false);
            break;
        case Sun::kHazy:
            DrawSun(cr, f, s.fog ? 0.62 : 0.5, s.fog ? 0.26 : 0.3, 0.14, true);
            break;
        case Sun::kNone:
            break;
    }
    if (s.cloud != Cloud::kNone) {
        if (s.secondCloud) {
            DrawCloud(cr, f, s.cloud == Cloud::kDeep ? Cloud::kStorm : Cloud::kLight, 0.38, 0.16, 0.5, 0.26);
        }
        if (precipitation) {
            DrawCloud(cr, f, s.cloud, 0.12, 0.18, 0.76, 0.4);
        } else {
            DrawCloud(cr, f, s.cloud, 0.1, s.sun == Sun::kNone ? 0.3 : 0.36, 0.74, 0.42);
        }
    }
    if (s.bolt) {
        DrawBolt(cr, f, 0.42, 0.5, 0.42);
    }
    const int drops = s.rain;
    const int flakes = s.snow;
    if (drops > 0 && flakes > 0) {
        Scatter(drops, 0.66, 0.18, 0.56, [&](double u, double v) { DrawDrop(cr, f, u, v, 0.13, 0.05); });
        Scatter(flakes, 0.72, 0.56, 0.86, [&](double u, double v) { DrawFlake(cr, f, u, v, 0.065); });
    } else if (drops > 0) {
        const double left = s.bolt ? 0.56 : 0.2;
        const double length = drops >= 5 ? 0.15 : 0.13;
        Scatter(drops, s.ice ? 0.62 : 0.66, left, 0.84,
                [&](double u, double v) { DrawDrop(cr, f, u, v, length, drops >= 6 ? 0.055 : 0.05); });
    } else if (flakes > 0) {
        Scatter(flakes, 0.72, 0.2, 0.82, [&](double u, double v) { DrawFlake(cr, f, u, v, 0.07); });
    }
    if (s.hail > 0) {
        Scatter(s.hail, 0.74, 0.58, 0.9, [&](double u, double v) { DrawHailstone(cr, f, u, v); });
    }
    if (s.ice) {
        DrawIce(cr, f);
    }
    if (s.fog) {
        DrawFog(cr, f);
    }
    if (s.dust > 0) {
        DrawDust(cr, f, s.dust);
    }
}

}  // namespace

std::span<const SkyTile> SkyTiles() {
    return kSkyTiles;
}

void DrawSky(cairo_t* cr, int code, const Box& box) {
    const double side = std::min(box.width, box.height);
    const Frame frame{box.x + (box.width - side) / 2, box.y + (box.height - side) / 2, side};
    SavedState saved(cr);
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    cairo_clip(cr);
    DrawScene(cr, SceneOf(code), frame);
}

Image DrawSymbolSheet() {
    Canvas sheet(kSymbolSheetWidth, kSymbolSheetHeight);
    // Several codes share a tile; each tile is drawn once.
    std::set<std::pair<int, int>> drawn;
    for (const SkyTile& tile : kSkyTiles) {
        if (drawn.insert({tile.small.x, tile.small.y}).second) {
            DrawSky(sheet.cr(), tile.code,
                    Box{double(tile.small.x), double(tile.small.y), kSkySmallWidth, kSkySmallHeight}.Inset(2));
        }
        if (drawn.insert({tile.large.x, tile.large.y}).second) {
            DrawSky(sheet.cr(), tile.code,
                    Box{double(tile.large.x), double(tile.large.y), kSkyLargeWidth, kSkyLargeHeight}.Inset(4));
        }
    }
    return sheet.ToImage();
}

}  // namespace artgen
