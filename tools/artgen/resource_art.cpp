#include "tools/artgen/resource_art.h"

#include "tools/artgen/canvas.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/pixel_font.h"
#include "tools/artgen/text_painter.h"
#include "tools/artgen/viewer_art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <utility>

namespace artgen {

namespace {

constexpr char kResources[] = "resources/";

std::string TwoDigits(int day) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", day);
    return text;
}

std::u8string Utf8(const std::string& text) {
    return std::u8string(text.begin(), text.end());
}

// Anti-aliasing leaves faint pixels in the corners of small rounded icons;
// they are cleared so the corners are truly transparent.
Image ClearCorners(Image image) {
    constexpr int kCorner = 3;
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < kCorner; ++y) {
        for (int x = 0; x < kCorner; ++x) {
            for (const auto& [cx, cy] :
                 {std::pair{x, y}, std::pair{w - 1 - x, y}, std::pair{x, h - 1 - y}, std::pair{w - 1 - x, h - 1 - y}}) {
                if (image.at(cx, cy).a < 128) {
                    image.at(cx, cy) = Rgba{};
                }
            }
        }
    }
    return image;
}

// A calendar page: rounded, an accent header over a white body. Returns the
// body's box. At 16 pixels the edges fall on whole pixels.
Box Page(cairo_t* cr, double size) {
    const double radius = size <= 16 ? 3 : size * 0.18;
    const double header = size <= 16 ? 4 : std::round(size * 0.28);
    const Box page{0, 0, size, size};
    {
        SavedState saved(cr);
        RoundedRectPath(cr, page, radius);
        cairo_clip(cr);
        SetColour(cr, palette::kSurface);
        cairo_paint(cr);
        SetVerticalGradient(cr, Box{0, 0, size, header}, Hex(0x3D7BEA), palette::kAccentDeep);
        cairo_rectangle(cr, 0, 0, size, header);
        cairo_fill(cr);
    }
    StrokeRoundedRect(cr, page, radius, WithAlpha(palette::kAccentDeep, 0.55), size <= 16 ? 1 : size / 32);
    if (size > 16) {
        // Two binding rings across the header.
        for (double u : {0.3, 0.7}) {
            FillCircle(cr, size * u, header * 0.5, size * 0.045, WithAlpha(palette::kSurface, 0.9));
        }
    }
    return Box{1, header, size - 2, size - header - 1};
}

// The program icon: a page with a grid of days, one of them marked.
Image ProgramIcon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const Box body = Page(cr, size);
    if (size <= 16) {
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column) {
                const bool marked = row == 1 && column == 2;
                cairo_rectangle(cr, 3 + column * 4, 7 + row * 4, 2, 2);
                SetColour(cr, marked ? palette::kHoliday : palette::kInkSoft);
                cairo_fill(cr);
            }
        }
        return ClearCorners(canvas.ToImage());
    }
    const double cell = body.width / 5;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const double cx = body.x + cell * (column + 1);
            const double cy = body.y + body.height * (row + 1) / 4;
            const bool marked = row == 1 && column == 2;
            FillCircle(cr, cx, cy, size * (marked ? 0.075 : 0.04), marked ? palette::kHoliday : palette::kInkSoft);
        }
    }
    return ClearCorners(canvas.ToImage());
}

// The widget's icon: the page with an alarm badge.
Image WidgetIcon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    Page(cr, size);
    const double r = size * 0.27;
    const double c = size - r - 0.5;
    FillCircle(cr, c, c, r + std::max(1.0, size / 24.0), palette::kSurface);
    SetRadialGradient(cr, c - r * 0.3, c - r * 0.3, r * 1.5, Hex(0xFFB347), palette::kReminder);
    cairo_new_sub_path(cr);
    cairo_arc(cr, c, c, r, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    DrawGlyph(cr, Glyph::kClock, Box{c - r * 1.15, c - r * 1.15, r * 2.3, r * 2.3}, palette::kSurface,
              std::max(1.0, size / 20.0));
    return ClearCorners(canvas.ToImage());
}

// The side program's icon: a globe on an accent tile with a speech bubble,
// for its two modes (web navigation and chat histories).
Image TrevaloIcon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const double inset = size / 16.0;
    const Box tile{inset, inset, size - 2 * inset, size - 2 * inset};
    RoundedRectPath(cr, tile, size * 0.2);
    SetVerticalGradient(cr, tile, Hex(0x3A76E4), palette::kAccentDeep);
    cairo_fill(cr);
    const double line = std::max(1.0, size / 16.0);
    DrawGlyph(cr, Glyph::kGlobe, Box{size * 0.14, size * 0.12, size * 0.62, size * 0.62}, palette::kSurface, line);
    const double r = size * 0.22;
    const double c = size - r - inset;
    FillCircle(cr, c, c, r + line, palette::kAccentDeep);
    FillCircle(cr, c, c, r, palette::kSurface);
    DrawGlyph(cr, Glyph::kChat, Box{c - r * 0.8, c - r * 0.8, r * 1.6, r * 1.6}, palette::kAccent, line);
    return ClearCorners(canvas.ToImage());
}

