#pragma once

// The days a birthday reminder falls on. A birthday (kind 5) belongs to one
// date including its year; a yearly birthday (kind 6) comes on the same month
// and day every year, a lunar one (kind 7) on the same lunar month and day
// every lunar year. Everything is worked out on calendar dates, never on
// moments: a moment holds only 1901-2038, and the Windows C runtime makes
// none before 1970. Texts are GBK.

#include <optional>
#include <string>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/lunar_converter.h"
#include "widget/reminders/reminder_item.h"

// The birth date: the local date of `start`. For a yearly kind its year is
// only the year the user picked.
GregorianDate BirthDateOf(const ReminderItem& item);

// The day of a yearly birthday in `year`: the same month and day, 29
// February on 28 February in a common year.
GregorianDate YearlyBirthdayIn(GregorianDate birth, int year);

// The day of a lunar birthday in lunar year `lunarYear`: the same lunar
// month and day. None when the lunar year lies outside the tables.
std::optional<GregorianDate> LunarBirthdayIn(LunarDate birth, int lunarYear);

// The occurrence of a birthday whose notice window (`param` days before it up
// to the day itself) holds `day`; of several, the nearest on or after `day`.
// None for any other kind and for a day outside every window. Kind 5 has one
// occurrence only, its birth date.
std::optional<GregorianDate> BirthdayOccurrenceOn(const ReminderItem& item, GregorianDate day);

// The day a birthday is marked on in a month of the calendar: kind 5 on its
// day whenever the month is its own (in any year, the day as stored), kinds
// 6 and 7 on their occurrence when it falls in that month.
std::optional<GregorianDate> BirthdayOccurrenceInMonth(const ReminderItem& item, int year, int month);

// "八月十五", "闰四月初八": the lunar month and day of a Gregorian day; empty
// outside the tables.
std::string LunarDateName(GregorianDate day);

// What follows "生日" in a lunar birthday's texts: "（农历八月十五）", the
// lunar date of `occurrence`. Empty for every other kind.
std::string LunarBirthdayNote(const ReminderItem& item, GregorianDate occurrence);
