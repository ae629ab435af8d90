#pragma once

// Where each part of the calendar window lies, from top to bottom: the
// weather section, the clock,
// the title strip with its buttons, the month grid, the information line, the
// holiday entries, the reminder heading with its buttons and the reminder
// lines. The window's height follows from what it shows; every clickable spot
// is a hit area carrying its command number. Positions are window pixels.

#include <cstdint>
#include <vector>

#include "widget/view/layout_rect.h"
#include "widget/weather/weather_section.h"

// The pictures of cbutton.png, one 16-pixel column each, in its order. The
// reminder range tabs have no picture; they are drawn as text.
enum class ButtonFace {
    kPrevious,
    kNext,
    kMonthMenu,
    kToday,
    kHide,
    kSettings,
    kCollapse,
    kExpand,
    kNew,
    kEdit,
    kDelete,
    kRangeTab,
    kWeather,  // a button of the weather section, drawn from its own pictures
};

struct HitArea {
    LayoutRect rect;
    std::uint32_t command = 0;
    ButtonFace face = ButtonFace::kRangeTab;
};

inline constexpr int kCalendarWindowWidth = 229;
// The content column of the window's background (mainback.png).
inline constexpr int kContentLeft = 21;
inline constexpr int kContentWidth = 188;
inline constexpr int kClockAreaHeight = 100;
inline constexpr int kButtonSize = 16;
inline constexpr int kReminderLineHeight = 25;
// Holiday entries: title row, then the description wrapped to this width.
inline constexpr int kHolidayDescriptionWidth = 169;
inline constexpr int kHolidayEntrySpacing = 25;

struct LayoutInput {
    std::uint32_t layoutFlags = 0;  // kLayoutGridExpanded, kLayoutRemindersExpanded
    int monthRows = 5;
    // One height per holiday entry drawn (none when the entries are hidden).
    std::vector<int> holidayDescriptionHeights;
    // The ids of the reminder lines, in their order.
    std::vector<std::uint32_t> reminderIds;
    // Whether the "no schedule" text follows the lines.
    bool emptyScheduleText = false;
    WeatherSectionState weather;
};

struct HolidayPlace {
    LayoutRect badge;
    LayoutRect title;
    LayoutRect description;
};

struct CalendarLayout {
    int height = 0;
    WeatherSectionLayout weather;
    LayoutRect clock;
    LayoutRect title;     // the "%d年%d月" text
    LayoutRect weekdays;  // empty while the grid is collapsed
    LayoutRect grid;      // the day cells; empty while collapsed
    int separatorY = 0;
    LayoutRect information;
    std::vector<HolidayPlace> holidays;
    LayoutRect heading;
    std::vector<LayoutRect> reminderLines;  // the lines' texts, then the empty text
    std::vector<HitArea> hitAreas;
};

CalendarLayout LayOutCalendar(const LayoutInput& input);

// The hit area under a point, or null.
const HitArea* HitAreaAt(const CalendarLayout& layout, int x, int y);
