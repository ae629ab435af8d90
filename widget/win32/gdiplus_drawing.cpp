#include "widget/win32/gdiplus_drawing.h"

#include "common/text_encoding.h"

const Gdiplus::Color kWhite(255, 0xFF, 0xFF, 0xFF);

namespace {

Gdiplus::Color Opaque(const SkinRgb& rgb) {
    return Gdiplus::Color(255, rgb.red, rgb.green, rgb.blue);
}

}  // namespace

PaintColors ToPaintColors(const SkinColors& colors) {
    return {Opaque(colors.ink),        Opaque(colors.muted),   Opaque(colors.accent),  Opaque(colors.accentDeep),
            Opaque(colors.accentSoft), Opaque(colors.holiday), Opaque(colors.hairline)};
}

std::u16string Wide(const std::string& gbk) {
    return GbkToUtf16(gbk);
}

Gdiplus::RectF ToRectF(const LayoutRect& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.x), static_cast<Gdiplus::REAL>(rect.y),
                          static_cast<Gdiplus::REAL>(rect.width), static_cast<Gdiplus::REAL>(rect.height));
}

void DrawLine(Gdiplus::Graphics& graphics,
              const std::string& text,
              const Gdiplus::Font& font,
              const Gdiplus::Color& colour,
              const LayoutRect& rect,
              Gdiplus::StringAlignment alignment) {
    // Typographic, for no padding around the text (which would cut short
    // lines), but clipped to its box.
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags((format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap) &
                          ~Gdiplus::StringFormatFlagsNoClip);
    format.SetAlignment(alignment);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    Gdiplus::SolidBrush brush(colour);
    std::u16string wide = Wide(text);
    graphics.DrawString(reinterpret_cast<const WCHAR*>(wide.c_str()), static_cast<INT>(wide.size()), &font,
                        ToRectF(rect), &format, &brush);
}

void DrawWrapped(Gdiplus::Graphics& graphics,
                 const std::string& text,
                 const Gdiplus::Font& font,
                 const Gdiplus::Color& colour,
                 const LayoutRect& rect) {
    Gdiplus::StringFormat format;
    Gdiplus::SolidBrush brush(colour);
    std::u16string wide = Wide(text);
    graphics.DrawString(reinterpret_cast<const WCHAR*>(wide.c_str()), static_cast<INT>(wide.size()), &font,
                        ToRectF(rect), &format, &brush);
}

void DrawPart(Gdiplus::Graphics& graphics, Gdiplus::Bitmap* image, const LayoutRect& to, int fromX, int fromY) {
    if (image != nullptr) {
        graphics.DrawImage(image, Gdiplus::Rect(to.x, to.y, to.width, to.height), fromX, fromY, to.width, to.height,
                           Gdiplus::UnitPixel);
    }
}

void FillRounded(Gdiplus::Graphics& graphics, const LayoutRect& rect, const Gdiplus::Color& colour) {
    constexpr int kDiameter = 6;
    Gdiplus::GraphicsPath path;
    const int right = rect.Right() - kDiameter - 1;
    const int bottom = rect.Bottom() - kDiameter - 1;
    path.AddArc(rect.x, rect.y, kDiameter, kDiameter, 180, 90);
    path.AddArc(right, rect.y, kDiameter, kDiameter, 270, 90);
    path.AddArc(right, bottom, kDiameter, kDiameter, 0, 90);
    path.AddArc(rect.x, bottom, kDiameter, kDiameter, 90, 90);
    path.CloseFigure();
    Gdiplus::SolidBrush brush(colour);
    graphics.FillPath(&brush, &path);
}
