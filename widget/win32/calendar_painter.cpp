#include "widget/win32/calendar_painter.h"

#include <cmath>
#include <cstdio>

#include "common/text_encoding.h"
#include "controls/win32/layer_window.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_lists.h"
#include "widget/win32/gdiplus_drawing.h"

namespace {

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

CalendarPainter::CalendarPainter() : colors_(ToPaintColors(kDefaultSkinColors)) {
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
    colors_ = ToPaintColors(images_.colors);
    scaledBackground_.reset();
}

void CalendarPainter::Paint(Gdiplus::Bitmap& canvas,
                            const CalendarLayout& layout,
                            const CalendarView& view,
                            const PaintState& state,
                            const WeatherShown& weather) {
    Gdiplus::Graphics graphics(&canvas);
    graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    PaintBackground(graphics, static_cast<int>(canvas.GetHeight()));
    // Grey-scale anti-aliasing: ClearType's coloured fringes have no alpha
    // that a layered window could blend.
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);

    const WeatherPictures pictures{images_.weatherSymbols.get(), images_.weatherButtons.get(),
                                   images_.weatherDetail.get(), images_.weatherLoading.get()};
    PaintWeatherSection(graphics, layout.weather, weather, pictures, {body_.get(), bold_.get(), title_.get()}, colors_,
                        state.pressedCommand);

    char title[32];
    std::snprintf(title, sizeof title, "%d年%d月", view.selected().year, view.selected().month);
    DrawLine(graphics, title, *title_, colors_.ink, layout.title, Gdiplus::StringAlignmentCenter);
    PaintButtons(graphics, layout, view, state);
    PaintGrid(graphics, layout, view);

    Gdiplus::Pen hairline(colors_.hairline);
    graphics.DrawLine(&hairline, kContentLeft, layout.separatorY, kContentLeft + kContentWidth - 1, layout.separatorY);
    DrawLine(graphics, view.InformationLine(), *body_, colors_.ink, layout.information);
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
        if (area.face == ButtonFace::kWeather) {
            continue;
        }
        const bool pressed = area.command == state.pressedCommand;
        const bool hover = area.command == state.hoverCommand;
        if (area.face == ButtonFace::kRangeTab) {
            const bool current = RangeOfTab(area.command) == view.reminderRange();
            if (current || hover || pressed) {
                FillRounded(graphics, area.rect, current ? colors_.accent : colors_.accentSoft);
            }
            DrawLine(graphics, RangeTabText(area.command), *body_, current ? kWhite : colors_.ink, area.rect,
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
            FillRounded(graphics, tile, colors_.accentSoft);
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
        DrawLine(graphics, entries[i].title, *bold_, colors_.holiday, place.title);
        DrawWrapped(graphics, entries[i].description, *body_, colors_.muted, place.description);
    }
}

void CalendarPainter::PaintReminderPanel(Gdiplus::Graphics& graphics,
                                         const CalendarLayout& layout,
                                         const CalendarView& view) const {
    DrawLine(graphics, PanelHeading(view.reminderRange()), *bold_, colors_.accentDeep, layout.heading);
    const std::vector<PanelLine>& lines = view.panelLines();
    for (std::size_t i = 0; i < layout.reminderLines.size(); ++i) {
        if (i < lines.size()) {
            DrawLine(graphics, lines[i].text, *body_, lines[i].birthday ? colors_.holiday : colors_.ink,
                     layout.reminderLines[i]);
        } else {
            DrawLine(graphics, kEmptyScheduleText, *body_, colors_.muted, layout.reminderLines[i]);
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