// A tray icon showing the day of the month.
Image DayIcon(int day, int size) {
    Canvas canvas(size, size);
    const Box body = Page(canvas.cr(), size);
    const std::string digits = std::to_string(day);
    if (size > 16) {
        DrawTextInkCentred(canvas.cr(), Utf8(digits), TextStyle{size * 0.56, true, palette::kInk},
                           body.x + body.width / 2, body.y + body.height / 2);
        return ClearCorners(canvas.ToImage());
    }
    Image image = ClearCorners(canvas.ToImage());
    const int x = (size - PixelTextWidth(digits) + 1) / 2;
    DrawPixelDigits(image, digits, x, 5, palette::kInk);
    return image;
}

// The marker the system monitor shows in the tray while it scans the
// screen for it: opaque, black down to 13/16 of its height with a small
// white target at the top, an amber band below. The screen scan wants five
// rows of at least nine nearly black pixels (red, green, blue below 4) and
// finds their middle row first from below: row 10 of 16.
Image MarkerIcon(int size) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const int black = size * 13 / 16;
    SetColour(cr, Hex(0x000000));
    cairo_rectangle(cr, 0, 0, size, black);
    cairo_fill(cr);
    SetColour(cr, palette::kReminder);
    cairo_rectangle(cr, 0, black, size, size - black);
    cairo_fill(cr);
    const double unit = size / 16.0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 8 * unit, 4 * unit, 2.2 * unit, 0, 2 * std::numbers::pi);
    SetColour(cr, palette::kSurface);
    cairo_set_line_width(cr, unit);
    cairo_stroke(cr);
    return canvas.ToImage();
}

struct MenuIconStyle {
    MenuIcon index;
    Glyph glyph;
    Rgba colour;
};

constexpr MenuIconStyle kMenuIcons[kMenuIconCount] = {
    {MenuIcon::kHome, Glyph::kHome, palette::kAccent},
    {MenuIcon::kAbout, Glyph::kInfo, palette::kAccent},
    {MenuIcon::kEjectAll, Glyph::kEject, palette::kInkSoft},
    {MenuIcon::kCloseAll, Glyph::kCloseTray, palette::kInkSoft},
    {MenuIcon::kDateTime, Glyph::kClock, palette::kAccent},
    {MenuIcon::kSkins, Glyph::kPalette, Hex(0xD9822B)},
    {MenuIcon::kSettings, Glyph::kGear, palette::kInkSoft},
    {MenuIcon::kExit, Glyph::kPower, palette::kDanger},
    {MenuIcon::kTimeSync, Glyph::kGlobe, palette::kSolarTerm},
    {MenuIcon::kHelp, Glyph::kHelp, palette::kAccent},
    {MenuIcon::kLunarCalendar, Glyph::kCalendar, palette::kHoliday},
};

// Icons of 16 x 16 side by side, keyed for an image list whose mask colour
// is red 0, green 128, blue 128.
template <typename Draw>
Image IconStrip(int count, Rgba background, const Draw& draw) {
    Canvas canvas(16 * count, 16);
    for (int i = 0; i < count; ++i) {
        SavedState saved(canvas.cr());
        cairo_rectangle(canvas.cr(), i * 16, 0, 16, 16);
        cairo_clip(canvas.cr());
        draw(canvas.cr(), i, Box{i * 16.0, 0, 16, 16});
    }
    return KeyOut(canvas.ToImage(), background, palette::kMaskKey, palette::kMaskThreshold);
}

Image MenuIcons() {
    return IconStrip(kMenuIconCount, palette::kMenuBackground, [](cairo_t* cr, int i, const Box& cell) {
        const MenuIconStyle& style = kMenuIcons[i];
        DrawGlyph(cr, style.glyph, cell.Inset(0.5), style.colour, 1.4);
        if (style.index == MenuIcon::kSkins) {
            FillCircle(cr, cell.x + 5.4, cell.y + 6.1, 1.2, palette::kHoliday);
            FillCircle(cr, cell.x + 8.3, cell.y + 4.8, 1.2, palette::kAccent);
            FillCircle(cr, cell.x + 5.1, cell.y + 9.6, 1.2, palette::kSolarTerm);
        }
    });
}

