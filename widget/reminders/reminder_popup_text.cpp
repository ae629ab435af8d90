#include "widget/reminders/reminder_popup_text.h"

#include <cstdio>

#include "widget/calendar/lunar_converter.h"

std::string PopupTitleLine(const ReminderItem& item) {
    std::string line = "提醒标题：" + item.title;
    if (item.kind == KindBirthday) {
        line += "生日";
    }
    return line;
}

std::string PopupTimeLine(Moment alert) {
    const LocalTime local = ToLocalTime(alert);
    // The widget numbers weekdays from 1 = Sunday, LocalTime from 0.
    const char* weekday = LunarConverter::WeekdayName(local.weekday + 1);
    char line[64];
    std::snprintf(line, sizeof line, "提醒时间：%04d年%02d月%02d日（%s） %02d:%02d", local.year, local.month, local.day,
                  weekday, local.hour, local.minute);
    return line;
}

ReminderPopupText PopupTextOf(const ReminderItem& item, Moment alert) {
    return {PopupTitleLine(item), PopupTimeLine(alert), item.content};
}
