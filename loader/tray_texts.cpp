#include "loader/tray_texts.h"

#include <array>
#include <cstdio>

namespace {

// Indexed by weekday, 0 = Sunday.
constexpr std::array<std::string_view, 7> kWeekdayNames = {"星期日", "星期一", "星期二", "星期三",
                                                           "星期四", "星期五", "星期六"};

// Indexed by day of month - 1. Day 29 has icon 164: 161 is not an icon.
constexpr std::array<int, 31> kDayIcons = {133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143,
                                           144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154,
                                           155, 156, 157, 158, 159, 160, 164, 162, 163};

}  // namespace

std::string_view WeekdayName(int weekday) {
    if (weekday < 0 || weekday >= static_cast<int>(kWeekdayNames.size())) {
        return {};
    }
    return kWeekdayNames[static_cast<std::size_t>(weekday)];
}

std::string CurrentTimeText(const LocalTime& now) {
    std::string weekday(WeekdayName(now.weekday));
    char text[128];
    std::snprintf(text, sizeof text, "当前时间：%04d年%d月%d日 %s %02d:%02d:%02d", now.year, now.month, now.day,
                  weekday.c_str(), now.hour, now.minute, now.second);
    return text;
}

std::string WelcomeTitle(std::string_view productName, std::string_view productVersion) {
    std::string title = "欢迎使用";
    title.append(productName);
    title.append(productVersion);
    return title;
}

int DayIconResource(int day) {
    if (day < 1 || day > static_cast<int>(kDayIcons.size())) {
        return 0;
    }
    return kDayIcons[static_cast<std::size_t>(day - 1)];
}

bool DateWatch::Changed(const LocalTime& now) {
    if (now.year == year_ && now.month == month_ && now.day == day_) {
        return false;
    }
    Remember(now);
    return true;
}

void DateWatch::Remember(const LocalTime& date) {
    year_ = date.year;
    month_ = date.month;
    day_ = date.day;
}
