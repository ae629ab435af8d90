#include "widget/win32/weather_painter.h"

#include "widget/win32/gdiplus_drawing.h"

namespace {

// The failure line's colour, red in every skin.
const Gdiplus::Color kFailure(255, 0xC0, 0x39, 0x2B);
// detail.png: the panel at the top, the day tabs under it, selected and not.
constexpr int kSelectedTabY = 150;
constexpr int kOtherTabX = 64;
// The detail lines' labels take this much of each line.
constexpr int kDetailLabelWidth = 66;

void DrawSky(Gdiplus::Graphics& graphics,
             Gdiplus::Bitmap* symbols,
             const LayoutRect& place,
             const std::optional<SkyTile>& tile) {
    // A code without a tile draws nothing.
    if (tile) {
        DrawPart(graphics, symbols, {place.x, place.y, tile->width, tile->height}, tile->x, tile->y);
    }
}

void PaintButtons(Gdiplus::Graphics& graphics,
                  const WeatherSectionLayout& layout,
                  const WeatherPictures& pictures,
                  std::uint32_t pressedCommand) {
    for (const WeatherButton& button : layout.buttons) {
        if (button.face == WeatherButtonFace::kDayTab) {
            continue;
        }
        const int row = button.command == pressedCommand ? kWeatherButtonSize : 0;
        DrawPart(graphics, pictures.buttons, button.rect, static_cast<int>(button.face) * kWeatherButtonSize, row);
    }
}

void PaintLoading(Gdiplus::Graphics& graphics,
                  const WeatherSectionLayout& layout,
                  const WeatherShown& shown,
                  const WeatherPictures& pictures,
                  const WeatherFonts& fonts,
                  const PaintColors& colors) {
    if (shown.failure.empty()) {
        DrawPart(graphics, pictures.loading, layout.status, 0, 0);
        return;
    }
    const LayoutRect pill{layout.status.x, layout.status.y + 4, layout.status.width, layout.status.height - 8};
    FillRounded(graphics, pill, colors.accentSoft);
    DrawLine(graphics, shown.failure, *fonts.body, kFailure, pill, Gdiplus::StringAlignmentCenter);
}

void PaintShort(Gdiplus::Graphics& graphics,
                const WeatherSectionLayout& layout,
                const WeatherReport& day,
                const WeatherPictures& pictures,
                const WeatherFonts& fonts,
                const PaintColors& colors) {
    DrawSky(graphics, pictures.symbols, layout.icon, SmallSkyTile(day.skyCode1));
    const std::string lines[] = {TemperatureText(day), day.description, WindText(day)};
    for (std::size_t i = 0; i < layout.summaryLines.size() && i < std::size(lines); ++i) {
        DrawLine(graphics, lines[i], i == 0 ? *fonts.bold : *fonts.body, i == 0 ? colors.ink : colors.muted,
                 layout.summaryLines[i]);
    }
}

void PaintTall(Gdiplus::Graphics& graphics,
               const WeatherSectionLayout& layout,
               const WeatherShown& shown,
               const WeatherPictures& pictures,
               const WeatherFonts& fonts,
               const PaintColors& colors) {
    DrawSky(graphics, pictures.symbols, layout.icon, LargeSkyTile(shown.firstDay->skyCode1));
    const WeatherReport* days[] = {shown.firstDay, shown.secondDay};
    for (std::size_t i = 0; i < layout.dayDates.size() && days[i] != nullptr; ++i) {
        DrawLine(graphics, WeatherDayText(*days[i]), *fonts.body, colors.muted, layout.dayDates[i],
                 Gdiplus::StringAlignmentCenter);
        DrawLine(graphics, TemperatureText(*days[i]), *fonts.body, colors.ink, layout.dayTemperatures[i],
                 Gdiplus::StringAlignmentCenter);
    }
    if (!layout.summaryLines.empty()) {
        DrawLine(graphics, shown.firstDay->description, *fonts.body, colors.ink, layout.summaryLines[0],
                 Gdiplus::StringAlignmentCenter);
    }
}

void PaintDetails(Gdiplus::Graphics& graphics,
                  const WeatherSectionLayout& layout,
                  const WeatherShown& shown,
                  const WeatherPictures& pictures,
                  const WeatherFonts& fonts,
                  const PaintColors& colors) {
    DrawPart(graphics, pictures.detail, layout.panel, 0, 0);
    const WeatherReport* days[] = {shown.firstDay, shown.secondDay};
    for (std::size_t i = 0; i < layout.dayTabs.size() && days[i] != nullptr; ++i) {
        const bool selected = days[i] == shown.selectedDay;
        DrawPart(graphics, pictures.detail, layout.dayTabs[i], selected ? 0 : kOtherTabX, kSelectedTabY);
        // The skin's ink rather than its muted grey: the tabs' grounds are
        // the panel's own, and muted text on them would be faint.
        DrawLine(graphics, WeatherDayText(*days[i]), *fonts.body, colors.ink, layout.dayTabs[i],
                 Gdiplus::StringAlignmentCenter);
    }
    const WeatherReport& day = *shown.selectedDay;
    DrawLine(graphics, TemperatureText(day) + "  " + day.description, *fonts.bold, colors.ink, layout.panelHeading);
    const std::vector<WeatherDetailLine> lines = WeatherDetailLines(day);
    for (std::size_t i = 0; i < layout.detailLines.size() && i < lines.size(); ++i) {
        const LayoutRect& line = layout.detailLines[i];
        DrawLine(graphics, lines[i].label, *fonts.body, colors.ink, {line.x, line.y, kDetailLabelWidth, line.height});
        DrawLine(graphics, lines[i].text, *fonts.body, colors.muted,
                 {line.x + kDetailLabelWidth, line.y, line.width - kDetailLabelWidth, line.height});
    }
}

}  // namespace

void PaintWeatherSection(Gdiplus::Graphics& graphics,
                         const WeatherSectionLayout& layout,
                         const WeatherShown& shown,
                         const WeatherPictures& pictures,
                         const WeatherFonts& fonts,
                         const PaintColors& colors,
                         std::uint32_t pressedCommand) {
    DrawLine(graphics, shown.city, *fonts.title, colors.ink, layout.city);
    PaintButtons(graphics, layout, pictures, pressedCommand);
    if (layout.mode == WeatherSectionMode::kLoading || shown.firstDay == nullptr) {
        PaintLoading(graphics, layout, shown, pictures, fonts, colors);
        return;
    }
    switch (layout.mode) {
        case WeatherSectionMode::kShort:
            PaintShort(graphics, layout, *shown.firstDay, pictures, fonts, colors);
            break;
        case WeatherSectionMode::kTall:
            PaintTall(graphics, layout, shown, pictures, fonts, colors);
            break;
        case WeatherSectionMode::kDetails:
            if (shown.selectedDay != nullptr) {
                PaintDetails(graphics, layout, shown, pictures, fonts, colors);
            }
            break;
        case WeatherSectionMode::kLoading:
            break;
    }
    if (!shown.failure.empty()) {
        DrawLine(graphics, shown.failure, *fonts.body, kFailure, layout.failureLine, Gdiplus::StringAlignmentCenter);
    }
}
