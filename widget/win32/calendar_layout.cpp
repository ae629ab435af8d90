#include "widget/win32/calendar_layout.h"

#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_messages.h"
#include "widget/view/calendar_view.h"

namespace {

// The card of the background starts 3 pixels down with a 3-pixel edge, and
// ends 7 pixels above the image's bottom (its shadow).
constexpr int kTopMargin = 10;
constexpr int kBottomMargin = 14;
constexpr int kTitleHeight = 20;
constexpr int kWeekdaysWidth = 7 * kDayCellWidth;
constexpr int kWeekdaysHeight = 20;
constexpr int kGridLeft = kContentLeft + (kContentWidth - kWeekdaysWidth) / 2;
constexpr int kInformationHeight = 18;
constexpr int kHolidayTitleHeight = 20;
constexpr int kHeadingHeight = 20;
// Buttons sit in 17-pixel steps ending at the content column's right edge.
constexpr int kButtonStep = kButtonSize + 1;
constexpr int kLastButtonX = kContentLeft + kContentWidth - kButtonSize - 1;

constexpr int ButtonX(int fromRight) {
    return kLastButtonX - fromRight * kButtonStep;
}

// A button centred in its 20-pixel strip.
void AddButton(CalendarLayout& layout, int x, int stripTop, std::uint32_t command, ButtonFace face) {
    layout.hitAreas.push_back({{x, stripTop + 2, kButtonSize, kButtonSize}, command, face});
}

int LayOutTitle(CalendarLayout& layout, int y) {
    AddButton(layout, kContentLeft, y, kCommandPreviousYear, ButtonFace::kPrevious);
    const int titleLeft = kContentLeft + kButtonStep;
    layout.title = {titleLeft, y, ButtonX(4) - titleLeft - 1, kTitleHeight};
    AddButton(layout, ButtonX(4), y, kCommandNextYear, ButtonFace::kNext);
    AddButton(layout, ButtonX(3), y, kCommandMonthMenu, ButtonFace::kMonthMenu);
    AddButton(layout, ButtonX(2), y, kCommandToday, ButtonFace::kToday);
    AddButton(layout, ButtonX(1), y, kCommandSettings, ButtonFace::kSettings);
    AddButton(layout, ButtonX(0), y, kCommandHide, ButtonFace::kHide);
    return y + kTitleHeight + 2;
}

int LayOutGrid(CalendarLayout& layout, int y, int monthRows) {
    layout.weekdays = {kGridLeft, y, kWeekdaysWidth, kWeekdaysHeight};
    y += kWeekdaysHeight + 2;
    layout.grid = {kGridLeft, y, kWeekdaysWidth, monthRows * kDayCellHeight};
    return layout.grid.Bottom() + 4;
}

int LayOutHolidays(CalendarLayout& layout, int y, const std::vector<int>& descriptionHeights) {
    constexpr int kTextLeft = kContentLeft + kContentWidth - kHolidayDescriptionWidth;
    for (int height : descriptionHeights) {
        HolidayPlace place;
        place.badge = {kContentLeft, y + 2, kButtonSize, kButtonSize};
        place.title = {kTextLeft, y, kHolidayDescriptionWidth, kHolidayTitleHeight};
        place.description = {kTextLeft, y + kHolidayTitleHeight, kHolidayDescriptionWidth, height > 0 ? height : 0};
        layout.holidays.push_back(place);
        y += kHolidayEntrySpacing + place.description.height;
    }
    return y;
}

int LayOutHeading(CalendarLayout& layout, int y, bool remindersExpanded) {
    layout.heading = {kContentLeft, y, ButtonX(5) - kContentLeft - 2, kHeadingHeight};
    AddButton(layout, ButtonX(5), y, kCommandRangeDay, ButtonFace::kRangeTab);
    AddButton(layout, ButtonX(4), y, kCommandRangeWeek, ButtonFace::kRangeTab);
    AddButton(layout, ButtonX(3), y, kCommandRangeMonth, ButtonFace::kRangeTab);
    AddButton(layout, ButtonX(2), y, kCommandNewSchedule, ButtonFace::kNew);
    AddButton(layout, ButtonX(1), y, kCommandNewMenu, ButtonFace::kMonthMenu);
    AddButton(layout, ButtonX(0), y, remindersExpanded ? kCommandCollapseReminders : kCommandExpandReminders,
              remindersExpanded ? ButtonFace::kCollapse : ButtonFace::kExpand);
    return y + kHeadingHeight + 4;
}

int LayOutReminderLines(CalendarLayout& layout, int y, const LayoutInput& input) {
    // A line's text stops short of its two buttons.
    const int textWidth = ButtonX(1) - kContentLeft - 2;
    for (std::uint32_t id : input.reminderIds) {
        layout.reminderLines.push_back({kContentLeft, y, textWidth, kReminderLineHeight});
        const int buttonTop = y + (kReminderLineHeight - kButtonSize) / 2;
        layout.hitAreas.push_back(
            {{ButtonX(1), buttonTop, kButtonSize, kButtonSize}, kOpenReminderCommandBase + id, ButtonFace::kEdit});
        layout.hitAreas.push_back(
            {{ButtonX(0), buttonTop, kButtonSize, kButtonSize}, kDeleteReminderCommandBase + id, ButtonFace::kDelete});
        y += kReminderLineHeight;
    }
    if (input.emptyScheduleText) {
        layout.reminderLines.push_back({kContentLeft, y, kContentWidth, kReminderLineHeight});
        y += kReminderLineHeight;
    }
    return y;
}

}  // namespace

CalendarLayout LayOutCalendar(const LayoutInput& input) {
    const bool gridExpanded = (input.layoutFlags & kLayoutGridExpanded) != 0;
    const bool remindersExpanded = (input.layoutFlags & kLayoutRemindersExpanded) != 0;
    CalendarLayout layout;
    layout.weather = LayOutWeatherSection(input.weather, kContentLeft, kTopMargin, kContentWidth);
    for (const WeatherButton& button : layout.weather.buttons) {
        layout.hitAreas.push_back({button.rect, button.command, ButtonFace::kWeather});
    }
    int y = layout.weather.height + kClockBelowWeather;
    layout.clock = {kContentLeft, y, kContentWidth - 1, kClockAreaHeight};
    y = LayOutTitle(layout, layout.clock.Bottom() + 4);
    if (gridExpanded) {
        y = LayOutGrid(layout, y, input.monthRows);
    }
    layout.separatorY = y;
    y += 4;
    // The grid's toggle sits at the end of the line under it.
    layout.information = {kContentLeft, y, ButtonX(0) - kContentLeft - 2, kInformationHeight};
    AddButton(layout, ButtonX(0), y - 1, gridExpanded ? kCommandCollapseGrid : kCommandExpandGrid,
              gridExpanded ? ButtonFace::kCollapse : ButtonFace::kExpand);
    y = LayOutHolidays(layout, layout.information.Bottom() + 2, input.holidayDescriptionHeights);
    y = LayOutHeading(layout, y + 2, remindersExpanded);
    if (remindersExpanded) {
        y = LayOutReminderLines(layout, y, input);
    }
    layout.height = y + kBottomMargin;
    return layout;
}

const HitArea* HitAreaAt(const CalendarLayout& layout, int x, int y) {
    for (const HitArea& area : layout.hitAreas) {
        if (area.rect.Contains(x, y)) {
            return &area;
        }
    }
    return nullptr;
}
