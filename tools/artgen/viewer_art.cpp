#include "tools/artgen/viewer_art.h"

#include "tools/artgen/canvas.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/palette.h"

#include <string>

namespace artgen {

namespace {

constexpr char kSkins[] = "Trevalo/Skins/";
constexpr Rgba kTitleTop = Hex(0x3A76E4);
constexpr Rgba kTitleBottom = palette::kAccentDeep;
constexpr Rgba kToolbarBackground = palette::kSurfaceAlt;
constexpr Rgba kTabBarTop = Hex(0xEDF1F6);
constexpr Rgba kTabBarBottom = Hex(0xE0E6EE);
constexpr int kTabBarHeight = 28;

Image TitleStrip(int width) {
    Canvas canvas(width, kViewerTitleHeight);
    cairo_t* cr = canvas.cr();
    SetVerticalGradient(cr, Box{0, 0, double(width), kViewerTitleHeight}, kTitleTop, kTitleBottom);
    cairo_paint(cr);
    Line(cr, 0, 0.5, width, 0.5, Hex(0xFFFFFF, 60), 1);
    return FlattenOver(canvas.ToImage(), kTitleBottom);
}

Image TitleLeft() {
    Image strip = TitleStrip(160);
    Canvas canvas(strip);
    cairo_t* cr = canvas.cr();
    FillRoundedRect(cr, Box{8, 6, 18, 18}, palette::kRadiusControl, Hex(0xFFFFFF, 235));
    DrawGlyph(cr, Glyph::kGlobe, Box{9, 7, 16, 16}, palette::kAccentDeep, 1.5);
    return FlattenOver(canvas.ToImage(), kTitleBottom);
}

Image BottomPiece(int width, bool grip) {
    Canvas canvas(width, 10);
    cairo_t* cr = canvas.cr();
    SetColour(cr, palette::kSurfaceSunken);
    cairo_paint(cr);
    Line(cr, 0, 0.5, width, 0.5, palette::kHairline, 1);
    if (grip) {
        // A triangle of six dots in the bottom-right corner.
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column <= row; ++column) {
                FillCircle(cr, width - 3 - column * 3.0, 8 - (row - column) * 3.0, 0.9, palette::kInkMuted);
            }
        }
    }
    return FlattenOver(canvas.ToImage(), palette::kSurfaceSunken);
}

// The title bar's rows 5 to 24, what the window buttons are drawn over.
Image TitleBehindButton(int width) {
    return TitleStrip(width).Crop(0, 5, width, 20);
}

Image WindowButton(Glyph glyph, int state, bool danger) {
    constexpr int kWidth = 28;
    constexpr int kHeight = 20;
    const Image behind = TitleBehindButton(kWidth);
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    if (state > 1) {
        // The hover and pressed faces are opaque, so the mask keeps them.
        SavedState saved(cr);
        RoundedRectPath(cr, Box{1, 1, kWidth - 2, kHeight - 2}, palette::kRadiusControl);
        cairo_clip(cr);
        canvas.DrawImage(behind, 0, 0);
        Rgba face = danger ? palette::kDanger : Hex(0xFFFFFF, 60);
        if (state == 3) {
            face = danger ? Hex(0xC23338) : Hex(0x000000, 50);
        }
        SetColour(cr, face);
        cairo_paint(cr);
    }
    const double shift = state == 3 ? 1 : 0;
    DrawGlyph(cr, glyph, Box{7, 3 + shift, 14, 14}, palette::kSurface, 1.5);
    return KeyOut(canvas.ToImage(), behind, palette::kMaskKey, palette::kMaskThreshold);
}

Image ToolButton(Glyph glyph, bool menu, bool pressed) {
    const int width = menu ? 42 : 32;
    constexpr int kHeight = 32;
    Canvas canvas(width, kHeight);
    cairo_t* cr = canvas.cr();
    Rgba ink = palette::kInkSoft;
    double shift = 0;
    if (pressed) {
        const Box face{1, 1, width - 2.0, kHeight - 2.0};
        FillRoundedRect(cr, face, palette::kRadiusControl, palette::kAccentSoft);
        StrokeRoundedRect(cr, face, palette::kRadiusControl, WithAlpha(palette::kAccent, 0.55));
        ink = palette::kAccentDeep;
        shift = 1;
    }
    DrawGlyph(cr, glyph, Box{6, 6 + shift, 20, 20}, ink, 1.7);
    if (menu) {
        DrawGlyph(cr, Glyph::kChevronDown, Box{28, 10 + shift, 12, 12}, ink, 1.5);
    }
    return KeyOut(canvas.ToImage(), kToolbarBackground, palette::kMaskKey, palette::kMaskThreshold);
}

Image DropButton(int state) {
    constexpr int kWidth = 18;
    constexpr int kHeight = 22;
    Canvas canvas(kWidth, kHeight);
    cairo_t* cr = canvas.cr();
    const Rgba faces[] = {palette::kSurface, palette::kAccentSoft, Hex(0xC9D9FA)};
    const Rgba inks[] = {palette::kInkSoft, palette::kAccent, palette::kAccentDeep};
    SetColour(cr, faces[state - 1]);
    cairo_paint(cr);
    Line(cr, 0.5, 3, 0.5, kHeight - 3, palette::kHairline, 1);
    DrawGlyph(cr, Glyph::kChevronDown, Box{3, 4 + (state == 3 ? 1.0 : 0.0), 13, 13}, inks[state - 1], 1.5);
    return FlattenOver(canvas.ToImage(), palette::kSurface);
}

