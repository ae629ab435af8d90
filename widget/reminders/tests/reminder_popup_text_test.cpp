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
        EXPECT_EQ(PopupTitleLine(item, At(2024, 3, 5, 9, 7)), c.line);
    }
}

// 八月十五 of 2024 (2024-09-17) comes on 2025-10-06; 闰四月初八 of 2020
// (2020-05-30) on 四月初八 of 2021, 2021-05-19.
TEST(ReminderPopup, TitleLineOfYearlyBirthdaysNamesTheLunarDateOfTheAlertedOccurrence) {
    struct Case {
        const char* what;
        std::uint32_t kind;
        Moment start;
        std::int32_t notice;
        Moment alert;
        std::string line;
    };
    const Case cases[] = {
        {"lunar, first day of notice", KindLunarBirthday, At(2024, 9, 17, 23, 59, 59), 3, At(2025, 10, 3, 9, 16),
         "提醒标题：小明生日（农历八月十五）"},
        {"lunar leap month in a year without it", KindLunarBirthday, At(2020, 5, 30, 23, 59, 59), 0,
         At(2021, 5, 19, 0, 1), "提醒标题：小明生日（农历四月初八）"},
        {"lunar, put off past the window: the birth's lunar date", KindLunarBirthday, At(2020, 5, 30, 23, 59, 59), 0,
         At(2021, 5, 20, 0, 5), "提醒标题：小明生日（农历闰四月初八）"},
        {"yearly Gregorian", KindYearlyBirthday, At(2024, 1, 2, 23, 59, 59), 5, At(2024, 12, 28, 8, 0),
         "提醒标题：小明生日"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ReminderItem item{3, "小明", c.start, 0, c.kind, c.notice, "", "", ""};
        EXPECT_EQ(PopupTitleLine(item, c.alert), c.line);
        EXPECT_EQ(PopupTextOf(item, c.alert).titleLine, c.line);
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
