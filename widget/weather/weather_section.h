#pragma once

// The weather section at the top of the calendar window, as data: its height
// by state, where its pictures, texts and buttons go, which buttons are
// offered, the sky tiles of symbol.png, the city menu and the texts it draws.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "widget/view/layout_rect.h"
#include "widget/weather/weather_report.h"
#include "widget/weather/weather_status.h"

// The section's commands, as hit areas of the calendar window.
inline constexpr std::uint32_t kCommandCityMenu = 5000;
inline constexpr std::uint32_t kCommandShowDetails = 5003;
inline constexpr std::uint32_t kCommandFirstDay = 5009;
inline constexpr std::uint32_t kCommandSecondDay = 5011;
inline constexpr std::uint32_t kCommandHideDetails = 5013;
inline constexpr std::uint32_t kCommandShortLayout = 5016;
inline constexpr std::uint32_t kCommandTallLayout = 5019;
inline constexpr bool IsWeatherCommand(std::uint32_t command) {
    return command >= kCommandCityMenu && command <= kCommandTallLayout;
}

// The city menu: its cities are items 2-14 in this order, "其他..." item 1.
inline constexpr std::uint32_t kCityMenuOther = 1;
inline constexpr std::uint32_t kCityMenuFirstCity = 2;
std::span<const std::string_view> CityMenuCities();
// The menu item's city; empty for any other item.
std::string_view CityOfMenuItem(std::uint32_t item);

// Section heights: the offset of everything below the section.
inline constexpr int kWeatherLoadingHeight = 52;
inline constexpr int kWeatherDetailsHeight = 230;
inline constexpr int kWeatherTallHeight = 200;
inline constexpr int kWeatherShortHeight = 80;
// The clock window lies this far below the section's height, from the
// window's top; the section draws into the space down to it.
inline constexpr int kClockBelowWeather = 38;

struct WeatherSectionState {
    bool stationKnown = false;
    bool firstDayLoaded = false;   // the 24-hour report
    bool secondDayLoaded = false;  // the 48-hour report
    bool detailShown = false;
    bool largeLayout = false;
    bool secondDaySelected = false;  // the detail panel's day
};

int WeatherSectionHeight(const WeatherSectionState& state);

// wbutton.png's columns, 18 pixels each, released on top and pressed below.
// The day tabs have no picture of their own (detail.png carries them).
enum class WeatherButtonFace { kCityMenu, kShowDetails, kHideDetails, kTallLayout, kShortLayout, kDayTab };
inline constexpr int kWeatherButtonSize = 18;

struct WeatherButton {
    LayoutRect rect;
    std::uint32_t command = 0;
    WeatherButtonFace face = WeatherButtonFace::kDayTab;
};

enum class WeatherSectionMode { kLoading, kShort, kTall, kDetails };

struct WeatherSectionLayout {
    WeatherSectionMode mode = WeatherSectionMode::kLoading;
    int height = 0;     // WeatherSectionHeight
    LayoutRect area;    // everything the section draws, down to the clock
    LayoutRect city;    // the city name
    LayoutRect status;  // the loading picture, or the failure line in its place
    LayoutRect icon;    // the first day's sky tile (small, or large when tall)
    // Short layout: the temperatures, the description and the wind.
    std::vector<LayoutRect> summaryLines;
    // Tall layout: per day, its date and below it its temperatures.
    std::vector<LayoutRect> dayDates;
    std::vector<LayoutRect> dayTemperatures;
    // Details: the panel, its heading row, its six lines and the day tabs
    // (the second only with the 48-hour report).
    LayoutRect panel;
    LayoutRect panelHeading;
    std::vector<LayoutRect> detailLines;
    std::vector<LayoutRect> dayTabs;
    // A line under a shown forecast when the last refresh failed.
    LayoutRect failureLine;
    std::vector<WeatherButton> buttons;  // offered ones only
};

// The section laid out from the calendar window's top (`top`, window
// pixels) in the content column from `left`, `width` wide.
WeatherSectionLayout LayOutWeatherSection(const WeatherSectionState& state, int left, int top, int width);

// A tile of symbol.png.
struct SkyTile {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const SkyTile&, const SkyTile&) = default;
};
// The tiles of sky codes 0-31; nullopt for any other code, which draws
// nothing.
std::optional<SkyTile> SmallSkyTile(std::int32_t code);
std::optional<SkyTile> LargeSkyTile(std::int32_t code);

// "8月5日": the month and day of the report's end time.
std::string WeatherDayText(const WeatherReport& report);
// "18/29℃".
std::string TemperatureText(const WeatherReport& report);
// "北风 3-4级", or whichever of the two is known.
std::string WindText(const WeatherReport& report);

struct WeatherDetailLine {
    std::string label;  // "天气：", "风力：", ...
    std::string text;
};
// The detail panel's six lines for a day, in their order.
std::vector<WeatherDetailLine> WeatherDetailLines(const WeatherReport& report);

// The short line that says why no forecast came (statuses 4-8); empty for
// any other status.
std::string WeatherFailureText(WeatherStatus status);
