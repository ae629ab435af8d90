#include "tools/artgen/loader_art.h"

#include "tools/artgen/canvas.h"
#include "tools/artgen/glyphs.h"
#include "tools/artgen/palette.h"
#include "tools/artgen/text_painter.h"

namespace artgen {

namespace {

// A large calendar page, the product's emblem on the About window.
void Emblem(cairo_t* cr, const Box& box) {
    const double radius = box.width * 0.16;
    const double header = box.height * 0.27;
    {
        SavedState saved(cr);
        RoundedRectPath(cr, box, radius);
        cairo_clip(cr);
        SetVerticalGradient(cr, box, palette::kSurface, Hex(0xE9EEF6));
        cairo_paint(cr);
        SetVerticalGradient(cr, Box{box.x, box.y, box.width, header}, Hex(0xE35656), Hex(0xB92F2F));
        cairo_rectangle(cr, box.x, box.y, box.width, header);
        cairo_fill(cr);
    }
    for (double u : {0.3, 0.7}) {
        FillCircle(cr, box.x + box.width * u, box.y + header / 2, box.width * 0.04, WithAlpha(palette::kSurface, 0.9));
    }
    DrawText(cr, u8"八月", TextStyle{box.width * 0.13, true, palette::kSurface},
             Box{box.x, box.y + header * 0.18, box.width, header}, Align::kCentre, Align::kStart);
    DrawTextInkCentred(cr, u8"8", TextStyle{box.width * 0.5, true, palette::kInk}, box.x + box.width / 2,
                       box.y + header + (box.height - header) * 0.42);
    DrawText(cr, u8"农历七月初八", TextStyle{box.width * 0.1, false, palette::kInkSoft},
             Box{box.x, box.bottom() - box.height * 0.22, box.width, box.height * 0.16}, Align::kCentre,
             Align::kCentre);
}

// The About window: a dark card with the emblem on the left and the
// product's name on the right; the program writes its version in white
// at (232, 97), so that spot stays dark and empty.
Image About() {
    Canvas canvas(kAboutWidth, kAboutHeight);
    cairo_t* cr = canvas.cr();
    const Box card{0, 0, kAboutWidth, kAboutHeight};
    {
        SavedState saved(cr);
        RoundedRectPath(cr, card, palette::kRadiusWindow + 2);
        cairo_clip(cr);
        cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, kAboutWidth, kAboutHeight);
        cairo_pattern_add_color_stop_rgb(sky, 0, 0x0E / 255.0, 0x1A / 255.0, 0x36 / 255.0);
        cairo_pattern_add_color_stop_rgb(sky, 1, 0x1D / 255.0, 0x3F / 255.0, 0x8F / 255.0);
        cairo_set_source(cr, sky);
        cairo_pattern_destroy(sky);
        cairo_paint(cr);
        // A large, faint moon behind everything.
        SetRadialGradient(cr, 370, 40, 160, Hex(0x6EA0FF, 70), Hex(0x6EA0FF, 0));
        cairo_paint(cr);
        cairo_push_group(cr);
        FillCircle(cr, 395, 55, 62, Hex(0xFFFFFF, 22));
        cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
        FillCircle(cr, 420, 38, 56, Hex(0xFFFFFF));
        cairo_pop_group_to_source(cr);
        cairo_paint(cr);
        // A few stars.
        const double stars[][3] = {{250, 30, 1.2},  {300, 60, 0.9},  {330, 24, 1.0}, {420, 130, 1.1},
                                   {280, 200, 0.8}, {410, 196, 1.0}, {210, 20, 0.8}, {350, 150, 0.7}};
        for (const auto& star : stars) {
            FillCircle(cr, star[0], star[1], star[2], Hex(0xFFFFFF, 150));
        }
    }
    StrokeRoundedRect(cr, card, palette::kRadiusWindow + 2, Hex(0xFFFFFF, 40));

    const Box emblem{44, 48, 140, 144};
    DropShadow(
        canvas, [&](cairo_t* c) { RoundedRectPath(c, emblem, emblem.width * 0.16); }, 14, 0, 6, Hex(0x000000, 110));
    Emblem(cr, emblem);

    DrawText(cr, u8"泽鲁桌面日历", TextStyle{28, true, palette::kSurface}, Box{228, 44, 200, 36});
    DrawText(cr, u8"Tessary Desktop Calendar", TextStyle{palette::kTextCaption, false, Hex(0xB9C8EA)},
             Box{230, 80, 200, 14});
    // (232, 97): the version, written by the program.
    Line(cr, 230, 124.5, 420, 124.5, Hex(0xFFFFFF, 45), 1);
    const TextStyle feature{palette::kTextBody, false, Hex(0xD6E0F5)};
    DrawText(cr, u8"公历 · 农历 · 节气 · 节假日", feature, Box{230, 134, 200, 16});
    DrawText(cr, u8"日程提醒 · 天气 · 网络校时", feature, Box{230, 154, 200, 16});
    DrawText(cr, u8"© 泽鲁软件  保留所有权利", TextStyle{palette::kTextCaption, false, Hex(0x8EA2CC)},
             Box{230, 206, 200, 14});
    return canvas.ToImage();
}

// The update notice: a white card under an accent title bar (the top 23
// rows, above the link area), a close cross at x 175-186, y 7-17, and room
// for the program's text at (10, 33), 183 x 67.
Image Notice() {
    Canvas canvas(kNoticeWidth, kNoticeHeight);
    cairo_t* cr = canvas.cr();
    const Box card{0, 0, kNoticeWidth, kNoticeHeight};
    {
        SavedState saved(cr);
        RoundedRectPath(cr, card, palette::kRadiusPanel + 1);
        cairo_clip(cr);
        SetVerticalGradient(cr, card, palette::kSurface, Hex(0xF4F7FC));
        cairo_paint(cr);
        SetVerticalGradient(cr, Box{0, 0, kNoticeWidth, 23}, Hex(0x3D7BEA), palette::kAccentDeep);
        cairo_rectangle(cr, 0, 0, kNoticeWidth, 23);
        cairo_fill(cr);
    }
    StrokeRoundedRect(cr, card, palette::kRadiusPanel + 1, WithAlpha(palette::kAccentDeep, 0.7));
    DrawGlyph(cr, Glyph::kBell, Box{6, 4, 15, 15}, palette::kSurface, 1.5);
    DrawText(cr, u8"最新消息", TextStyle{palette::kTextBody, true, palette::kSurface}, Box{24, 0, 120, 23},
             Align::kStart, Align::kCentre);
    // The close spot, x 175-186 and y 7-17: a cross on a faint disc.
    FillCircle(cr, 180.5, 12, 6.5, Hex(0xFFFFFF, 40));
    Line(cr, 177.5, 9, 183.5, 15, palette::kSurface, 1.6);
    Line(cr, 183.5, 9, 177.5, 15, palette::kSurface, 1.6);
    DrawText(cr, u8"点击查看详情 ›", TextStyle{palette::kTextCaption, false, palette::kAccent},
             Box{10, 104, kNoticeWidth - 20, 16}, Align::kEnd, Align::kCentre);
    return canvas.ToImage();
}

}  // namespace

void AddLoaderArt(ArtSet& set) {
    set.AddPng("Skins/about.png", About());
    set.AddPng("Skins/sysmsg.png", Notice());
}

}  // namespace artgen
