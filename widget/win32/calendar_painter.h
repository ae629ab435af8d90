#pragma once

// Draws the calendar window in its skin's pictures and colours: the skin's
// background stretched to the window's height, the weather section, the title and buttons, the month grid from the day
// tiles, the information line, the holiday entries and the reminder panel, all with GDI+ into the window's 32-bit ARGB
// back buffer.

#include <cstdint>
#include <memory>
#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/calendar/holiday_table.h"
#include "widget/view/calendar_view.h"
#include "widget/win32/calendar_layout.h"
#include "widget/win32/gdiplus_drawing.h"
#include "widget/win32/skin_images.h"
#include "widget/win32/weather_painter.h"

struct PaintState {
    std::uint32_t hoverCommand = 0;    // the hit area under the pointer; 0 = none
    std::uint32_t pressedCommand = 0;  // the hit area held down; 0 = none
    bool showHolidayEntries = false;
};

class CalendarPainter {
public:
    CalendarPainter();
    CalendarPainter(const CalendarPainter&) = delete;
    CalendarPainter& operator=(const CalendarPainter&) = delete;

    void SetSkin(SkinImages images);

    // Paints the whole window onto `canvas`, which has the window's size.
    void Paint(Gdiplus::Bitmap& canvas,
               const CalendarLayout& layout,
               const CalendarView& view,
               const PaintState& state,
               const WeatherShown& weather);

    // The size of a holiday description wrapped to `width` pixels.
    TextRect MeasureDescription(const std::string& description, int width) const;

private:
    void PaintBackground(Gdiplus::Graphics& graphics, int height);
    void PaintButtons(Gdiplus::Graphics& graphics,
                      const CalendarLayout& layout,
                      const CalendarView& view,
                      const PaintState& state) const;
    void PaintGrid(Gdiplus::Graphics& graphics, const CalendarLayout& layout, const CalendarView& view) const;
    void PaintDayInformation(Gdiplus::Graphics& graphics, const CalendarLayout& layout, const CalendarView& view) const;
    void PaintReminderPanel(Gdiplus::Graphics& graphics, const CalendarLayout& layout, const CalendarView& view) const;

    SkinImages images_;
    PaintColors colors_;
    std::unique_ptr<Gdiplus::Bitmap> scaledBackground_;  // images_.background at the window's height
    std::unique_ptr<Gdiplus::FontFamily> family_;
    std::unique_ptr<Gdiplus::Font> body_;
    std::unique_ptr<Gdiplus::Font> bold_;
    std::unique_ptr<Gdiplus::Font> title_;
};
