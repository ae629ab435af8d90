#include "widget/win32/calendar_painter.h"

#include <cmath>
#include <cstdio>

#include "common/text_encoding.h"
#include "controls/win32/layer_window.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_lists.h"

namespace {

// The suite's colours (tools/artgen/palette.h), as GDI+ colours.
const Gdiplus::Color kInk(255, 0x1F, 0x29, 0x37);
const Gdiplus::Color kInkMuted(255, 0x8A, 0x94, 0xA3);
const Gdiplus::Color kHairline(255, 0xD3, 0xDB, 0xE5);
const Gdiplus::Color kAccent(255, 0x2F, 0x6B, 0xDE);
const Gdiplus::Color kAccentDeep(255, 0x1D, 0x4A, 0xAE);
const Gdiplus::Color kAccentSoft(255, 0xE2, 0xEB, 0xFC);
const Gdiplus::Color kHoliday(255, 0xD6, 0x3B, 0x3B);
const Gdiplus::Color kWhite(255, 0xFF, 0xFF, 0xFF);

// Text sizes in pixels.
constexpr Gdiplus::REAL kBodySize = 12;
constexpr Gdiplus::REAL kTitleSize = 13;
// The border rows of mainback.png that keep their size when it stretches.
constexpr int kBackgroundBorder = 24;
// Rows of cbutton.png by state.
constexpr int kButtonNormalY = 0;
constexpr int kButtonHoverY = 16;
constexpr int kButtonPressedY = 32;
// Badges of holiday.png: a festival on a fixed date, and a lunar festival.
constexpr int kFixedDateBadgeX = 0;
constexpr int kLunarBadgeX = 32;

std::u16string Wide(const std::string& gbk) {
    return GbkToUtf16(gbk);
}

Gdiplus::RectF ToRectF(const LayoutRect& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.x), static_cast<Gdiplus::REAL>(rect.y),
                          static_cast<Gdiplus::REAL>(rect.width), static_cast<Gdiplus::REAL>(rect.height));
}

// One line, vertically centred in `rect`, cut with an ellipsis when too long.
void DrawLine(Gdiplus::Graphics& graphics,
              const std::string& text,
              const Gdiplus::Font& font,
              const Gdiplus::Color& colour,
              const LayoutRect& rect,
              Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear) {
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

// Text wrapped inside `rect`, from its top.
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

const char* RangeTabText(std::uint32_t command) {
    switch (command) {
        case kCommandRangeWeek:
            return "周";
        case kCommandRangeMonth:
            return "月";
        default:
            return "日";
    }
}

std::uint32_t RangeOfTab(std::uint32_t command) {
    return command == kCommandRangeWeek ? ViewWeek : command == kCommandRangeMonth ? ViewMonth : ViewDay;
}

}  // namespace

