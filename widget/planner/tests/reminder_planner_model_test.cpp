#include "widget/planner/reminder_planner_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "widget/reminders/tests/reminder_test_records.h"

namespace {

using reminders_test::At;
using reminders_test::Birthday;
using reminders_test::MapOf;

using ::testing::UnorderedElementsAre;

ReminderItem Schedule(std::uint32_t id, Moment start, const char* title, std::uint32_t kind = KindOnce) {
    ReminderItem item;
    item.id = id;
    item.title = title;
    item.start = start;
    item.kind = kind;
    return item;
}

HolidayTable Holidays(const char* text) {
    HolidayTable table;
    table.Parse(text);
    return table;
}

bool Lists(const std::vector<PlannerItem>& items, std::uint32_t id) {
    for (const PlannerItem& item : items) {
        if (item.reminderId == id) {
            return true;
        }
    }
    return false;
}

// The dates of the grid's cells that list a reminder.
std::vector<GregorianDate> DaysListing(const PlannerGrid& grid, std::uint32_t id) {
    std::vector<GregorianDate> days;
    for (const PlannerCell& cell : grid.cells()) {
        if (Lists(cell.items, id)) {
            days.push_back(cell.date);
        }
    }
    return days;
}

constexpr PlannerRgb kHolidayRgb{255, 148, 132};
constexpr PlannerRgb kBirthdayRgb{34, 105, 114};
constexpr PlannerRgb kScheduleRgb{179, 242, 138};

// 1 October 2024 with a holiday, a birthday two days ahead with two days of
// notice, and reminders at both ends of the day and in between.
const HolidayTable kOctoberHolidays = Holidays("NORMAL,10,1,1949,国庆节\n中华人民共和国成立纪念日\n");
const ReminderMap kOctoberReminders = MapOf({
    Schedule(2, At(2024, 10, 1, 23, 59, 59), "看书"),
    Schedule(3, At(2024, 10, 1, 0, 0, 0), "晨跑", KindWeekly),
    Schedule(4, At(2024, 10, 1, 12, 0, 0), "旧事", KindOff),
    Birthday(5, {2024, 10, 3}, 2, "小明"),
    Schedule(6, At(2024, 10, 2, 0, 0, 0), "明天"),
    Birthday(8, {2024, 10, 3}, 1, "小红"),
    Schedule(9, At(2024, 9, 30, 23, 59, 59), "昨天"),
});

TEST(CellItems, HolidaysThenBirthdaysThenRemindersByStartInTheirColours) {
    const std::vector<PlannerItem> expected = {
        {PlannerItemKind::kHoliday, 0, "国庆节", kHolidayRgb},
        {PlannerItemKind::kBirthday, 5, "小明生日", kBirthdayRgb},
        {PlannerItemKind::kSchedule, 3, "00:00 晨跑", kScheduleRgb},
        // A switched-off reminder shows its title alone.
        {PlannerItemKind::kSchedule, 4, "旧事", kScheduleRgb},
        {PlannerItemKind::kSchedule, 2, "23:59 看书", kScheduleRgb},
    };
    EXPECT_EQ(CellItems(kOctoberReminders, kOctoberHolidays, {2024, 10, 1}), expected);
}

TEST(CellItems, ABirthdayIsListedFromItsFirstDayOfNoticeToItsDate) {
    const ReminderMap reminders = MapOf({Birthday(1, {2024, 5, 10}, 3, "阿姨")});
    struct Case {
        GregorianDate day;
        bool listed;
    };
    const Case cases[] = {
        {{2024, 5, 6}, false}, {{2024, 5, 7}, true},   {{2024, 5, 8}, true},
        {{2024, 5, 10}, true}, {{2024, 5, 11}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day);
        EXPECT_EQ(Lists(CellItems(reminders, HolidayTable{}, c.day), 1), c.listed);
    }
}

TEST(CellItems, DaysBeyondTheMomentsSpanListNoReminder) {
    // Such a day's range is clamped to the first or last moment; a reminder
    // stored at that moment belongs to one day only.
    const ReminderMap reminders = MapOf({Schedule(1, INT_MIN, "最早"), Schedule(2, INT_MAX, "最晚")});
    for (GregorianDate day : {GregorianDate{1900, 1, 1}, GregorianDate{1901, 6, 1}, GregorianDate{2038, 1, 20},
                              GregorianDate{2050, 12, 31}}) {
        EXPECT_TRUE(CellItems(reminders, HolidayTable{}, day).empty()) << day.year << "-" << day.month;
    }
}

TEST(FillCellItems, AWeeklyReminderIsListedOnItsStartDayOnly) {
    ReminderMap reminders = MapOf({Schedule(1, At(2024, 3, 5, 9, 30), "周会", KindWeekly)});
    PlannerGrid grid;
    grid.SetShownDate({2024, 3, 1}, kPlannerMonthMode, false);

    FillCellItems(grid, reminders, HolidayTable{});
    EXPECT_EQ(DaysListing(grid, 1), (std::vector<GregorianDate>{{2024, 3, 5}}));

    // Filling again after a delete leaves nothing of the earlier fill.
    reminders.clear();
    FillCellItems(grid, reminders, HolidayTable{});
    EXPECT_TRUE(DaysListing(grid, 1).empty());
}

TEST(PlannerHeading, SelectedDayWithWeekdayElseTheMonth) {
    struct Case {
        std::optional<GregorianDate> selected;
        int year;
        int month;
        const char* heading;
    };
    const Case cases[] = {
        {GregorianDate{2024, 3, 5}, 2024, 3, "2024年03月05日 星期二"},
        {GregorianDate{2024, 3, 10}, 2024, 3, "2024年03月10日 星期日"},
        // A selected day of the neighbouring month is what the heading names.
        {GregorianDate{2023, 12, 30}, 2024, 1, "2023年12月30日 星期六"},
        {std::nullopt, 2024, 3, "2024年03月"},
        {std::nullopt, 1900, 12, "1900年12月"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlannerHeading(c.selected, c.year, c.month), c.heading);
    }
}

TEST(DetailRowOf, TextsOfEachKindOfReminder) {
    ReminderItem birthday = Birthday(5, {2024, 10, 3}, 2, "小明");
    birthday.content = "买蛋糕";
    ReminderItem off = Schedule(4, At(2024, 10, 1, 12, 7, 45), "旧事", KindOff);
    off.program = "C:\\tools\\run.exe";
    off.sound = "D:\\ring.wav";
    ReminderItem weekly = Schedule(3, At(2024, 10, 1, 0, 0, 0), "晨跑", KindWeekly);
    weekly.content = "公园";

    struct Case {
        ReminderItem item;
        DetailRow row;
    };
    const Case cases[] = {
        {birthday, {5, true, 1, {"2024-10-03", "生日提醒", "小明", "买蛋糕", "打开", "", ""}}},
        {off, {4, false, 2, {"2024-10-01 12:07", "", "旧事", "", "关闭", "C:\\tools\\run.exe", "D:\\ring.wav"}}},
        {weekly, {3, false, 2, {"2024-10-01 00:00", "周提醒", "晨跑", "公园", "打开", "", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.id);
        EXPECT_EQ(DetailRowOf(c.item, {2024, 10, 1}), c.row);
    }
}

// 八月十五 falls on 2025-10-06; 3 October 2024 is a yearly birthday.
TEST(FillCellItems, YearlyBirthdaysAreListedInTheWindowsOfThisYearsOccurrence) {
    const ReminderMap reminders = MapOf({
        Birthday(1, {2024, 9, 17}, 1, "小明", KindLunarBirthday),
        Birthday(2, {2024, 10, 3}, 0, "小红", KindYearlyBirthday),
        Birthday(3, {2024, 10, 3}, 0, "小华"),
    });
    PlannerGrid grid;
    grid.SetShownDate({2025, 10, 1}, kPlannerMonthMode, false);
    FillCellItems(grid, reminders, HolidayTable{});

    EXPECT_EQ(DaysListing(grid, 1), (std::vector<GregorianDate>{{2025, 10, 5}, {2025, 10, 6}}));
    EXPECT_EQ(DaysListing(grid, 2), (std::vector<GregorianDate>{{2025, 10, 3}}));
    EXPECT_TRUE(DaysListing(grid, 3).empty());

    for (const PlannerCell& cell : grid.cells()) {
        if (cell.date == GregorianDate{2025, 10, 5}) {
            EXPECT_EQ(cell.items,
                      (std::vector<PlannerItem>{{PlannerItemKind::kBirthday, 1, "小明生日", kBirthdayRgb}}));
            EXPECT_EQ(DetailRows(cell, reminders),
                      (std::vector<DetailRow>{{1, true, 1, {"2025-10-06", "农历生日", "小明", "", "打开", "", ""}}}));
        }
    }
}

TEST(DetailRowOf, BirthdaysShowTheOccurrenceOfTheCell) {
    const ReminderItem lunar = Birthday(1, {2024, 9, 17}, 3, "小明", KindLunarBirthday);
    const ReminderItem yearly = Birthday(2, {2024, 1, 2}, 5, "小红", KindYearlyBirthday);
    const ReminderItem once = Birthday(3, {2024, 1, 2}, 5, "小华");
    struct Case {
        const char* what;
        ReminderItem item;
        GregorianDate cellDay;
        std::string date;
        std::string type;
    };
    const Case cases[] = {
        {"lunar, 2025", lunar, {2025, 10, 4}, "2025-10-06", "农历生日"},
        {"lunar, 2026", lunar, {2026, 9, 25}, "2026-09-25", "农历生日"},
        {"yearly, across the new year", yearly, {2024, 12, 29}, "2025-01-02", "每年生日"},
        {"once-only keeps its year", once, {2023, 12, 29}, "2024-01-02", "生日提醒"},
        {"a day outside every window shows the birth date", lunar, {2025, 1, 1}, "2024-09-17", "农历生日"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DetailRow row = DetailRowOf(c.item, c.cellDay);
        EXPECT_TRUE(row.birthday);
        EXPECT_EQ(row.image, kDetailBirthdayImage);
        EXPECT_EQ(row.texts[0], c.date);
        EXPECT_EQ(row.texts[1], c.type);
    }
}

TEST(DetailRows, BirthdaysAndRemindersOfTheCellInItsOrderWithoutHolidaysOrGoneReminders) {
    PlannerCell cell;
    cell.date = {2024, 10, 1};
    cell.items = CellItems(kOctoberReminders, kOctoberHolidays, cell.date);
    ReminderMap store = kOctoberReminders;
    store.erase(4);

    std::vector<std::uint32_t> rowIds;
    for (const DetailRow& row : DetailRows(cell, store)) {
        rowIds.push_back(row.reminderId);
    }
    EXPECT_EQ(rowIds, (std::vector<std::uint32_t>{5, 3, 2}));
}

TEST(DeleteCommands, TheDayTakesEveryBirthdayAndReminderOfTheCell) {
    PlannerCell cell;
    cell.date = {2024, 10, 1};
    cell.items = CellItems(kOctoberReminders, kOctoberHolidays, cell.date);

    EXPECT_EQ(DayReminderIds(cell), (std::vector<std::uint32_t>{5, 3, 4, 2}));
}

TEST(DeleteCommands, TheMonthTakesWhatItsOwnCellsListEachOnce) {
    // The grid of March 2024 runs from Monday 26 February to 7 April.
    const ReminderMap reminders = MapOf({
        Schedule(1, At(2024, 2, 26, 8, 0), "二月"),
        Schedule(2, At(2024, 3, 31, 23, 59, 59), "月末"),
        Birthday(3, {2024, 4, 2}, 5, "跨入四月"),
        Birthday(4, {2024, 3, 1}, 3, "始于二月"),
        Schedule(5, At(2024, 4, 3, 10, 0), "四月"),
        Schedule(6, At(2024, 3, 15, 0, 0), "月中"),
    });
    PlannerGrid grid;
    grid.SetShownDate({2024, 3, 1}, kPlannerMonthMode, false);
    FillCellItems(grid, reminders, Holidays("NORMAL,3,8,0,妇女节\n描述\n"));

    EXPECT_THAT(MonthReminderIds(grid), UnorderedElementsAre(2u, 3u, 4u, 6u));
}

TEST(DeleteCommands, QuestionsNameTheDayAndTheMonthWithoutPadding) {
    EXPECT_EQ(DeleteDayQuestion({2024, 3, 5}), "真的要删除当天（2024年3月5日）所有的日程提醒吗？");
    EXPECT_EQ(DeleteDayQuestion({2024, 12, 25}), "真的要删除当天（2024年12月25日）所有的日程提醒吗？");
    EXPECT_EQ(DeleteMonthQuestion(2024, 3), "真的要删除本月（2024年3月）所有的日程提醒吗？");
}

TEST(DetailMenuStateOf, EntriesFollowTheRowTheDayAndTheMonth) {
    auto cellOn = [](GregorianDate date, std::vector<PlannerItem> items) {
        PlannerCell cell;
        cell.date = date;
        cell.items = std::move(items);
        return cell;
    };
    const PlannerItem holiday{PlannerItemKind::kHoliday, 0, "节日", kHolidayRgb};
    const PlannerItem birthday{PlannerItemKind::kBirthday, 7, "小明生日", kBirthdayRgb};
    const PlannerItem schedule{PlannerItemKind::kSchedule, 8, "09:00 开会", kScheduleRgb};
    const PlannerCell remindersInMonth = cellOn({2024, 3, 5}, {holiday, schedule});
    const PlannerCell holidayOnly = cellOn({2024, 3, 8}, {holiday});
    const PlannerCell emptyNextMonth = cellOn({2024, 4, 2}, {});
    const PlannerCell birthdayLastMonth = cellOn({2024, 2, 27}, {birthday});
    const PlannerCell sameMonthOtherYear = cellOn({2023, 3, 5}, {schedule});

    struct Case {
        bool rowSelected;
        const PlannerCell* cell;
        DetailMenuState state;
    };
    const Case cases[] = {
        {true, &remindersInMonth, {true, true, true}},   {false, &remindersInMonth, {false, true, true}},
        {false, &holidayOnly, {false, false, true}},     {false, &emptyNextMonth, {false, false, false}},
        {true, &birthdayLastMonth, {true, true, false}}, {false, &sameMonthOtherYear, {false, true, false}},
        {false, nullptr, {false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.rowSelected << " cell "
                                        << (c.cell ? c.cell->date.month * 100 + c.cell->date.day : 0));
        EXPECT_EQ(DetailMenuStateOf(c.rowSelected, c.cell, 2024, 3), c.state);
    }
}

struct Shown {
    int year;
    int month;
    std::optional<GregorianDate> selected;

    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownBy(const PlannerNavigation& navigation) {
    return {navigation.year(), navigation.month(), navigation.selected()};
}

TEST(PlannerNavigation, StartsOnTodaySelected) {
    const PlannerNavigation navigation({2024, 3, 5});
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 3, GregorianDate{2024, 3, 5}}));
    EXPECT_EQ(navigation.ShownDate(), (GregorianDate{2024, 3, 5}));
    EXPECT_EQ(navigation.GridMode(), kPlannerMonthMode);
    EXPECT_FALSE(navigation.inTodayView());
}

TEST(PlannerNavigation, MonthStepsWrapTheYearAndSelectTodayInItsMonthOnly) {
    const GregorianDate today{2024, 12, 20};
    PlannerNavigation navigation(today);
    enum Step { kNext, kPrevious };
    struct Case {
        Step step;
        Shown shown;
        GregorianDate shownDate;
    };
    const Case cases[] = {
        {kNext, {2025, 1, std::nullopt}, {2025, 1, 1}},       {kNext, {2025, 2, std::nullopt}, {2025, 2, 1}},
        {kPrevious, {2025, 1, std::nullopt}, {2025, 1, 1}},   {kPrevious, {2024, 12, today}, today},
        {kPrevious, {2024, 11, std::nullopt}, {2024, 11, 1}}, {kNext, {2024, 12, today}, today},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shown.year << "-" << c.shown.month);
        EXPECT_TRUE(c.step == kNext ? navigation.NextMonth(today) : navigation.PreviousMonth(today));
        EXPECT_EQ(ShownBy(navigation), c.shown);
        EXPECT_EQ(navigation.ShownDate(), c.shownDate);
    }
}

TEST(PlannerNavigation, ADaySelectedInANeighbouringMonthKeepsTheGridOnItsMonth) {
    PlannerNavigation navigation({2024, 3, 5});
    navigation.Select({2024, 2, 28});
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 3, GregorianDate{2024, 2, 28}}));
    EXPECT_EQ(navigation.ShownDate(), (GregorianDate{2024, 3, 1}));

    navigation.Select({2024, 3, 20});
    EXPECT_EQ(navigation.ShownDate(), (GregorianDate{2024, 3, 20}));
}

