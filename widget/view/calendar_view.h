#pragma once

// What the calendar window shows, as platform-free state: the selected date
// and its month's day records, the pointer's day, the layout flags, the
// reminder panel's range and lines, the selected day's holidays, and what
// each hit-area and menu command does to them. The window draws this state
// and carries out the effects that need windows.

#include <cstdint>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/reminder_item.h"
#include "widget/reminders/reminder_lists.h"

// Hit-area commands of the calendar window.
enum CalendarCommand : std::uint32_t {
    kCommandCollapseGrid = 2000,
    kCommandExpandGrid = 2003,
    kCommandCollapseReminders = 2006,
    kCommandExpandReminders = 2009,
    kCommandSettings = 2012,
    kCommandHide = 2015,
    kCommandToday = 2018,
    kCommandRangeDay = 2021,
    kCommandRangeWeek = 2024,
    kCommandRangeMonth = 2027,
    kCommandNewSchedule = 2030,
    kCommandNewMenu = 2033,
    kCommandMonthMenu = 2036,
    kCommandNextYear = 2039,
    kCommandPreviousYear = 2042,
    // Menu commands.
    kMenuNewSchedule = 58004,
    kMenuNewBirthday = 58005,
    kMenuFirstMonth = 60001,  // "1月"; 60012 is "12月"
    kMenuLastMonth = 60012,
};

// Bits of the layout flags (saved with the widget settings).
inline constexpr std::uint32_t kLayoutGridExpanded = 0x1;
inline constexpr std::uint32_t kLayoutRemindersExpanded = 0x100;

// What the window must do after a command.
enum class CommandEffect {
    kNone,             // not a command of the view, or nothing changed
    kRedraw,           // the view changed; lay out and redraw
    kHide,             // hide the window
    kShowPreferences,  // the settings button: open the preferences dialog
    kNewSchedule,      // open the schedule editor on a new reminder
    kNewBirthday,      // open the birthday editor on a new birthday for the selected day
    kShowNewMenu,      // pop up "新建日程提醒" / "新建生日提醒"
    kShowMonthMenu,    // pop up "1月" ... "12月"
    kEditReminder,     // open reminder `reminderId` in its editor
    kDeleteReminder    // ask, then delete reminder `reminderId`
};

struct CommandResult {
    CommandEffect effect = CommandEffect::kNone;
    std::uint32_t reminderId = 0;

    friend bool operator==(const CommandResult&, const CommandResult&) = default;
};

class CalendarView {
public:
    // None is owned; all outlive the view. `reminders` is the store's map
    // and is read again by Refresh and SelectDate; `clock` says what today is.
    // The view starts on today.
    CalendarView(const HolidayTable& holidays, const ReminderMap& reminders, const IClock& clock);

    // Selects a date: rebuilds the month when year or month change, the
    // panel lines and the day's holidays (searching ahead, measured when a
    // measurer is set). The year is kept within kFirstShownYear ..
    // kLastShownYear; a day the month lacks selects its last day.
    void SelectDate(GregorianDate date);
    // The reminders changed: marks, lines and holidays again for the same date.
    void Refresh();
    // Remembers today's date and selects it (start-up and "today").
    void SelectToday();
    // The date-rollover check: when today's date differs from the day last
    // seen, remembers it, selects it and returns true.
    bool CheckRollover();
    // When to run that check next: a moment after the local date changes,
    // and within a minute whatever happens meanwhile (the clock set, the
    // computer asleep), in milliseconds.
    unsigned MillisecondsToNextRolloverCheck() const;
    CommandResult OnCommand(std::uint32_t command);
    // The day under the pointer (0 = none); true when it changed.
    bool SetHoverDay(int day);

    // Sets the measurer and measures the selected day's holidays with it.
    void SetDescriptionMeasurer(DescriptionMeasurer measurer);
    void SetLayoutFlags(std::uint32_t flags) { layoutFlags_ = flags; }

    GregorianDate selected() const { return selected_; }
    GregorianDate today() const { return today_; }
    int hoverDay() const { return hoverDay_; }
    std::uint32_t layoutFlags() const { return layoutFlags_; }
    std::uint32_t reminderRange() const { return reminderRange_; }
    int monthRows() const { return monthRows_; }
    const MonthDays& days() const { return days_; }
    const DayHolidays& selectedDayInfo() const { return selectedDayInfo_; }
    const std::vector<PanelLine>& panelLines() const { return panelLines_; }
    // The hovered day's text when the pointer is over a day, else the
    // selected day's.
    const std::string& InformationLine() const;
    // Whether the selected day's holiday entries are drawn.
    bool ShowsHolidayEntries(bool showHolidayDetails) const;

private:
    CommandResult SetReminderRange(std::uint32_t range);
    CommandResult StepYear(int step);
    void RebuildMonth();
    void RebuildDay();

    const HolidayTable& holidays_;
    const ReminderMap& reminders_;
    const IClock& clock_;
    DescriptionMeasurer measurer_;
    GregorianDate selected_{};
    GregorianDate today_{};
    int hoverDay_ = 0;
    std::uint32_t layoutFlags_ = kLayoutGridExpanded | kLayoutRemindersExpanded;
    std::uint32_t reminderRange_ = ViewDay;
    int monthRows_ = 0;
    MonthDays days_{};
    DayHolidays selectedDayInfo_;
    std::vector<PanelLine> panelLines_;
};
