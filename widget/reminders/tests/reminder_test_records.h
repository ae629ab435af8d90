#pragma once

// Records for the tests of the reminder lists: local moments, birthdays as
// the editor stores them and the store's map of them.

#include <cstdint>
#include <vector>

#include "common/local_time.h"
#include "widget/calendar/gregorian.h"
#include "widget/reminders/reminder_item.h"

namespace reminders_test {

inline Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

// A birthday as the editor stores it: 23:59:59 of the day; kind 5 unless
// another birthday kind is given.
inline ReminderItem Birthday(std::uint32_t id,
                             GregorianDate day,
                             std::int32_t notice,
                             const char* name = "小明",
                             std::uint32_t kind = KindBirthday) {
    ReminderItem item;
    item.id = id;
    item.title = name;
    item.start = At(day.year, day.month, day.day, 23, 59, 59);
    item.kind = kind;
    item.param = notice;
    return item;
}

inline ReminderMap MapOf(const std::vector<ReminderItem>& items) {
    ReminderMap map;
    for (const ReminderItem& item : items) {
        map[item.id] = item;
    }
    return map;
}

}  // namespace reminders_test