CalendarPainter::CalendarPainter() {
    std::u16string familyName = GbkToUtf16("宋体");
    family_ = std::make_unique<Gdiplus::FontFamily>(reinterpret_cast<const WCHAR*>(familyName.c_str()));
    // Without 宋体 the text still shows, in the system's sans-serif face.
    const Gdiplus::FontFamily* family =
        family_->GetLastStatus() == Gdiplus::Ok ? family_.get() : Gdiplus::FontFamily::GenericSansSerif();
    body_ = std::make_unique<Gdiplus::Font>(family, kBodySize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    bold_ = std::make_unique<Gdiplus::Font>(family, kBodySize, Gdiplus::FontStyleBold, Gdiplus::UnitPixel);
    title_ = std::make_unique<Gdiplus::Font>(family, kTitleSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
}

void CalendarPainter::SetSkin(SkinImages images) {
    images_ = std::move(images);
    scaledBackground_.reset();
}

void CalendarPainter::Paint(Gdiplus::Bitmap& canvas,
                            const CalendarLayout& layout,
                            const CalendarView& view,
                            const PaintState& state) {
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    PaintBackground(graphics, static_cast<int>(canvas.GetHeight()));
    // Grey-scale anti-aliasing: ClearType's coloured fringes have no alpha
    // that a layered window could blend.
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);

    char title[32];
    std::snprintf(title, sizeof title, "%d年%d月", view.selected().year, view.selected().month);
    DrawLine(graphics, title, *title_, kInk, layout.title, Gdiplus::StringAlignmentCenter);
    PaintButtons(graphics, layout, view, state);
    PaintGrid(graphics, layout, view);

    Gdiplus::Pen hairline(kHairline);
    graphics.DrawLine(&hairline, kContentLeft, layout.separatorY, kContentLeft + kContentWidth - 1, layout.separatorY);
    DrawLine(graphics, view.InformationLine(), *body_, kInk, layout.information);
    if (state.showHolidayEntries) {
        PaintDayInformation(graphics, layout, view);
    }
    PaintReminderPanel(graphics, layout, view);
}

void CalendarPainter::PaintBackground(Gdiplus::Graphics& graphics, int height) {
    if (!images_.background) {
        return;
    }
    if (!scaledBackground_ || static_cast<int>(scaledBackground_->GetHeight()) != height) {
        Gdiplus::Bitmap* source = images_.background.get();
        // A negative border keeps the top and bottom rows and stretches the middle.
        scaledBackground_.reset(cmmctrls::CLayerWindow::ZoomGpBitmap(
            &source, kCalendarWindowWidth, static_cast<unsigned>(height), 0, -kBackgroundBorder));
    }
    if (scaledBackground_) {
        graphics.DrawImage(scaledBackground_.get(), 0, 0, kCalendarWindowWidth, height);
    }
}

void CalendarPainter::PaintButtons(Gdiplus::Graphics& graphics,
                                   const CalendarLayout& layout,
                                   const CalendarView& view,
                                   const PaintState& state) const {
    for (const HitArea& area : layout.hitAreas) {
        const bool pressed = area.command == state.pressedCommand;
        const bool hover = area.command == state.hoverCommand;
        if (area.face == ButtonFace::kRangeTab) {
            const bool current = RangeOfTab(area.command) == view.reminderRange();
            if (current || hover || pressed) {
                FillRounded(graphics, area.rect, current ? kAccent : kAccentSoft);
            }
            DrawLine(graphics, RangeTabText(area.command), *body_, current ? kWhite : kInk, area.rect,
                     Gdiplus::StringAlignmentCenter);
            continue;
        }
        const int row = pressed ? kButtonPressedY : hover ? kButtonHoverY : kButtonNormalY;
        DrawPart(graphics, images_.buttons.get(), area.rect, static_cast<int>(area.face) * kButtonSize, row);
    }
}

void CalendarPainter::PaintGrid(Gdiplus::Graphics& graphics,
                                const CalendarLayout& layout,
                                const CalendarView& view) const {
    if (layout.grid.Empty()) {
        return;
    }
    DrawPart(graphics, images_.weekdays.get(), layout.weekdays, 0, 0);
    const MonthDays& days = view.days();
    constexpr int kTileInset = (kDayCellWidth - kDayTileSize) / 2;
    for (int day = 1; day <= static_cast<int>(days.size()) && days[day - 1].valid != 0; ++day) {
        GridCell cell = CellOfDay(days, day);
        LayoutRect tile{layout.grid.x + cell.column * kDayCellWidth + kTileInset,
                        layout.grid.y + cell.row * kDayCellHeight, kDayTileSize, kDayTileSize};
        if (day == view.hoverDay()) {
            FillRounded(graphics, tile, kAccentSoft);
        }
        DrawPart(graphics, images_.numbers.get(), tile, DayTileX(day),
                 DayTileY(days[day - 1], day == view.selected().day));
    }
}

void CalendarPainter::PaintDayInformation(Gdiplus::Graphics& graphics,
                                          const CalendarLayout& layout,
                                          const CalendarView& view) const {
    const std::vector<HolidayEntry>& entries = view.selectedDayInfo().entries;
    for (std::size_t i = 0; i < layout.holidays.size() && i < entries.size(); ++i) {
        const HolidayPlace& place = layout.holidays[i];
        // Lunar festivals carry no first year.
        DrawPart(graphics, images_.holidayBadges.get(), place.badge,
                 entries[i].firstYear == 0 ? kLunarBadgeX : kFixedDateBadgeX, 0);
        DrawLine(graphics, entries[i].title, *bold_, kHoliday, place.title);
        DrawWrapped(graphics, entries[i].description, *body_, kInkMuted, place.description);
    }
}

void CalendarPainter::PaintReminderPanel(Gdiplus::Graphics& graphics,
                                         const CalendarLayout& layout,
                                         const CalendarView& view) const {
    DrawLine(graphics, PanelHeading(view.reminderRange()), *bold_, kAccentDeep, layout.heading);
    const std::vector<PanelLine>& lines = view.panelLines();
    for (std::size_t i = 0; i < layout.reminderLines.size(); ++i) {
        if (i < lines.size()) {
            DrawLine(graphics, lines[i].text, *body_, lines[i].birthday ? kHoliday : kInk, layout.reminderLines[i]);
        } else {
            DrawLine(graphics, kEmptyScheduleText, *body_, kInkMuted, layout.reminderLines[i]);
        }
    }
}

TextRect CalendarPainter::MeasureDescription(const std::string& description, int width) const {
    // Any 32-bit surface measures as the back buffer draws.
    Gdiplus::Bitmap surface(1, 1, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&surface);
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    std::u16string wide = Wide(description);
    Gdiplus::StringFormat format;
    Gdiplus::RectF box;
    graphics.MeasureString(reinterpret_cast<const WCHAR*>(wide.c_str()), static_cast<INT>(wide.size()), body_.get(),
                           Gdiplus::RectF(0, 0, static_cast<Gdiplus::REAL>(width), 10000), &format, &box, nullptr,
                           nullptr);
    return {0, 0, static_cast<int>(std::ceil(box.Width)), static_cast<int>(std::ceil(box.Height))};
}