Image ReminderListImages() {
    constexpr Glyph kGlyphs[kReminderListImages] = {Glyph::kCalendar, Glyph::kCake, Glyph::kBell};
    constexpr Rgba kColours[kReminderListImages] = {palette::kAccent, Hex(0xD9468F), palette::kReminder};
    return IconStrip(kReminderListImages, palette::kMenuBackground, [&](cairo_t* cr, int i, const Box& cell) {
        DrawGlyph(cr, kGlyphs[i], cell.Inset(0.5), kColours[i], 1.4);
    });
}

// A dialog's picture: a rounded tile with a white pictogram, on the
// dialog's face colour.
Image Picture(Rgba top, Rgba bottom, Glyph glyph, Glyph badge) {
    constexpr int kSize = 48;
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    const Box tile{2, 2, kSize - 4, kSize - 4};
    DropShadow(
        canvas, [&](cairo_t* c) { RoundedRectPath(c, tile, 9); }, 3, 0, 1, Hex(0x000000, 40));
    RoundedRectPath(cr, tile, 9);
    SetVerticalGradient(cr, tile, top, bottom);
    cairo_fill(cr);
    DrawGlyph(cr, glyph, Box{8, 7, 30, 30}, palette::kSurface, 2.6);
    FillCircle(cr, 34, 34, 9, palette::kSurface);
    DrawGlyph(cr, badge, Box{26.5, 26.5, 15, 15}, bottom, 1.8);
    return FlattenOver(canvas.ToImage(), palette::kDialogFace);
}

std::string ScriptLine(int id, const char* type, const std::string& file) {
    return std::to_string(id) + " " + type + " \"" + file + "\"\n";
}

}  // namespace

void AddResourceArt(ArtSet& set) {
    const std::string folder = kResources;
    std::string loader =
        "// The tray program's icons and bitmaps, drawn by tools/artgen. Compile with\n"
        "// windres -I <tree>/art/resources.\n";
    set.AddIco(folder + "tessary.ico", {ProgramIcon(16), ProgramIcon(32), ProgramIcon(48)});
    loader += ScriptLine(kProgramIconId, "ICON", "tessary.ico");
    for (int day = 1; day <= 31; ++day) {
        const std::string file = "day_" + TwoDigits(day) + ".ico";
        set.AddIco(folder + file, {DayIcon(day, 16), DayIcon(day, 32)});
        loader += ScriptLine(kDayIconIds[static_cast<std::size_t>(day - 1)], "ICON", file);
    }
    set.AddIco(folder + "marker.ico", {MarkerIcon(16), MarkerIcon(32)});
    loader += ScriptLine(kMarkerIconId, "ICON", "marker.ico");
    set.AddIco(folder + "widget.ico", {WidgetIcon(16), WidgetIcon(32), WidgetIcon(48)});
    loader += ScriptLine(kWidgetIconId, "ICON", "widget.ico");
    set.AddBmp(folder + "menu_icons.bmp", MenuIcons());
    loader += ScriptLine(kMenuIconsBitmapId, "BITMAP", "menu_icons.bmp");
    set.AddBmp(folder + "timesync.bmp", Picture(Hex(0x4A8BF0), palette::kAccentDeep, Glyph::kGlobe, Glyph::kSync));
    loader += ScriptLine(kTimeSyncPictureId, "BITMAP", "timesync.bmp");
    set.AddBmp(folder + "shutdown.bmp", Picture(Hex(0xF07A5A), Hex(0xC2362F), Glyph::kPower, Glyph::kClock));
    loader += ScriptLine(kShutdownPictureId, "BITMAP", "shutdown.bmp");
    set.AddText(folder + "loader_art.rc", std::move(loader));

    set.AddBmp(folder + "reminder_list.bmp", ReminderListImages());
    std::string widget =
        "// The calendar widget's icon and list images, drawn by tools/artgen. Compile with\n"
        "// windres -I <tree>/art/resources.\n";
    widget += ScriptLine(kWidgetIconId, "ICON", "widget.ico");
    widget += ScriptLine(kReminderListBitmapId, "BITMAP", "reminder_list.bmp");
    set.AddText(folder + "widget_art.rc", std::move(widget));

    set.AddBmp(folder + "viewer_tree.bmp", ViewerTreeImages());
    set.AddIco(folder + "trevalo.ico", {TrevaloIcon(16), TrevaloIcon(32), TrevaloIcon(48)});
}

}  // namespace artgen
