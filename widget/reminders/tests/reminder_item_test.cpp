#include "widget/reminders/reminder_item.h"

#include <gtest/gtest.h>

#include <string>

#include "common/local_time.h"

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

TEST(ReminderItem, KindAndStatusTexts) {
    struct Case {
        std::uint32_t kind;
        std::string kindText;
        std::string statusText;
    };
    const Case cases[] = {
        {KindOff, "", "关闭"},
        {KindOnce, "只提醒一次", "打开"},
        {KindInterval, "间隔提醒", "打开"},
        {KindWeekly, "周提醒", "打开"},
        {KindMonthly, "月提醒", "打开"},
        {KindBirthday, "生日提醒", "打开"},
        {KindYearlyBirthday, "每年生日", "打开"},
        {KindLunarBirthday, "农历生日", "打开"},
        {8, "", "打开"},
        {0xFFFFFFFF, "", "打开"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(ReminderKindText(c.kind), c.kindText);
        EXPECT_EQ(ReminderStatusText(c.kind), c.statusText);
    }
}

TEST(ReminderItem, BirthdayKindsAreFiveSixAndSevenOnly) {
    for (std::uint32_t kind : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(IsBirthdayKind(kind), kind >= 5 && kind <= 7);
        EXPECT_EQ(IsYearlyBirthdayKind(kind), kind == 6 || kind == 7);
    }
}

TEST(ReminderItem, ResetRestoresAFreshRecord) {
    ReminderItem item{7, "t", 100, 30, KindInterval, 30, "c", "p", "s"};
    ResetReminder(item);
    EXPECT_EQ(item, (ReminderItem{0, "", 0, 0, KindOnce, 0, "", "", ""}));
}

TEST(WeekdayMask, OneDigitPerWeekdayMondayLowest) {
    // 0 = Sunday ... 6 = Saturday, as LocalTime counts.
    const std::int32_t expected[] = {0x1000000, 0x1, 0x10, 0x100, 0x1000, 0x10000, 0x100000};
    for (int weekday = 0; weekday < 7; ++weekday) {
        EXPECT_EQ(WeekdayMask::OfWeekday(weekday), expected[weekday]) << weekday;
    }
    EXPECT_EQ(WeekdayMask::OfWeekday(7), 0);
    EXPECT_EQ(WeekdayMask::OfWeekday(-1), 0);

    // 0x1000001 is Monday and Sunday, nothing else.
    for (int weekday = 0; weekday < 7; ++weekday) {
        EXPECT_EQ((0x1000001 & WeekdayMask::OfWeekday(weekday)) != 0, weekday == 0 || weekday == 1) << weekday;
    }
}

TEST(IntervalEntry, WholeHoursAreShownAsHoursEverythingElseAsMinutes) {
    struct Case {
        std::int32_t param;
        IntervalEntry entry;
    };
    const Case cases[] = {
        {120, {2, IntervalUnit::kHours}},   {90, {90, IntervalUnit::kMinutes}}, {60, {1, IntervalUnit::kHours}},
        {59, {59, IntervalUnit::kMinutes}}, {1380, {23, IntervalUnit::kHours}}, {1, {1, IntervalUnit::kMinutes}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.param);
        EXPECT_EQ(IntervalEntryOf(c.param), c.entry);
        EXPECT_EQ(IntervalParamOf(c.entry), c.param);
    }
    EXPECT_EQ(IntervalParamOf({2000000000, IntervalUnit::kHours}), 2147483647);
}

TEST(IntervalEntry, EditorAcceptsOneToFiftyNineMinutesOrOneToTwentyThreeHours) {
    const std::string minutesError = "请输入一个1和59之间的数字";
    const std::string hoursError = "请输入一个1和23之间的数字";
    struct Case {
        IntervalEntry entry;
        const char* error;
    };
    const Case cases[] = {
        {{0, IntervalUnit::kMinutes}, minutesError.c_str()},
        {{1, IntervalUnit::kMinutes}, nullptr},
        {{59, IntervalUnit::kMinutes}, nullptr},
        {{60, IntervalUnit::kMinutes}, minutesError.c_str()},
        {{-5, IntervalUnit::kMinutes}, minutesError.c_str()},
        {{0, IntervalUnit::kHours}, hoursError.c_str()},
        {{1, IntervalUnit::kHours}, nullptr},
        {{23, IntervalUnit::kHours}, nullptr},
        {{24, IntervalUnit::kHours}, hoursError.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.number);
        const char* error = IntervalEntryError(c.entry);
        if (c.error == nullptr) {
            EXPECT_EQ(error, nullptr);
        } else {
            ASSERT_NE(error, nullptr);
            EXPECT_EQ(std::string(error), c.error);
        }
    }
}

TEST(ReminderItem, NewScheduleReminderStartsNowWithPlaceholders) {
    const Moment now = At(2024, 3, 5, 9, 7, 42);
    EXPECT_EQ(NewScheduleReminder(now), (ReminderItem{0, "请输入标题", now, 0, KindOnce, 0, "请输入详细内容", "", ""}));
}

TEST(ReminderItem, NewBirthdayReminderIsNoonOfTheSelectedDay) {
    const Moment in2024 = At(2024, 3, 5, 9, 7, 42);
    const Moment in2023 = At(2023, 6, 1);
    struct Case {
        GregorianDate selected;
        Moment now;
        Moment start;
    };
    const Case cases[] = {
        {{2025, 5, 10}, in2024, At(2025, 5, 10, 12)},
        {{1970, 1, 1}, in2024, At(1970, 1, 1, 12)},
        {{2037, 12, 31}, in2024, At(2037, 12, 31, 12)},
        // Years a moment cannot hold take the current year.
        {{1969, 12, 31}, in2024, At(2024, 12, 31, 12)},
        {{2038, 1, 19}, in2024, At(2024, 1, 19, 12)},
        {{2048, 2, 29}, in2024, At(2024, 2, 29, 12)},
        // A leap day carried into a common year stays in February.
        {{1904, 2, 29}, in2023, At(2023, 2, 28, 12)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected.year << "-" << c.selected.month << "-" << c.selected.day);
        EXPECT_EQ(NewBirthdayReminder(c.selected, c.now),
                  (ReminderItem{0, "请输入好友姓名", c.start, 0, KindBirthday, 1, "请输入详细内容", "", ""}));
    }
}

}  // namespace
