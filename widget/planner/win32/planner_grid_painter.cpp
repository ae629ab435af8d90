#include "widget/planner/win32/planner_grid_painter.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "common/text_encoding.h"
#include "widget/planner/win32/line_fitting.h"

namespace {

constexpr Gdiplus::REAL kDayNumberPoints = 18;
constexpr Gdiplus::REAL kTextPixels = 12;
// The band image: two bands of this height, and ends that keep their width
// when a band stretches to a cell.
constexpr int kBandRows = kPlannerTitleBandHeight;
constexpr int kBandEnd = 4;
// Space between a cell's edge and its texts, and between an entry line's
// start and its text (after the marker).
constexpr int kTextInset = 4;
constexpr int kItemTextInset = 10;
// An entry's colour lighter than this (0-255) is unreadable as text on the
// light cells; such an entry's text takes the day-number colour.
constexpr int kLightestTextLuma = 170;

const WCHAR* Wchars(const std::u16string& text) {
    return reinterpret_cast<const WCHAR*>(text.c_str());
}

Gdiplus::Color ToColour(PlannerRgb rgb, BYTE alpha = 255) {
    return Gdiplus::Color(alpha, rgb.red, rgb.green, rgb.blue);
}

Gdiplus::Rect ToRect(const PlannerRect& rect) {
    return Gdiplus::Rect(rect.x, rect.y, rect.width, rect.height);
}

Gdiplus::RectF ToRectF(const PlannerRect& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.x), static_cast<Gdiplus::REAL>(rect.y),
                          static_cast<Gdiplus::REAL>(rect.width), static_cast<Gdiplus::REAL>(rect.height));
}

bool IsEmpty(const PlannerRect& rect) {
    return rect.width <= 0 || rect.height <= 0;
}

bool IsInstalled(const std::u16string& face) {
    Gdiplus::FontFamily family(Wchars(face));
    return family.GetLastStatus() == Gdiplus::Ok;
}

// DEFAULT_GUI_FONT's face name; empty when the stock font cannot be read.
std::u16string DialogFontFace() {
    LOGFONTA font = {};
    if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0) {
        return {};
    }
    return GbkToUtf16(font.lfFaceName);
}

// Empty when none of them is installed.
std::u16string FirstInstalledFace(std::initializer_list<std::u16string> faces) {
    for (const std::u16string& face : faces) {
        if (!face.empty() && IsInstalled(face)) {
            return face;
        }
    }
    return {};
}

// GDI+ makes no font of a family it cannot find, so an empty or missing
// face falls back to its generic sans-serif family (which a system without
// its usual fonts may lack too; the fonts' lists end with the dialog font's
// face for that).
std::unique_ptr<Gdiplus::Font> MakeFont(const std::u16string& face, Gdiplus::REAL size, INT style, Gdiplus::Unit unit) {
    if (!face.empty()) {
        Gdiplus::FontFamily family(Wchars(face));
        if (family.GetLastStatus() == Gdiplus::Ok) {
            return std::make_unique<Gdiplus::Font>(&family, size, style, unit);
        }
    }
    return std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, style, unit);
}

// GDI+ draws no line that is taller than its layout box, and the day
// numbers' line is taller than the title band: the box grows to one line,
// about the same top, centre or bottom as `rect`.
Gdiplus::RectF LineBox(Gdiplus::Graphics& graphics,
                       const Gdiplus::Font& font,
                       const PlannerRect& rect,
                       Gdiplus::StringAlignment down) {
    Gdiplus::RectF box = ToRectF(rect);
    const Gdiplus::REAL lineHeight = font.GetHeight(&graphics);
    if (box.Height >= lineHeight) {
        return box;
    }
    const Gdiplus::REAL growth = lineHeight - box.Height;
    if (down == Gdiplus::StringAlignmentCenter) {
        box.Y -= growth / 2;
    } else if (down == Gdiplus::StringAlignmentFar) {
        box.Y -= growth;
    }
    box.Height = lineHeight;
    return box;
}