TEST(PlannerNavigation, TodayViewRefusesStepsAndBackRestoresMonthAndSelection) {
    const GregorianDate today{2024, 3, 1};
    PlannerNavigation navigation(today);
    ASSERT_TRUE(navigation.NextMonth(today));
    navigation.Select({2024, 4, 18});

    ASSERT_TRUE(navigation.ShowToday(today));
    EXPECT_TRUE(navigation.inTodayView());
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 3, today}));
    EXPECT_EQ(navigation.GridMode(), kPlannerWeekMode);
    EXPECT_FALSE(navigation.NextMonth(today));
    EXPECT_FALSE(navigation.PreviousMonth(today));
    EXPECT_FALSE(navigation.ShowToday(today));
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 3, today}));

    // Today's week reaches into February; selecting there keeps the week.
    navigation.Select({2024, 2, 27});
    EXPECT_EQ(navigation.selected(), (GregorianDate{2024, 2, 27}));
    EXPECT_EQ(navigation.ShownDate(), today);

    ASSERT_TRUE(navigation.Back());
    EXPECT_FALSE(navigation.inTodayView());
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 4, GregorianDate{2024, 4, 18}}));
    EXPECT_EQ(navigation.GridMode(), kPlannerMonthMode);
    EXPECT_FALSE(navigation.Back());
}

