#pragma once

// The texts of the pop-up that alerts a due reminder. All texts are GBK.

#include <string>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"

struct ReminderPopupText {
    std::string titleLine;  // "提醒标题：" and the title, "生日" after a birthday's
    std::string timeLine;   // "提醒时间：2024年03月05日（星期二） 09:07"
    std::string content;

    friend bool operator==(const ReminderPopupText&, const ReminderPopupText&) = default;
};

// "提醒标题：" followed by the title; a birthday reminder's (of any kind) ends
// in "生日", a lunar birthday's in "生日（农历八月十五）", the lunar date of the
// occurrence whose notice window holds the day of `alert`.
std::string PopupTitleLine(const ReminderItem& item, Moment alert);

// "提醒时间：" and the local date, weekday and time of day of `alert`.
std::string PopupTimeLine(Moment alert);

// The pop-up of `item` alerted at `alert` (the moment of the alert, not the
// reminder's start). A reminder deleted before its alert arrives as the
// reset record and shows the bare title prefix and no content.
ReminderPopupText PopupTextOf(const ReminderItem& item, Moment alert);