// One line in `rect`, shortened with an ellipsis when too long.
void DrawTextLine(Gdiplus::Graphics& graphics,
                  const std::u16string& text,
                  const Gdiplus::Font& font,
                  const Gdiplus::Color& colour,
                  const PlannerRect& rect,
                  Gdiplus::StringAlignment across,
                  Gdiplus::StringAlignment down) {
    // Typographic: no padding around the text, which would push a
    // bottom-aligned line up and cut short ones early.
    Gdiplus::StringFormat format(Gdiplus::StringFormat::GenericTypographic());
    format.SetFormatFlags((format.GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap) &
                          ~Gdiplus::StringFormatFlagsNoClip);
    format.SetAlignment(across);
    format.SetLineAlignment(down);
    const std::u16string line = FitToWidth(graphics, font, format, text, static_cast<Gdiplus::REAL>(rect.width));
    Gdiplus::SolidBrush brush(colour);
    graphics.DrawString(Wchars(line), static_cast<INT>(line.size()), &font, LineBox(graphics, font, rect, down),
                        &format, &brush);
}

void FillRounded(Gdiplus::Graphics& graphics, const PlannerRect& rect, const Gdiplus::Color& colour) {
    const int diameter = std::min({6, rect.width, rect.height});
    if (diameter <= 0) {
        return;
    }
    Gdiplus::GraphicsPath path;
    const int right = rect.x + rect.width - diameter;
    const int bottom = rect.y + rect.height - diameter;
    path.AddArc(rect.x, rect.y, diameter, diameter, 180, 90);
    path.AddArc(right, rect.y, diameter, diameter, 270, 90);
    path.AddArc(right, bottom, diameter, diameter, 0, 90);
    path.AddArc(rect.x, bottom, diameter, diameter, 90, 90);
    path.CloseFigure();
    Gdiplus::SolidBrush brush(colour);
    graphics.FillPath(&brush, &path);
}

// A gradient brush repeats its colours past its rectangle; one row more on
// each side keeps the end colour off the band's first and last rows.
void FillVerticalGradient(Gdiplus::Graphics& graphics, const PlannerRect& rect, PlannerRgb top, PlannerRgb bottom) {
    Gdiplus::LinearGradientBrush brush(Gdiplus::Rect(rect.x, rect.y - 1, rect.width, rect.height + 2), ToColour(top),
                                       ToColour(bottom), Gdiplus::LinearGradientModeVertical);
    graphics.FillRectangle(&brush, ToRect(rect));
}

bool IsTooLightForText(PlannerRgb rgb) {
    return (299 * rgb.red + 587 * rgb.green + 114 * rgb.blue) / 1000 > kLightestTextLuma;
}

}  // namespace

struct PlannerGridPainter::Scene {
    Gdiplus::Graphics& graphics;
    const PlannerGrid& grid;
    const PlannerGridColours& colours;
    GregorianDate today;

    const PlannerCell& cell(int index) const { return grid.cells()[static_cast<std::size_t>(index)]; }
    Gdiplus::Color TextColour(int index) const {
        return ToColour(cell(index).inShownMonth ? colours.dayNumber : colours.outOfMonthText);
    }
};

