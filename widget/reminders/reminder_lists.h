#pragma once

// Which reminders the calendar window's panel lists for a selected day, in
// what order and with which texts. Schedule reminders are listed by their
// start only (a repeating reminder appears where it starts); birthdays of
// every kind in the days of the advance notice of their occurrence.

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"
#include "widget/reminders/reminder_item.h"

// The panel's range: the selected day, its week (never leaving its month) or
// its month. Any other value counts as the day.
enum ViewMode : std::uint32_t { ViewDay = 0, ViewWeek = 1, ViewMonth = 2 };

struct MomentRange {
    Moment from = 0;  // included
    Moment to = 0;    // included

    friend bool operator==(const MomentRange&, const MomentRange&) = default;
};

MomentRange RangeOf(GregorianDate day, std::uint32_t viewMode);

// Every reminder but birthdays (of any kind) whose start lies in the range,
// by start and then id.
std::vector<ReminderItem> CollectInRange(const ReminderMap& items, MomentRange range);
// Every birthday with an occurrence whose notice window (param days before
// it up to the day itself) holds `day`, by id.
std::vector<ReminderItem> CollectBirthdays(const ReminderMap& items, GregorianDate day);
// Whether the day's grid cell carries the reminder mark: a schedule reminder
// starts on it, or a birthday falls on it (BirthdayOccurrenceInMonth).
bool HasReminderOnDay(const ReminderMap& items, GregorianDate day);
// The same test for every day of a month at once: bit d for day d.
std::bitset<32> ReminderDaysOfMonth(const ReminderMap& items, int year, int month);

// "当 天 安 排", "本 周 安 排" or "本 月 安 排".
const char* PanelHeading(std::uint32_t viewMode);
// "%d月%d日 %s生日" with the month and day of `occurrence`; a lunar
// birthday's ends in its lunar date, "（农历八月十五）".
std::string BirthdayLineText(const ReminderItem& item, GregorianDate occurrence);
// The title alone for a switched-off reminder; else its start ("%H:%M " in
// the day view, "%d日%H:%M " otherwise) and title.
std::string ScheduleLineText(const ReminderItem& item, std::uint32_t viewMode);
// Shown when no schedule line is listed, in every view.
inline constexpr char kEmptyScheduleText[] = "<当天日程提醒为空>";

struct PanelLine {
    std::uint32_t id = 0;
    bool birthday = false;
    std::string text;

    friend bool operator==(const PanelLine&, const PanelLine&) = default;
};

// Birthday lines, then schedule lines, for the selected day and view.
std::vector<PanelLine> PanelLines(const ReminderMap& items, GregorianDate day, std::uint32_t viewMode);