TEST(PlannerNavigation, BackAfterTodayViewFromAMonthWithoutSelection) {
    const GregorianDate today{2024, 3, 5};
    PlannerNavigation navigation(today);
    ASSERT_TRUE(navigation.PreviousMonth(today));
    ASSERT_TRUE(navigation.ShowToday(today));
    ASSERT_TRUE(navigation.Back());
    EXPECT_EQ(ShownBy(navigation), (Shown{2024, 2, std::nullopt}));
    EXPECT_EQ(navigation.ShownDate(), (GregorianDate{2024, 2, 1}));
}

TEST(PlannerNavigation, StepsBeyondTheShownYearsAreRefused) {
    const GregorianDate first{1900, 1, 15};
    PlannerNavigation atFirst(first);
    EXPECT_FALSE(atFirst.PreviousMonth(first));
    EXPECT_EQ(ShownBy(atFirst), (Shown{1900, 1, first}));
    EXPECT_TRUE(atFirst.NextMonth(first));
    EXPECT_EQ(ShownBy(atFirst), (Shown{1900, 2, std::nullopt}));

    const GregorianDate last{2050, 12, 31};
    PlannerNavigation atLast(last);
    EXPECT_FALSE(atLast.NextMonth(last));
    EXPECT_EQ(ShownBy(atLast), (Shown{2050, 12, last}));
    EXPECT_TRUE(atLast.PreviousMonth(last));
    EXPECT_EQ(ShownBy(atLast), (Shown{2050, 11, std::nullopt}));
}

