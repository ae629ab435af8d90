#include "widget/planner/reminder_planner_model.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "widget/calendar/lunar_converter.h"
#include "widget/calendar/month_model.h"
#include "widget/reminders/birthday_dates.h"
#include "widget/reminders/reminder_lists.h"

namespace {

GregorianDate DateOf(Moment moment) {
    LocalTime local = ToLocalTime(moment);
    return {local.year, local.month, local.day};
}

bool ListsReminders(const PlannerItem& item) {
    return item.kind != PlannerItemKind::kHoliday;
}

void AppendHolidays(const HolidayTable& holidays, GregorianDate day, std::vector<PlannerItem>& items) {
    DayHolidays found;
    holidays.HolidaysOfDay(day, false, nullptr, found);
    for (const HolidayEntry& entry : found.entries) {
        items.push_back({PlannerItemKind::kHoliday, 0, entry.title, kPlannerHolidayColour});
    }
}

void AppendSchedules(const ReminderMap& reminders, GregorianDate day, std::vector<PlannerItem>& items) {
    const MomentRange range = RangeOf(day, ViewDay);
    // Before and after the moments' span the range is clamped to its first or
    // last second, which belongs to another day: such a day starts nothing.
    if (DateOf(range.from) != day) {
        return;
    }
    for (const ReminderItem& item : CollectInRange(reminders, range)) {
        items.push_back({PlannerItemKind::kSchedule, item.id, ScheduleLineText(item, ViewDay), kPlannerScheduleColour});
    }
}

bool InMonth(GregorianDate day, int year, int month) {
    return day.year == year && day.month == month;
}

}  // namespace

std::vector<PlannerItem> CellItems(const ReminderMap& reminders, const HolidayTable& holidays, GregorianDate day) {
    std::vector<PlannerItem> items;
    AppendHolidays(holidays, day, items);
    for (const ReminderItem& item : CollectBirthdays(reminders, day)) {
        items.push_back({PlannerItemKind::kBirthday, item.id, item.title + "生日", kPlannerBirthdayColour});
    }
    AppendSchedules(reminders, day, items);
    return items;
}

void FillCellItems(PlannerGrid& grid, const ReminderMap& reminders, const HolidayTable& holidays) {
    for (PlannerCell& cell : grid.cells()) {
        cell.items = CellItems(reminders, holidays, cell.date);
    }
}

std::string PlannerHeading(std::optional<GregorianDate> selected, int year, int month) {
    char text[64];
    if (selected) {
        const char* weekday = LunarConverter::WeekdayName(WeekdayOf(selected->year, selected->month, selected->day));
        std::snprintf(text, sizeof text, "%04d年%02d月%02d日 %s", selected->year, selected->month, selected->day,
                      weekday);
    } else {
        std::snprintf(text, sizeof text, "%04d年%02d月", year, month);
    }
    return text;
}

// A birthday's row shows the occurrence the cell lists it for; a cell
// outside its windows (never one the grid filled) shows the birth date.
DetailRow DetailRowOf(const ReminderItem& item, GregorianDate cellDay) {
    const bool birthday = IsBirthdayKind(item.kind);
    char startText[32];
    if (birthday) {
        const GregorianDate date = BirthdayOccurrenceOn(item, cellDay).value_or(BirthDateOf(item));
        std::snprintf(startText, sizeof startText, "%04d-%02d-%02d", date.year, date.month, date.day);
    } else {
        const LocalTime start = ToLocalTime(item.start);
        std::snprintf(startText, sizeof startText, "%04d-%02d-%02d %02d:%02d", start.year, start.month, start.day,
                      start.hour, start.minute);
    }
    DetailRow row;
    row.reminderId = item.id;
    row.birthday = birthday;
    row.image = birthday ? kDetailBirthdayImage : kDetailScheduleImage;
    row.texts = {startText,    ReminderKindText(item.kind),   item.title,
                 item.content, ReminderStatusText(item.kind), item.program,
                 item.sound};
    return row;
}

std::vector<DetailRow> DetailRows(const PlannerCell& cell, const ReminderMap& reminders) {
    std::vector<DetailRow> rows;
    for (const PlannerItem& item : cell.items) {
        if (!ListsReminders(item)) {
            continue;
        }
        auto found = reminders.find(item.reminderId);
        if (found != reminders.end()) {
            rows.push_back(DetailRowOf(found->second, cell.date));
        }
    }
    return rows;
}