Image TabBar(int width, int height) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    SetVerticalGradient(cr, Box{0, 0, double(width), kTabBarHeight}, kTabBarTop, kTabBarBottom);
    cairo_paint(cr);
    Line(cr, 0, kTabBarHeight - 0.5, width, kTabBarHeight - 0.5, palette::kHairlineStrong, 1);
    return FlattenOver(canvas.ToImage(), kTabBarBottom);
}

// A tab, drawn over the tab bar's rows 2 to 27. The selected one is white
// and open at the bottom, joining the page under it.
Image Tab(bool selected) {
    constexpr int kWidth = 120;
    constexpr int kHeight = 26;
    const Image behind = TabBar(kWidth, kTabBarHeight).Crop(0, 2, kWidth, kHeight);
    Canvas canvas(behind);
    cairo_t* cr = canvas.cr();
    const Box face{0.5, selected ? 0.5 : 3.5, kWidth - 1.0, kHeight + 6.0};
    RoundedRectPath(cr, face, palette::kRadiusPanel);
    SetColour(cr, selected ? palette::kSurface : Hex(0xE6EBF2));
    cairo_fill_preserve(cr);
    SetColour(cr, palette::kHairlineStrong);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (selected) {
        SavedState saved(cr);
        RoundedRectPath(cr, face, palette::kRadiusPanel);
        cairo_clip(cr);
        cairo_rectangle(cr, 0, 0, kWidth, 2.5);
        SetColour(cr, palette::kAccent);
        cairo_fill(cr);
    } else {
        Line(cr, 0, kHeight - 0.5, kWidth, kHeight - 0.5, palette::kHairlineStrong, 1);
    }
    return FlattenOver(canvas.ToImage(), palette::kSurface);
}

struct ToolImage {
    const char* name;
    Glyph glyph;
    bool menu;
    bool pressedImage;  // also <name>4.bmp
};

constexpr ToolImage kTools[] = {
    {"open", Glyph::kOpen, false, false},       {"save", Glyph::kSave, false, false},
    {"vrefresh", Glyph::kRefresh, false, true}, {"search", Glyph::kPeople, false, false},
    {"help", Glyph::kHelp, true, false},        {"file", Glyph::kPage, true, false},
    {"vback", Glyph::kArrowLeft, false, true},  {"vfor", Glyph::kArrowRight, false, true},
    {"vstop", Glyph::kStop, false, true},       {"vclose", Glyph::kCross, false, true},
    {"favor", Glyph::kStar, true, true},        {"navbar", Glyph::kSidebar, true, false},
    {"vie", Glyph::kBrowser, false, false},
};

}  // namespace

Image ViewerTreeImages() {
    // Indexed as the trees use them: 0 category, 1 category selected, 2 group,
    // 3 group selected, 4 site, 5 account folder, 6 chat log.
    constexpr Glyph kGlyphs[kViewerTreeImages] = {Glyph::kFolder,     Glyph::kFolderOpen, Glyph::kFolder,
                                                  Glyph::kFolderOpen, Glyph::kGlobe,      Glyph::kPeople,
                                                  Glyph::kChat};
    constexpr Rgba kColours[kViewerTreeImages] = {Hex(0xD9822B),    Hex(0xD9822B),       palette::kAccent,
                                                  palette::kAccent, palette::kSolarTerm, Hex(0x7C5CD6),
                                                  palette::kAccent};
    Canvas canvas(16 * kViewerTreeImages, 16);
    for (int i = 0; i < kViewerTreeImages; ++i) {
        SavedState saved(canvas.cr());
        cairo_rectangle(canvas.cr(), i * 16, 0, 16, 16);
        cairo_clip(canvas.cr());
        DrawGlyph(canvas.cr(), kGlyphs[i], Box{i * 16.0, 0, 16, 16}.Inset(0.5), kColours[i], 1.4);
    }
    return KeyOut(canvas.ToImage(), palette::kMenuBackground, palette::kMaskKey, palette::kMaskThreshold);
}

void AddViewerArt(ArtSet& set) {
    const std::string folder = kSkins;
    set.AddBmp(folder + "title1.bmp", TitleLeft());
    set.AddBmp(folder + "title2.bmp", TitleStrip(8));
    set.AddBmp(folder + "title3.bmp", TitleStrip(110));
    set.AddBmp(folder + "bottom1.bmp", BottomPiece(10, false));
    set.AddBmp(folder + "bottom2.bmp", BottomPiece(8, false));
    set.AddBmp(folder + "bottom3.bmp", BottomPiece(16, true));
    for (int state = 1; state <= 3; ++state) {
        const std::string n = std::to_string(state);
        set.AddBmp(folder + "min" + n + ".bmp", WindowButton(Glyph::kMinus, state, false));
        set.AddBmp(folder + "max" + n + ".bmp", WindowButton(Glyph::kSquare, state, false));
        set.AddBmp(folder + "close" + n + ".bmp", WindowButton(Glyph::kCross, state, true));
    }
    for (const ToolImage& tool : kTools) {
        set.AddBmp(folder + tool.name + "1.bmp", ToolButton(tool.glyph, tool.menu, false));
        if (tool.pressedImage) {
            set.AddBmp(folder + tool.name + "4.bmp", ToolButton(tool.glyph, tool.menu, true));
        }
    }
    for (int state = 1; state <= 3; ++state) {
        set.AddBmp(folder + "combut" + std::to_string(state) + ".bmp", DropButton(state));
    }
    set.AddBmp(folder + "tabback.bmp", TabBar(8, kTabBarHeight));
    set.AddBmp(folder + "tab1.bmp", Tab(true));
    set.AddBmp(folder + "tab2.bmp", Tab(false));
    set.AddBmp(folder + "treeimg.bmp", ViewerTreeImages());
}

}  // namespace artgen