PlannerGridPainter::PlannerGridPainter()
    : dayNumberFace_(FirstInstalledFace(
          {u"Haettenschweiler", u"Impact", u"Arial Narrow", u"Arial", u"Tahoma", DialogFontFace()})) {
    dayNumberFont_ = MakeFont(dayNumberFace_, kDayNumberPoints, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    const std::u16string textFace = FirstInstalledFace({u"宋体", u"Microsoft YaHei", DialogFontFace()});
    textFont_ = MakeFont(textFace, kTextPixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    hoveredItemFont_ = MakeFont(textFace, kTextPixels, Gdiplus::FontStyleUnderline, Gdiplus::UnitPixel);
}

PlannerGridPainter::~PlannerGridPainter() = default;

void PlannerGridPainter::SetCellImage(const std::string& path) {
    cellImage_.reset();
    const std::u16string widePath = GbkToUtf16(path);
    Gdiplus::Bitmap file(Wchars(widePath));
    const INT width = static_cast<INT>(file.GetWidth());
    const INT height = static_cast<INT>(file.GetHeight());
    if (file.GetLastStatus() != Gdiplus::Ok || width <= 2 * kBandEnd || height < 2 * kBandRows) {
        return;
    }
    // A copy in memory: GDI+ keeps the file open for as long as a bitmap
    // read from it lives, and a skin's files must stay replaceable.
    auto copy = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(copy.get());
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    if (graphics.DrawImage(&file, Gdiplus::Rect(0, 0, width, height), 0, 0, width, height, Gdiplus::UnitPixel) ==
        Gdiplus::Ok) {
        cellImage_ = std::move(copy);
    }
}

void PlannerGridPainter::Paint(Gdiplus::Graphics& graphics,
                               const PlannerGrid& grid,
                               const PlannerGridColours& colours,
                               GregorianDate today) const {
    const Scene scene{graphics, grid, colours, today};
    graphics.Clear(ToColour(colours.inMonth));
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    PaintHeader(scene);
    const int first = grid.FirstShownCell();
    for (int cell = first; cell < first + grid.ShownCellCount(); ++cell) {
        PaintCell(scene, cell);
    }
    if (colours.drawGridLines) {
        PaintGridLines(scene);
    }
}

// The weekday names over the month's columns; in the week mode the shown
// date in full, since each day's heading is in its own title band.
void PlannerGridPainter::PaintHeader(const Scene& scene) const {
    const PlannerRect header = scene.grid.header();
    if (IsEmpty(header)) {
        return;
    }
    FillVerticalGradient(scene.graphics, header, scene.colours.headerTop, scene.colours.headerBottom);
    const Gdiplus::Color ink = ToColour(scene.colours.dayNumber);
    if (scene.grid.DisplayMode() == kPlannerWeekMode) {
        const std::string date = TranslateNames(FormatEnglishDate("%A, %m/%d/%Y", scene.grid.shownDate()));
        DrawTextLine(scene.graphics, GbkToUtf16(date), *textFont_, ink, header, Gdiplus::StringAlignmentCenter,
                     Gdiplus::StringAlignmentCenter);
        return;
    }
    const std::array<std::string, 7> headings = WeekdayHeadings();
    const int first = scene.grid.FirstShownCell();
    for (int column = 0; column < 7; ++column) {
        const PlannerRect cell = scene.grid.CellRect(first + column);
        const PlannerRect place{cell.x, header.y, cell.width, header.height};
        DrawTextLine(scene.graphics, GbkToUtf16(headings[static_cast<std::size_t>(column)]), *textFont_, ink, place,
                     Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    }
}

void PlannerGridPainter::PaintCell(const Scene& scene, int cell) const {
    const PlannerRect rect = scene.grid.CellRect(cell);
    if (IsEmpty(rect)) {
        return;
    }
    Gdiplus::Graphics& graphics = scene.graphics;
    const PlannerCell& data = scene.cell(cell);
    const bool isToday = data.date == scene.today;
    PlannerRgb fill = scene.colours.inMonth;
    if (cell == scene.grid.selectedCell()) {
        fill = scene.colours.selected;
    } else if (isToday && scene.colours.fillToday) {
        fill = scene.colours.today;
    } else if (!data.inShownMonth && scene.colours.fillCells) {
        fill = scene.colours.outOfMonth;
    }
    graphics.SetClip(ToRect(rect));
    Gdiplus::SolidBrush brush(ToColour(fill));
    graphics.FillRectangle(&brush, ToRect(rect));

    const PlannerRect band{rect.x, rect.y, rect.width, std::min(kPlannerTitleBandHeight, rect.height)};
    PaintTitleBand(scene, band, isToday || scene.grid.hover().cell == cell);
    PaintTitle(scene, cell, band);
    if (data.showLunarText) {
        const PlannerRect bottom{rect.x + kTextInset, band.y + band.height, rect.width - 2 * kTextInset,
                                 rect.height - band.height - 1};
        DrawTextLine(graphics, GbkToUtf16(CellBottomText(data, scene.today)), *textFont_, scene.TextColour(cell),
                     bottom, Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentFar);
    }
    PaintItems(scene, cell);
    graphics.ResetClip();
}

// The image's band stretched to the cell in three pieces, so its rounded
// ends keep their shape; without an image, a gradient of the colours.
void PlannerGridPainter::PaintTitleBand(const Scene& scene, const PlannerRect& band, bool highlighted) const {
    if (!cellImage_) {
        FillVerticalGradient(scene.graphics, band, highlighted ? scene.colours.today : scene.colours.headerTop,
                             scene.colours.headerBottom);
        return;
    }
    Gdiplus::Graphics& graphics = scene.graphics;
    // Nearest neighbour with half-pixel offsets maps source pixels exactly,
    // so the other band's rows never bleed in.
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const int imageWidth = static_cast<int>(cellImage_->GetWidth());
    const int sourceY = highlighted ? kBandRows : 0;
    auto piece = [&](int x, int width, int sourceX, int sourceWidth) {
        graphics.DrawImage(cellImage_.get(), Gdiplus::Rect(x, band.y, width, band.height), sourceX, sourceY,
                           sourceWidth, band.height, Gdiplus::UnitPixel);
    };
    if (band.width <= 2 * kBandEnd) {
        piece(band.x, band.width, 0, imageWidth);
    } else {
        piece(band.x, kBandEnd, 0, kBandEnd);
        piece(band.x + kBandEnd, band.width - 2 * kBandEnd, kBandEnd, imageWidth - 2 * kBandEnd);
        piece(band.x + band.width - kBandEnd, kBandEnd, imageWidth - kBandEnd, kBandEnd);
    }
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeDefault);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeDefault);
}

// The day number in the month mode, the day's heading in the week mode.
void PlannerGridPainter::PaintTitle(const Scene& scene, int cell, const PlannerRect& band) const {
    const PlannerCell& data = scene.cell(cell);
    const PlannerRect place{band.x + kTextInset, band.y, band.width - 2 * kTextInset, band.height};
    if (scene.grid.DisplayMode() == kPlannerWeekMode) {
        DrawTextLine(scene.graphics, GbkToUtf16(WeekDayHeading(data.date)), *textFont_, scene.TextColour(cell), place,
                     Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
        return;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%d", data.date.day);
    DrawTextLine(scene.graphics, GbkToUtf16(number), *dayNumberFont_, scene.TextColour(cell), place,
                 Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
}

// Each entry that fits: a light tint and a marker in its colour, and its
// text; the hovered one tinted deeper and underlined. When not all fit, the
// last line says how many are left.
void PlannerGridPainter::PaintItems(const Scene& scene, int cell) const {
    Gdiplus::Graphics& graphics = scene.graphics;
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const std::vector<PlannerItem>& items = scene.cell(cell).items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int index = static_cast<int>(i);
        const PlannerRect rect = scene.grid.ItemRect(cell, index);
        if (IsEmpty(rect)) {
            break;
        }
        const PlannerItem& item = items[i];
        const bool hovered = scene.grid.hover() == PlannerHit{cell, index};
        FillRounded(graphics, {rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2},
                    ToColour(item.colour, hovered ? 96 : 40));
        FillRounded(graphics, {rect.x + 3, rect.y + 4, 4, rect.height - 8}, ToColour(item.colour));
        const PlannerRgb ink = IsTooLightForText(item.colour) ? scene.colours.dayNumber : item.colour;
        DrawTextLine(graphics, GbkToUtf16(item.text), hovered ? *hoveredItemFont_ : *textFont_, ToColour(ink),
                     {rect.x + kItemTextInset, rect.y, rect.width - kItemTextInset - 2, rect.height},
                     Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    }
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeDefault);
    const PlannerRect more = scene.grid.MoreRect(cell);
    if (!IsEmpty(more)) {
        char text[32];
        std::snprintf(text, sizeof text, "还有%d项", scene.grid.HiddenItemCount(cell));
        DrawTextLine(graphics, GbkToUtf16(text), *textFont_, scene.TextColour(cell),
                     {more.x + kItemTextInset, more.y, more.width - kItemTextInset - 2, more.height},
                     Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter);
    }
}

// Each shown cell's top and left edge: in the month mode that is six rows'
// lines and seven columns' lines, whatever the cells' sizes.
void PlannerGridPainter::PaintGridLines(const Scene& scene) const {
    Gdiplus::Pen pen(ToColour(scene.colours.gridLine));
    const int first = scene.grid.FirstShownCell();
    for (int cell = first; cell < first + scene.grid.ShownCellCount(); ++cell) {
        const PlannerRect rect = scene.grid.CellRect(cell);
        if (IsEmpty(rect)) {
            continue;
        }
        scene.graphics.DrawLine(&pen, rect.x, rect.y, rect.x + rect.width - 1, rect.y);
        scene.graphics.DrawLine(&pen, rect.x, rect.y, rect.x, rect.y + rect.height - 1);
    }
}
