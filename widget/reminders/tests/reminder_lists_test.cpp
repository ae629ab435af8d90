#include "widget/reminders/reminder_lists.h"

#include <gtest/gtest.h>

#include <bitset>
#include <climits>
#include <string>
#include <vector>

#include "widget/reminders/tests/reminder_test_records.h"

#include "common/local_time.h"

namespace {

using reminders_test::At;
using reminders_test::Birthday;
using reminders_test::MapOf;

ReminderItem Schedule(std::uint32_t id, Moment start, std::uint32_t kind = KindOnce, const char* title = "开会") {
    ReminderItem item;
    item.id = id;
    item.title = title;
    item.start = start;
    item.kind = kind;
    return item;
}

std::vector<std::uint32_t> Ids(const std::vector<ReminderItem>& items) {
    std::vector<std::uint32_t> ids;
    for (const ReminderItem& item : items) {
        ids.push_back(item.id);
    }
    return ids;
}

using IdList = std::vector<std::uint32_t>;

TEST(ReminderLists, RangesOfTheThreeViews) {
    struct Case {
        GregorianDate day;
        std::uint32_t viewMode;
        MomentRange range;
    };
    const Case cases[] = {
        {{2024, 5, 1}, ViewDay, {At(2024, 5, 1), At(2024, 5, 1, 23, 59, 59)}},
        // A Wednesday whose Sunday lies in April.
        {{2024, 5, 1}, ViewWeek, {At(2024, 5, 1), At(2024, 5, 4, 23, 59, 59)}},
        // A Tuesday in a month that starts on Monday.
        {{2024, 4, 2}, ViewWeek, {At(2024, 4, 1), At(2024, 4, 6, 23, 59, 59)}},
        // A Tuesday whose Saturday lies in May.
        {{2024, 4, 30}, ViewWeek, {At(2024, 4, 28), At(2024, 4, 30, 23, 59, 59)}},
        // A whole week: Sunday to Saturday.
        {{2024, 5, 15}, ViewWeek, {At(2024, 5, 12), At(2024, 5, 18, 23, 59, 59)}},
        {{2024, 5, 12}, ViewWeek, {At(2024, 5, 12), At(2024, 5, 18, 23, 59, 59)}},
        {{2024, 5, 18}, ViewWeek, {At(2024, 5, 12), At(2024, 5, 18, 23, 59, 59)}},
        {{2024, 5, 17}, ViewMonth, {At(2024, 5, 1), At(2024, 5, 31, 23, 59, 59)}},
        {{2024, 2, 10}, ViewMonth, {At(2024, 2, 1), At(2024, 2, 29, 23, 59, 59)}},
        {{2023, 2, 10}, ViewMonth, {At(2023, 2, 1), At(2023, 2, 28, 23, 59, 59)}},
        // Any other view counts as the day.
        {{2024, 5, 17}, 3, {At(2024, 5, 17), At(2024, 5, 17, 23, 59, 59)}},
        {{2024, 5, 17}, 0xFFFFFFFF, {At(2024, 5, 17), At(2024, 5, 17, 23, 59, 59)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day << " view "
                                        << c.viewMode);
        EXPECT_EQ(RangeOf(c.day, c.viewMode), c.range);
    }
}

TEST(ReminderLists, InRangeByStartThenIdWithoutBirthdays) {
    ReminderMap items = MapOf({
        Schedule(9, At(2024, 5, 1, 8, 0)),
        Schedule(3, At(2024, 5, 1, 8, 0)),
        Schedule(4, At(2024, 5, 1, 7, 30), KindOff),
        Schedule(5, At(2024, 5, 1, 0, 0, 0), KindInterval),
        Schedule(6, At(2024, 5, 1, 23, 59, 59), KindMonthly),
        Schedule(7, At(2024, 4, 30, 23, 59, 59)),
        Schedule(8, At(2024, 5, 2)),
        Birthday(2, {2024, 5, 1}, 0),
        Schedule(1, At(2024, 5, 1, 12, 0), 99),
    });
    // Both ends belong to the range; kinds unknown to the list still count.
    EXPECT_EQ(Ids(CollectInRange(items, RangeOf({2024, 5, 1}, ViewDay))), (IdList{5, 4, 3, 9, 1, 6}));
    EXPECT_TRUE(CollectInRange(items, RangeOf({2024, 5, 3}, ViewDay)).empty());
}

TEST(ReminderLists, RepeatingReminderIsListedWhereItStartsOnly) {
    // Weekly on Tuesdays from Tuesday 5 March 2024.
    ReminderItem weekly = Schedule(1, At(2024, 3, 5, 9, 0), KindWeekly);
    weekly.param = WeekdayMask::kTuesday;
    ReminderMap items = MapOf({weekly});
    struct Case {
        GregorianDate day;
        std::uint32_t viewMode;
        bool listed;
    };
    const Case cases[] = {
        {{2024, 3, 5}, ViewDay, true},    {{2024, 3, 9}, ViewWeek, true},   {{2024, 3, 31}, ViewMonth, true},
        {{2024, 3, 4}, ViewDay, false},   {{2024, 3, 12}, ViewDay, false},  {{2024, 3, 12}, ViewWeek, false},
        {{2024, 4, 2}, ViewMonth, false}, {{2024, 2, 27}, ViewWeek, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.month << "-" << c.day.day << " view " << c.viewMode);
        EXPECT_EQ(PanelLines(items, c.day, c.viewMode).size(), c.listed ? 1u : 0u);
        EXPECT_EQ(HasReminderOnDay(items, c.day), (c.day == GregorianDate{2024, 3, 5}));
    }
}

TEST(ReminderLists, BirthdayIsListedInItsNoticeWindow) {
    ReminderMap items = MapOf({Birthday(1, {2024, 5, 10}, 3)});
    struct Case {
        GregorianDate day;
        bool listed;
    };
    const Case cases[] = {
        {{2024, 5, 6}, false}, {{2024, 5, 7}, true},   {{2024, 5, 8}, true},   {{2024, 5, 9}, true},
        {{2024, 5, 10}, true}, {{2024, 5, 11}, false}, {{2023, 5, 10}, false}, {{2025, 5, 10}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day.day);
        EXPECT_EQ(CollectBirthdays(items, c.day).size(), c.listed ? 1u : 0u);
    }
}

TEST(ReminderLists, BirthdayNoticeAcrossMonthsAndOddNotices) {
    ReminderMap items = MapOf({
        Birthday(5, {2024, 3, 2}, 3),        // window opens in February of a leap year
        Birthday(2, {2024, 3, 2}, 0),        // its day only
        Birthday(3, {2024, 3, 2}, -1),       // a negative notice opens no window
        Birthday(4, {2024, 3, 2}, INT_MAX),  // from any day before
        Birthday(6, {2024, 3, 2}, INT_MIN),  // no overflow into a window
        Schedule(1, At(2024, 3, 2, 10, 0)),  // not a birthday
    });
    EXPECT_EQ(Ids(CollectBirthdays(items, {2024, 2, 28})), (IdList{4, 5}));
    EXPECT_EQ(Ids(CollectBirthdays(items, {2024, 2, 27})), (IdList{4}));
    EXPECT_EQ(Ids(CollectBirthdays(items, {2024, 3, 2})), (IdList{2, 4, 5}));
    EXPECT_EQ(Ids(CollectBirthdays(items, {1971, 1, 1})), (IdList{4}));
    EXPECT_TRUE(CollectBirthdays(items, {2024, 3, 3}).empty());
}

TEST(ReminderLists, ReminderMarkOfADay) {
    ReminderMap items = MapOf({
        Schedule(1, At(2024, 5, 3, 0, 0, 0), KindOff),
        Schedule(2, At(2024, 5, 20, 23, 59, 59), KindMonthly),
        Birthday(3, {2020, 5, 10}, 3),
        Birthday(4, {2024, 2, 29}, 0),
    });
    struct Case {
        GregorianDate day;
        bool marked;
    };
    const Case cases[] = {
        {{2024, 5, 3}, true},  // switched off, still listed on its day
        {{2024, 5, 20}, true},  {{2024, 6, 20}, false},
        {{2023, 5, 20}, false}, {{2024, 5, 10}, true},  // a birthday's month and day in any year
        {{2031, 5, 10}, true},  {{2024, 5, 9}, false},  // not its notice days
        {{2028, 2, 29}, true},  {{2024, 5, 4}, false},
    };
    std::bitset<32> may2024 = ReminderDaysOfMonth(items, 2024, 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day);
        EXPECT_EQ(HasReminderOnDay(items, c.day), c.marked);
        if (c.day.year == 2024 && c.day.month == 5) {
            EXPECT_EQ(may2024.test(static_cast<std::size_t>(c.day.day)), c.marked);
        }
    }
    EXPECT_EQ(may2024.count(), 3u);
}

TEST(ReminderLists, HeadingsAndLineTexts) {
    EXPECT_STREQ(PanelHeading(ViewDay), "当 天 安 排");
    EXPECT_STREQ(PanelHeading(ViewWeek), "本 周 安 排");
    EXPECT_STREQ(PanelHeading(ViewMonth), "本 月 安 排");
    EXPECT_STREQ(PanelHeading(3), "当 天 安 排");

    ReminderItem item = Schedule(1, At(2024, 5, 3, 9, 5), KindOnce, "开会 100%s");
    EXPECT_EQ(ScheduleLineText(item, ViewDay), "09:05 开会 100%s");
    EXPECT_EQ(ScheduleLineText(item, ViewWeek), "03日09:05 开会 100%s");
    EXPECT_EQ(ScheduleLineText(item, ViewMonth), "03日09:05 开会 100%s");
    EXPECT_EQ(ScheduleLineText(item, 7), "09:05 开会 100%s");
    item.kind = KindOff;
    EXPECT_EQ(ScheduleLineText(item, ViewDay), "开会 100%s");
    EXPECT_EQ(ScheduleLineText(item, ViewMonth), "开会 100%s");

    EXPECT_EQ(BirthdayLineText(Birthday(2, {2024, 5, 10}, 3, "小明"), {2024, 5, 10}), "5月10日 小明生日");
    EXPECT_EQ(BirthdayLineText(Birthday(2, {2024, 12, 1}, 3, "%d"), {2024, 12, 1}), "12月1日 %d生日");
}

TEST(ReminderLists, PanelListsBirthdaysOfTheDayThenSchedules) {
    ReminderMap items = MapOf({
        Schedule(1, At(2024, 5, 9, 18, 30), KindOnce, "晚饭"),
        Schedule(2, At(2024, 5, 8, 7, 0), KindOff, "跑步"),
        Schedule(3, At(2024, 5, 20, 9, 0), KindOnce, "出差"),
        Birthday(4, {2024, 5, 10}, 3, "小明"),
        Birthday(5, {2024, 5, 25}, 0, "小红"),
    });
    using Lines = std::vector<PanelLine>;
    EXPECT_EQ(PanelLines(items, {2024, 5, 9}, ViewDay), (Lines{
                                                            {4, true, "5月10日 小明生日"},
                                                            {1, false, "18:30 晚饭"},
                                                        }));
    // The birthdays stay those of the selected day in the wider views.
    EXPECT_EQ(PanelLines(items, {2024, 5, 9}, ViewMonth), (Lines{
                                                              {4, true, "5月10日 小明生日"},
                                                              {2, false, "跑步"},
                                                              {1, false, "09日18:30 晚饭"},
                                                              {3, false, "20日09:00 出差"},
                                                          }));
    // Only a birthday: no schedule line, so the panel shows its empty text.
    EXPECT_EQ(PanelLines(items, {2024, 5, 25}, ViewDay), (Lines{{5, true, "5月25日 小红生日"}}));
    EXPECT_TRUE(PanelLines(items, {2024, 6, 1}, ViewMonth).empty());
    EXPECT_TRUE(PanelLines(ReminderMap{}, {2024, 5, 9}, ViewMonth).empty());
}

// 八月十五 falls on 2024-09-17, 2025-10-06 and 2026-09-25; 闰四月初八 of
// 2020 (2020-05-30) on 四月初八 of 2021, 2021-05-19.
const ReminderMap kYearlyBirthdays = MapOf({
    Birthday(1, {2024, 9, 17}, 3, "小明", KindLunarBirthday),
    Birthday(2, {2024, 1, 2}, 5, "小红", KindYearlyBirthday),
    Birthday(3, {2024, 2, 29}, 0, "小华", KindYearlyBirthday),
    Birthday(4, {2020, 5, 30}, 0, "小李", KindLunarBirthday),
    Birthday(5, {2024, 9, 17}, 0, "老王", KindBirthday),
});

TEST(ReminderLists, YearlyBirthdayLinesShowThisYearsOccurrence) {
    struct Case {
        GregorianDate day;
        std::vector<PanelLine> lines;
    };
    const Case cases[] = {
        {{2024, 9, 17}, {{1, true, "9月17日 小明生日（农历八月十五）"}, {5, true, "9月17日 老王生日"}}},
        {{2025, 10, 3}, {{1, true, "10月6日 小明生日（农历八月十五）"}}},
        {{2025, 9, 17}, {}},
        {{2026, 9, 25}, {{1, true, "9月25日 小明生日（农历八月十五）"}}},
        // The notice crosses the new year.
        {{2024, 12, 28}, {{2, true, "1月2日 小红生日"}}},
        {{2025, 2, 28}, {{3, true, "2月28日 小华生日"}}},
        {{2028, 2, 28}, {}},
        {{2028, 2, 29}, {{3, true, "2月29日 小华生日"}}},
        // The leap month's birthday in a year without it: its lunar date is that of this year.
        {{2021, 5, 19}, {{4, true, "5月19日 小李生日（农历四月初八）"}}},
        {{2020, 5, 30}, {{4, true, "5月30日 小李生日（农历闰四月初八）"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day);
        EXPECT_EQ(PanelLines(kYearlyBirthdays, c.day, ViewMonth), c.lines);
    }
}

TEST(ReminderLists, YearlyBirthdaysAreNoScheduleLinesAndMarkTheirOccurrence) {
    // Their starts lie in these ranges, but birthdays are listed by their windows only.
    EXPECT_TRUE(CollectInRange(kYearlyBirthdays, RangeOf({2024, 9, 17}, ViewMonth)).empty());
    EXPECT_TRUE(CollectInRange(kYearlyBirthdays, RangeOf({2024, 1, 2}, ViewMonth)).empty());

    struct Case {
        int year, month;
        std::vector<int> days;
    };
    const Case cases[] = {
        // Kind 5 keeps its month and day in every year.
        {2024, 9, {17}}, {2025, 9, {17}}, {2025, 10, {6}}, {2026, 9, {17, 25}}, {2025, 1, {2}},
        {2025, 2, {28}}, {2028, 2, {29}}, {2021, 5, {19}}, {2020, 5, {30}},     {2020, 4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
        const std::bitset<32> marks = ReminderDaysOfMonth(kYearlyBirthdays, c.year, c.month);
        std::vector<int> days;
        for (int day = 0; day < 32; ++day) {
            if (marks.test(static_cast<std::size_t>(day))) {
                days.push_back(day);
            }
        }
        EXPECT_EQ(days, c.days);
    }
    EXPECT_TRUE(HasReminderOnDay(kYearlyBirthdays, {2025, 10, 6}));
    EXPECT_FALSE(HasReminderOnDay(kYearlyBirthdays, {2025, 10, 3}));
}

}  // namespace
