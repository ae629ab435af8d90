#include "widget/reminders/reminder_popup_text.h"

#include <cstdio>

#include "widget/calendar/lunar_converter.h"
#include "widget/reminders/birthday_dates.h"

// An alert put off past the end of the notice window (a snooze across
// midnight) has no occurrence on its day; the birth date's lunar date, the
// one the user entered, stands in.
std::string PopupTitleLine(const ReminderItem& item, Moment alert) {
    std::string line = "提醒标题：" + item.title;
    if (IsBirthdayKind(item.kind)) {
        const LocalTime local = ToLocalTime(alert);
        const GregorianDate occurrence =
            BirthdayOccurrenceOn(item, {local.year, local.month, local.day}).value_or(BirthDateOf(item));
        line += "生日" + LunarBirthdayNote(item, occurrence);
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
    return {PopupTitleLine(item, alert), PopupTimeLine(alert), item.content};
}