TEST(NewScheduleReminderOn, TheEditorsNewRecordOnTheDayAtNowsTimeOfDay) {
    const Moment now = At(2024, 3, 5, 14, 25, 36);
    ReminderItem expected;
    expected.title = "请输入标题";
    expected.content = "请输入详细内容";
    expected.kind = KindOnce;

    struct Case {
        GregorianDate day;
        Moment start;
    };
    const Case cases[] = {
        {{2024, 10, 1}, At(2024, 10, 1, 14, 25, 36)},
        {{2024, 2, 29}, At(2024, 2, 29, 14, 25, 36)},
        {{2024, 3, 5}, now},
        // Days no moment holds keep now rather than a clamped other day.
        {{1900, 6, 1}, now},
        {{2050, 6, 1}, now},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day);
        expected.start = c.start;
        EXPECT_EQ(NewScheduleReminderOn(c.day, now), expected);
    }
}

TEST(PlannerWindowRect, FourFifthsOfTheWorkAreaCentred) {
    struct Case {
        PlannerRect workArea;
        PlannerRect window;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {192, 108, 1536, 864}},
        // Fractions are cut: 1366 * 4 / 10 = 546, 1366 * 4 / 5 = 1092.
        {{100, 40, 1366, 728}, {237, 113, 1092, 582}},
        {{-1280, 0, 1280, 1024}, {-1152, 103, 1024, 819}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlannerWindowRect(c.workArea), c.window) << c.workArea.x << "," << c.workArea.y;
    }
}

}  // namespace
