#pragma once

// The tray icon's texts and pictures: the welcome balloon, the date line,
// the weekday names and the day-of-month icons, and the watch that notices
// when the date has changed.

#include <string>
#include <string_view>

#include "common/local_time.h"

// "星期日" ... "星期六" for weekday 0 (Sunday) to 6; empty outside.
std::string_view WeekdayName(int weekday);

// "当前时间：2008年8月8日 星期五 20:08:00" (the welcome balloon's text).
std::string CurrentTimeText(const LocalTime& now);

// "欢迎使用" followed by the product name and version.
std::string WelcomeTitle(std::string_view productName, std::string_view productVersion);

// The icon resource showing day `day` of the month (1-31): 133-160 for days
// 1-28, then 164 for 29, 162 for 30 and 163 for 31 (there is no icon 161).
// 0 outside 1-31.
int DayIconResource(int day);

// Remembers a date and tells when another one has come.
class DateWatch {
public:
    explicit DateWatch(const LocalTime& today) { Remember(today); }

    // True (and `now`'s date remembered) when its year, month or day differ
    // from the remembered date.
    bool Changed(const LocalTime& now);

private:
    void Remember(const LocalTime& date);

    int year_ = 0;
    int month_ = 0;
    int day_ = 0;
};
