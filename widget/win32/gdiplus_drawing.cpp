#include "widget/win32/gdiplus_drawing.h"

#include "common/text_encoding.h"

// The suite's colours (tools/artgen/palette.h), as GDI+ colours.
const Gdiplus::Color kInk(255, 0x1F, 0x29, 0x37);
const Gdiplus::Color kInkMuted(255, 0x8A, 0x94, 0xA3);
const Gdiplus::Color kHairline(255, 0xD3, 0xDB, 0xE5);
const Gdiplus::Color kAccent(255, 0x2F, 0x6B, 0xDE);
const Gdiplus::Color kAccentDeep(255, 0x1D, 0x4A, 0xAE);
const Gdiplus::Color kAccentSoft(255, 0xE2, 0xEB, 0xFC);
const Gdiplus::Color kHoliday(255, 0xD6, 0x3B, 0x3B);
const Gdiplus::Color kWhite(255, 0xFF, 0xFF, 0xFF);

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
