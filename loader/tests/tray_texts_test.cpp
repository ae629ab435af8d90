// The tray icon's texts, day icons and date watch.

#include "loader/tray_texts.h"

#include <gtest/gtest.h>

namespace {

LocalTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    LocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return ToLocalTime(FromLocalTime(time));  // with its weekday
}

TEST(TrayTexts, CurrentTimeLinePadsTheYearAndTheClockOnly) {
    EXPECT_EQ(CurrentTimeText(At(2008, 8, 8, 20, 8, 0)), "当前时间：2008年8月8日 星期五 20:08:00");
    EXPECT_EQ(CurrentTimeText(At(2024, 12, 31, 9, 5, 7)), "当前时间：2024年12月31日 星期二 09:05:07");
}

TEST(TrayTexts, WeekdayNamesStartOnSunday) {
    // 2024-03-03 was a Sunday; the next six days run to Saturday.
    const char* const names[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(WeekdayName(At(2024, 3, 3 + i).weekday), names[i]) << i;
    }
    EXPECT_EQ(WeekdayName(-1), "");
    EXPECT_EQ(WeekdayName(7), "");
}

TEST(TrayTexts, WelcomeTitleRunsNameAndVersionTogether) {
    EXPECT_EQ(WelcomeTitle("泽鲁桌面日历", "V4.0"), "欢迎使用泽鲁桌面日历V4.0");
}

TEST(TrayTexts, DayIconsSkip161) {
    struct Case {
        int day;
        int icon;
    } const cases[] = {{1, 133}, {2, 134}, {15, 147}, {28, 160}, {29, 164}, {30, 162}, {31, 163}, {0, 0}, {32, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(DayIconResource(c.day), c.icon) << c.day;
    }
    for (int day = 1; day <= 31; ++day) {
        EXPECT_NE(DayIconResource(day), 161);
    }
}

TEST(TrayTexts, DateWatchNoticesOnlyANewDate) {
    DateWatch watch(At(2024, 1, 28, 23, 59, 59));
    EXPECT_FALSE(watch.Changed(At(2024, 1, 28, 0, 0, 0)));
    EXPECT_TRUE(watch.Changed(At(2024, 1, 29, 0, 0, 1)));
    EXPECT_FALSE(watch.Changed(At(2024, 1, 29, 0, 0, 3)));
    EXPECT_TRUE(watch.Changed(At(2024, 2, 29)));  // same day number, other month
    EXPECT_TRUE(watch.Changed(At(2025, 2, 28)));
    EXPECT_TRUE(watch.Changed(At(2026, 2, 28)));  // other year only
}

}  // namespace
