#include "widget/view/calendar_view.h"

#include <algorithm>
#include <utility>

#include "widget/reminders/reminder_messages.h"

namespace {

GregorianDate TodayOf(const IClock& clock) {
    LocalTime now = ToLocalTime(clock.Now());
    return {now.year, now.month, now.day};
}

// A date the grid can show: the year within the shown years, the month
// within 1-12 and the day within the month, so that the selected day always
// has a record of its own.
GregorianDate ShownDate(GregorianDate date) {
    GregorianDate shown;
    shown.year = ClampShownYear(date.year);
    shown.month = std::clamp(date.month, 1, 12);
    shown.day = std::clamp(date.day, 1, DaysInMonth(shown.year, shown.month));
    return shown;
}

CommandResult Effect(CommandEffect effect) {
    return {effect, 0};
}

}  // namespace

CalendarView::CalendarView(const HolidayTable& holidays, const ReminderMap& reminders, const IClock& clock)
    : holidays_(holidays), reminders_(reminders), clock_(clock) {
    // The view holds a real month from the start; the window selects today
    // again once its measurer is set.
    SelectToday();
}

void CalendarView::SelectDate(GregorianDate date) {
    GregorianDate shown = ShownDate(date);
    bool monthChanges = shown.year != selected_.year || shown.month != selected_.month;
    selected_ = shown;
    if (monthChanges) {
        RebuildMonth();
        // The pointer's day belonged to the month shown before.
        hoverDay_ = 0;
    }
    RebuildDay();
}

void CalendarView::Refresh() {
    RebuildMonth();
    RebuildDay();
}

void CalendarView::SelectToday() {
    today_ = TodayOf(clock_);
    SelectDate(today_);
}

bool CalendarView::CheckRollover() {
    GregorianDate now = TodayOf(clock_);
    if (now == today_) {
        return false;
    }
    today_ = now;
    SelectDate(today_);
    return true;
}

unsigned CalendarView::MillisecondsToNextRolloverCheck() const {
    constexpr int kSecondsPerDay = 24 * 60 * 60;
    constexpr int kLongestWaitSeconds = 60;
    const LocalTime now = ToLocalTime(clock_.Now());
    const int toMidnight = kSecondsPerDay - (now.hour * 3600 + now.minute * 60 + now.second);
    return static_cast<unsigned>(std::clamp(toMidnight, 1, kLongestWaitSeconds)) * 1000;
}

CommandResult CalendarView::OnCommand(std::uint32_t command) {
    if (command >= kDeleteReminderCommandBase) {
        return {CommandEffect::kDeleteReminder, command - kDeleteReminderCommandBase};
    }
    if (command >= kOpenReminderCommandBase) {
        return {CommandEffect::kEditReminder, command - kOpenReminderCommandBase};
    }
    if (command >= kMenuFirstMonth && command <= kMenuLastMonth) {
        SelectDate({selected_.year, static_cast<int>(command - kMenuFirstMonth) + 1, selected_.day});
        return Effect(CommandEffect::kRedraw);
    }
    switch (command) {
        case kCommandCollapseGrid:
            layoutFlags_ &= ~kLayoutGridExpanded;
            return Effect(CommandEffect::kRedraw);
        case kCommandExpandGrid:
            layoutFlags_ |= kLayoutGridExpanded;
            return Effect(CommandEffect::kRedraw);
        case kCommandCollapseReminders:
            layoutFlags_ &= ~kLayoutRemindersExpanded;
            return Effect(CommandEffect::kRedraw);
        case kCommandExpandReminders:
            layoutFlags_ |= kLayoutRemindersExpanded;
            return Effect(CommandEffect::kRedraw);
        case kCommandSettings:
            return Effect(CommandEffect::kShowPreferences);
        case kCommandHide:
            return Effect(CommandEffect::kHide);
        case kCommandToday:
            SelectToday();
            return Effect(CommandEffect::kRedraw);
        case kCommandRangeDay:
            return SetReminderRange(ViewDay);
        case kCommandRangeWeek:
            return SetReminderRange(ViewWeek);
        case kCommandRangeMonth:
            return SetReminderRange(ViewMonth);
        case kCommandNewSchedule:
        case kMenuNewSchedule:
            return Effect(CommandEffect::kNewSchedule);
        case kMenuNewBirthday:
            return Effect(CommandEffect::kNewBirthday);
        case kCommandNewMenu:
            return Effect(CommandEffect::kShowNewMenu);
        case kCommandMonthMenu:
            return Effect(CommandEffect::kShowMonthMenu);
        case kCommandNextYear:
        case kCommandPreviousYear:
            return StepYear(command == kCommandNextYear ? 1 : -1);
        default:
            return Effect(CommandEffect::kNone);
    }
}

bool CalendarView::SetHoverDay(int day) {
    // Only a day of the shown month can be hovered.
    if (day < 1 || day > static_cast<int>(days_.size()) || days_[day - 1].valid == 0) {
        day = 0;
    }
    if (day == hoverDay_) {
        return false;
    }
    hoverDay_ = day;
    return true;
}

void CalendarView::SetDescriptionMeasurer(DescriptionMeasurer measurer) {
    measurer_ = std::move(measurer);
    RebuildDay();
}

const std::string& CalendarView::InformationLine() const {
    int day = hoverDay_ != 0 ? hoverDay_ : selected_.day;
    return days_[day - 1].text;
}

bool CalendarView::ShowsHolidayEntries(bool showHolidayDetails) const {
    return showHolidayDetails && (days_[selected_.day - 1].marks & kMarkHoliday) != 0;
}

CommandResult CalendarView::SetReminderRange(std::uint32_t range) {
    reminderRange_ = range;
    panelLines_ = PanelLines(reminders_, selected_, reminderRange_);
    return Effect(CommandEffect::kRedraw);
}

// Year steps stop at the first and last shown years: a press beyond them
// changes nothing.
CommandResult CalendarView::StepYear(int step) {
    int year = selected_.year + step;
    if (year < kFirstShownYear || year > kLastShownYear) {
        return Effect(CommandEffect::kNone);
    }
    SelectDate({year, selected_.month, selected_.day});
    return Effect(CommandEffect::kRedraw);
}

void CalendarView::RebuildMonth() {
    monthRows_ = MonthRows(selected_.year, selected_.month);
    // The reminder marks of the whole month come from one pass over the
    // reminders instead of one per day.
    std::bitset<32> reminderDays = ReminderDaysOfMonth(reminders_, selected_.year, selected_.month);
    days_ = BuildMonth(selected_.year, selected_.month, holidays_, [&reminderDays](GregorianDate day) {
        return reminderDays.test(static_cast<std::size_t>(day.day));
    });
}

void CalendarView::RebuildDay() {
    panelLines_ = PanelLines(reminders_, selected_, reminderRange_);
    holidays_.HolidaysOfDay(selected_, true, measurer_ ? &measurer_ : nullptr, selectedDayInfo_);
}