std::vector<std::uint32_t> DayReminderIds(const PlannerCell& cell) {
    std::vector<std::uint32_t> ids;
    for (const PlannerItem& item : cell.items) {
        if (ListsReminders(item)) {
            ids.push_back(item.reminderId);
        }
    }
    return ids;
}

std::vector<std::uint32_t> MonthReminderIds(const PlannerGrid& grid) {
    std::vector<std::uint32_t> ids;
    // A birthday with days of notice is listed in several cells.
    std::set<std::uint32_t> seen;
    for (const PlannerCell& cell : grid.cells()) {
        if (!cell.inShownMonth) {
            continue;
        }
        for (std::uint32_t id : DayReminderIds(cell)) {
            if (seen.insert(id).second) {
                ids.push_back(id);
            }
        }
    }
    return ids;
}

std::string DeleteDayQuestion(GregorianDate day) {
    char text[128];
    std::snprintf(text, sizeof text, "真的要删除当天（%d年%d月%d日）所有的日程提醒吗？", day.year, day.month, day.day);
    return text;
}

std::string DeleteMonthQuestion(int year, int month) {
    char text[128];
    std::snprintf(text, sizeof text, "真的要删除本月（%d年%d月）所有的日程提醒吗？", year, month);
    return text;
}

DetailMenuState DetailMenuStateOf(bool rowSelected, const PlannerCell* selectedCell, int year, int month) {
    DetailMenuState state;
    state.deleteRow = rowSelected;
    if (selectedCell != nullptr) {
        state.deleteDay = std::any_of(selectedCell->items.begin(), selectedCell->items.end(), ListsReminders);
        state.deleteMonth = InMonth(selectedCell->date, year, month);
    }
    return state;
}

PlannerNavigation::PlannerNavigation(GregorianDate today) : year_(today.year), month_(today.month), selected_(today) {}

GregorianDate PlannerNavigation::ShownDate() const {
    if (remembered_) {
        return remembered_->today;
    }
    // A selected day of a neighbouring month must not move the grid to it.
    if (selected_ && InMonth(*selected_, year_, month_)) {
        return *selected_;
    }
    return {year_, month_, 1};
}

bool PlannerNavigation::NextMonth(GregorianDate today) {
    return StepMonth(1, today);
}

bool PlannerNavigation::PreviousMonth(GregorianDate today) {
    return StepMonth(-1, today);
}

bool PlannerNavigation::StepMonth(int step, GregorianDate today) {
    if (inTodayView()) {
        return false;
    }
    const int months = year_ * 12 + (month_ - 1) + step;
    const int year = months / 12;
    if (year < kFirstShownYear || year > kLastShownYear) {
        return false;
    }
    year_ = year;
    month_ = months % 12 + 1;
    if (InMonth(today, year_, month_)) {
        selected_ = today;
    } else {
        selected_.reset();
    }
    return true;
}

void PlannerNavigation::Select(GregorianDate day) {
    selected_ = day;
}

bool PlannerNavigation::ShowToday(GregorianDate today) {
    if (inTodayView()) {
        return false;
    }
    remembered_ = Remembered{year_, month_, selected_, today};
    year_ = today.year;
    month_ = today.month;
    selected_ = today;
    return true;
}

bool PlannerNavigation::Back() {
    if (!inTodayView()) {
        return false;
    }
    year_ = remembered_->year;
    month_ = remembered_->month;
    selected_ = remembered_->selected;
    remembered_.reset();
    return true;
}

ReminderItem NewScheduleReminderOn(GregorianDate day, Moment now) {
    ReminderItem item = NewScheduleReminder(now);
    const LocalTime time = ToLocalTime(now);
    const Moment start = FromLocalTime({day.year, day.month, day.day, time.hour, time.minute, time.second});
    // A day beyond what a moment holds would be clamped to another day; the
    // record then keeps now, as the editor's own "new" command does.
    if (DateOf(start) == day) {
        item.start = start;
    }
    return item;
}

PlannerRect PlannerWindowRect(const PlannerRect& workArea) {
    const int width = workArea.width;
    const int height = workArea.height;
    return {workArea.x + width / 2 - width * 4 / 10, workArea.y + height / 2 - height * 4 / 10, width * 4 / 5,
            height * 4 / 5};
}
