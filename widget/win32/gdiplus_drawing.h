#pragma once

// What the calendar window's painters share: the skin's colours and the
// GDI+ drawing of texts (GBK), picture parts and rounded fills in window
// pixels.

#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/view/layout_rect.h"
#include "widget/view/skin_colors.h"

// The skin's colours (widget/view/skin_colors.h) as GDI+ colours, opaque.
struct PaintColors {
    Gdiplus::Color ink;
    Gdiplus::Color muted;
    Gdiplus::Color accent;
    Gdiplus::Color accentDeep;
    Gdiplus::Color accentSoft;
    Gdiplus::Color holiday;
    Gdiplus::Color hairline;
};
PaintColors ToPaintColors(const SkinColors& colors);

// Text on the accent colour, in every skin.
extern const Gdiplus::Color kWhite;

std::u16string Wide(const std::string& gbk);
Gdiplus::RectF ToRectF(const LayoutRect& rect);

// One line, vertically centred in `rect`, cut with an ellipsis when too long.
void DrawLine(Gdiplus::Graphics& graphics,
              const std::string& text,
              const Gdiplus::Font& font,
              const Gdiplus::Color& colour,
              const LayoutRect& rect,
              Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear);
// Text wrapped inside `rect`, from its top.
void DrawWrapped(Gdiplus::Graphics& graphics,
                 const std::string& text,
                 const Gdiplus::Font& font,
                 const Gdiplus::Color& colour,
                 const LayoutRect& rect);
// The part of `image` at (fromX, fromY) of `to`'s size, drawn at `to`; a
// missing image draws nothing.
void DrawPart(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* image, const LayoutRect& to, int fromX, int fromY);
void FillRounded(Gdiplus::Graphics& graphics, const LayoutRect& rect, const Gdiplus::Color& colour);
