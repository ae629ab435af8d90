#pragma once

// Draws the weather section at the top of the calendar window: the city, the
// loading picture or why nothing came, the sky tiles of symbol.png, the
// temperatures and the detail panel of detail.png with its day tabs, and the
// section's buttons of wbutton.png.

#include <string>

#include "common/win32/gdiplus_session.h"
#include "widget/weather/weather_report.h"
#include "widget/weather/weather_section.h"
#include "widget/win32/gdiplus_drawing.h"

struct WeatherPictures {
    Gdiplus::Bitmap* symbols = nullptr;  // symbol.png
    Gdiplus::Bitmap* buttons = nullptr;  // wbutton.png
    Gdiplus::Bitmap* detail = nullptr;   // detail.png
    Gdiplus::Bitmap* loading = nullptr;  // download.png
};

struct WeatherFonts {
    const Gdiplus::Font* body = nullptr;
    const Gdiplus::Font* bold = nullptr;
    const Gdiplus::Font* title = nullptr;
};

// What the section shows; the reports are null while not loaded.
struct WeatherShown {
    std::string city;
    const WeatherReport* firstDay = nullptr;
    const WeatherReport* secondDay = nullptr;
    const WeatherReport* selectedDay = nullptr;  // the detail panel's
    std::string failure;                         // empty unless the last attempt failed
};

void PaintWeatherSection(Gdiplus::Graphics& graphics,
                         const WeatherSectionLayout& layout,
                         const WeatherShown& shown,
                         const WeatherPictures& pictures,
                         const WeatherFonts& fonts,
                         const PaintColors& colors,
                         std::uint32_t pressedCommand);
