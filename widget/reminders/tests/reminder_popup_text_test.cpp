#include "widget/reminders/reminder_popup_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

TEST(ReminderPopup, TimeLineShowsTheAlertWithItsWeekday) {
    struct Case {
        Moment alert;
        std::string line;
    };
    const Case cases[] = {
        {At(2024, 3, 5, 9, 7), "提醒时间：2024年03月05日（星期二） 09:07"},
        {At(2024, 3, 10, 23, 59, 59), "提醒时间：2024年03月10日（星期日） 23:59"},
        {At(2024, 3, 9, 0, 0), "提醒时间：2024年03月09日（星期六） 00:00"},
        {At(2024, 12, 30, 12, 30, 5), "提醒时间：2024年12月30日（星期一） 12:30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(PopupTimeLine(c.alert), c.line);
    }
}

TEST(ReminderPopup, TitleLineMarksBirthdays) {
    struct Case {
        std::uint32_t kind;
        std::string title;
        std::string line;
    };
    const Case cases[] = {
        {KindOnce, "开会", "提醒标题：开会"},
        {KindWeekly, "", "提醒标题："},
        {KindBirthday, "小明", "提醒标题：小明生日"},
        {KindOff, "关", "提醒标题：关"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ReminderItem item;
        item.kind = c.kind;
        item.title = c.title;
        EXPECT_EQ(PopupTitleLine(item), c.line);
    }
}

// The alert comes after the reminder was deleted: the store hands out the
// reset record.
TEST(ReminderPopup, DeletedReminderShowsTheBarePrefixAndNoContent) {
    const Moment alert = At(2024, 3, 5, 9, 7);
    EXPECT_EQ(PopupTextOf(ReminderItem{}, alert),
              (ReminderPopupText{"提醒标题：", "提醒时间：2024年03月05日（星期二） 09:07", ""}));

    const ReminderItem item{3, "开会", At(2024, 3, 4, 8, 0), 0, KindOnce, 0, "三楼", "", ""};
    EXPECT_EQ(PopupTextOf(item, alert),
              (ReminderPopupText{"提醒标题：开会", "提醒时间：2024年03月05日（星期二） 09:07", "三楼"}));
}

}  // namespace
