#include "widget/view/calendar_view.h"

#include <gtest/gtest.h>

#include <string>

#include "common/local_time.h"

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

ReminderItem Schedule(std::uint32_t id, Moment start, const char* title) {
    ReminderItem item;
    item.id = id;
    item.title = title;
    item.start = start;
    return item;
}

// A view whose today is Friday 8 August 2008, the day of a holiday.
HolidayTable Holidays() {
    HolidayTable table;
    table.Parse("NORMAL,8,8,2008,奥运会开幕\n北京\nNORMAL,10,1,1949,国庆节\n\n");
    return table;
}

class CalendarViewTest : public testing::Test {
protected:
    HolidayTable holidays = Holidays();
    ReminderMap reminders;
    FakeClock clock{At(2008, 8, 8, 10, 0)};
    CalendarView view{holidays, reminders, clock};
};

TEST_F(CalendarViewTest, StartsOnToday) {
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 8, 8}));
    EXPECT_EQ(view.today(), (GregorianDate{2008, 8, 8}));
    EXPECT_EQ(view.monthRows(), 6);
    EXPECT_EQ(view.days()[30].text, "农历 八月初一");
    EXPECT_EQ(view.InformationLine(), "农历 七月初八");
    EXPECT_EQ(view.layoutFlags(), kLayoutGridExpanded | kLayoutRemindersExpanded);
    EXPECT_EQ(view.reminderRange(), ViewDay);
    ASSERT_EQ(view.selectedDayInfo().entries.size(), 1u);
    EXPECT_EQ(view.selectedDayInfo().entries[0].title, "奥运会开幕");
    EXPECT_TRUE(view.ShowsHolidayEntries(true));
    EXPECT_FALSE(view.ShowsHolidayEntries(false));
}

TEST_F(CalendarViewTest, SelectedDateIsAlwaysADayOfTheGrid) {
    struct Case {
        GregorianDate asked;
        GregorianDate selected;
        int rows;
    };
    const Case cases[] = {
        {{2009, 2, 14}, {2009, 2, 14}, 4}, {{2009, 2, 31}, {2009, 2, 28}, 4}, {{2008, 2, 30}, {2008, 2, 29}, 5},
        {{2008, 4, 31}, {2008, 4, 30}, 5}, {{2100, 5, 5}, {2050, 5, 5}, 5},   {{1800, 1, 6}, {1900, 1, 6}, 5},
        {{2008, 13, 1}, {2008, 12, 1}, 5}, {{2008, 0, 0}, {2008, 1, 1}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked.year << "-" << c.asked.month << "-" << c.asked.day);
        view.SelectDate(c.asked);
        EXPECT_EQ(view.selected(), c.selected);
        EXPECT_EQ(view.monthRows(), c.rows);
        EXPECT_EQ(&view.InformationLine(), &view.days()[c.selected.day - 1].text);
        EXPECT_EQ(view.days()[c.selected.day - 1].valid, 1);
    }
}

TEST_F(CalendarViewTest, LayoutCommandsFlipTheirBitOnly) {
    struct Case {
        std::uint32_t command;
        std::uint32_t before;
        std::uint32_t after;
    };
    const Case cases[] = {
        {kCommandCollapseGrid, 0xF0101, 0xF0100},      {kCommandCollapseGrid, 0xF0100, 0xF0100},
        {kCommandExpandGrid, 0xF0100, 0xF0101},        {kCommandExpandGrid, 0xF0101, 0xF0101},
        {kCommandCollapseReminders, 0xF0101, 0xF0001}, {kCommandCollapseReminders, 0x0, 0x0},
        {kCommandExpandReminders, 0xF0001, 0xF0101},   {kCommandExpandReminders, 0x100, 0x100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " on " << std::hex << c.before);
        view.SetLayoutFlags(c.before);
        EXPECT_EQ(view.OnCommand(c.command), (CommandResult{CommandEffect::kRedraw, 0}));
        EXPECT_EQ(view.layoutFlags(), c.after);
    }
}

TEST_F(CalendarViewTest, CommandsThatTheWindowCarriesOut) {
    struct Case {
        std::uint32_t command;
        CommandResult result;
    };
    const Case cases[] = {
        {kCommandSettings, {CommandEffect::kShowPreferences, 0}},
        {kCommandHide, {CommandEffect::kHide, 0}},
        {kCommandNewSchedule, {CommandEffect::kNewSchedule, 0}},
        {kMenuNewSchedule, {CommandEffect::kNewSchedule, 0}},
        {kMenuNewBirthday, {CommandEffect::kNewBirthday, 0}},
        {kCommandNewMenu, {CommandEffect::kShowNewMenu, 0}},
        {kCommandMonthMenu, {CommandEffect::kShowMonthMenu, 0}},
        {0x0F000000 + 5, {CommandEffect::kEditReminder, 5}},
        {0x0F000000, {CommandEffect::kEditReminder, 0}},
        {0x7EFFFFFF, {CommandEffect::kEditReminder, 0x6FFFFFFF}},
        {0x7F000000 + 9, {CommandEffect::kDeleteReminder, 9}},
        {0xFFFFFFFF, {CommandEffect::kDeleteReminder, 0x80FFFFFF}},
        // Not commands of the view.
        {0x0EFFFFFF, {CommandEffect::kNone, 0}},
        {5000, {CommandEffect::kNone, 0}},
        {2001, {CommandEffect::kNone, 0}},
        {60000, {CommandEffect::kNone, 0}},
        {60013, {CommandEffect::kNone, 0}},
        {0, {CommandEffect::kNone, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        EXPECT_EQ(view.OnCommand(c.command), c.result);
        EXPECT_EQ(view.selected(), (GregorianDate{2008, 8, 8}));
        EXPECT_EQ(view.layoutFlags(), kLayoutGridExpanded | kLayoutRemindersExpanded);
        EXPECT_EQ(view.reminderRange(), ViewDay);
    }
}

TEST_F(CalendarViewTest, YearStepsKeepMonthAndDayAndStopAtTheLimits) {
    const CommandResult redraw{CommandEffect::kRedraw, 0};
    const CommandResult ignored{CommandEffect::kNone, 0};

    view.SelectDate({2049, 3, 15});
    EXPECT_EQ(view.OnCommand(kCommandNextYear), redraw);
    EXPECT_EQ(view.selected(), (GregorianDate{2050, 3, 15}));
    EXPECT_EQ(view.OnCommand(kCommandNextYear), ignored);
    EXPECT_EQ(view.selected(), (GregorianDate{2050, 3, 15}));

    view.SelectDate({1901, 12, 31});
    EXPECT_EQ(view.OnCommand(kCommandPreviousYear), redraw);
    EXPECT_EQ(view.selected(), (GregorianDate{1900, 12, 31}));
    EXPECT_EQ(view.InformationLine(), "农历 十一月初十");
    EXPECT_EQ(view.OnCommand(kCommandPreviousYear), ignored);
    EXPECT_EQ(view.selected(), (GregorianDate{1900, 12, 31}));

    // 29 February into a common year selects the 28th.
    view.SelectDate({2008, 2, 29});
    EXPECT_EQ(view.OnCommand(kCommandNextYear), redraw);
    EXPECT_EQ(view.selected(), (GregorianDate{2009, 2, 28}));
    EXPECT_EQ(view.monthRows(), 4);
}

TEST_F(CalendarViewTest, MonthMenuKeepsYearAndDay) {
    view.SelectDate({2008, 1, 31});
    EXPECT_EQ(view.OnCommand(kMenuFirstMonth + 1), (CommandResult{CommandEffect::kRedraw, 0}));
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 2, 29}));
    EXPECT_EQ(view.monthRows(), 5);
    EXPECT_EQ(view.days()[29].valid, 0);
    EXPECT_EQ(view.InformationLine(), view.days()[28].text);

    view.OnCommand(kMenuLastMonth);
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 12, 29}));
    view.SelectDate({2008, 12, 31});
    view.OnCommand(kMenuFirstMonth + 9);
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 10, 31}));
    EXPECT_FALSE(view.ShowsHolidayEntries(true));
    view.SelectDate({2008, 10, 1});
    EXPECT_TRUE(view.ShowsHolidayEntries(true));
}

TEST_F(CalendarViewTest, RangeCommandsChooseThePanelLines) {
    reminders[1] = Schedule(1, At(2008, 8, 8, 9, 0), "开会");
    reminders[2] = Schedule(2, At(2008, 8, 5, 7, 30), "体检");
    reminders[3] = Schedule(3, At(2008, 8, 20, 14, 0), "出差");
    reminders[4] = Schedule(4, At(2008, 9, 1, 8, 0), "开学");
    view.Refresh();
    ASSERT_EQ(view.panelLines().size(), 1u);
    EXPECT_EQ(view.panelLines()[0].text, "09:00 开会");

    EXPECT_EQ(view.OnCommand(kCommandRangeWeek), (CommandResult{CommandEffect::kRedraw, 0}));
    EXPECT_EQ(view.reminderRange(), ViewWeek);
    ASSERT_EQ(view.panelLines().size(), 2u);
    EXPECT_EQ(view.panelLines()[0].text, "05日07:30 体检");

    view.OnCommand(kCommandRangeMonth);
    EXPECT_EQ(view.panelLines().size(), 3u);
    // The range stays when another day is selected.
    view.SelectDate({2008, 9, 10});
    ASSERT_EQ(view.panelLines().size(), 1u);
    EXPECT_EQ(view.panelLines()[0].id, 4u);

    view.OnCommand(kCommandRangeDay);
    EXPECT_EQ(view.reminderRange(), ViewDay);
    EXPECT_TRUE(view.panelLines().empty());
}

TEST_F(CalendarViewTest, RefreshPicksUpChangedReminders) {
    reminders[7] = Schedule(7, At(2008, 8, 12, 9, 0), "会议");
    EXPECT_EQ(view.days()[11].extraMarks & kMarkReminder, 0);
    view.Refresh();
    EXPECT_NE(view.days()[11].extraMarks & kMarkReminder, 0);
    EXPECT_TRUE(view.panelLines().empty());
    view.SelectDate({2008, 8, 12});
    ASSERT_EQ(view.panelLines().size(), 1u);

    reminders.erase(7);
    view.Refresh();
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 8, 12}));
    EXPECT_EQ(view.days()[11].extraMarks & kMarkReminder, 0);
    EXPECT_TRUE(view.panelLines().empty());
}

TEST_F(CalendarViewTest, RolloverSelectsTheNewDay) {
    clock.Set(At(2008, 8, 8, 23, 59, 58));
    EXPECT_FALSE(view.CheckRollover());
    view.SelectDate({2009, 1, 1});
    EXPECT_FALSE(view.CheckRollover());
    EXPECT_EQ(view.selected(), (GregorianDate{2009, 1, 1}));

    clock.Advance(2);
    EXPECT_TRUE(view.CheckRollover());
    EXPECT_EQ(view.today(), (GregorianDate{2008, 8, 9}));
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 8, 9}));
    EXPECT_FALSE(view.CheckRollover());

    // "Today" reads the clock again.
    view.SelectDate({2010, 6, 1});
    clock.Set(At(2008, 10, 1, 8, 0));
    EXPECT_EQ(view.OnCommand(kCommandToday), (CommandResult{CommandEffect::kRedraw, 0}));
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 10, 1}));
    EXPECT_EQ(view.today(), (GregorianDate{2008, 10, 1}));
    EXPECT_FALSE(view.CheckRollover());
}

TEST_F(CalendarViewTest, RolloverCheckComesJustAfterMidnightAndAtLeastEachMinute) {
    struct Case {
        Moment now;
        unsigned milliseconds;
    } const cases[] = {
        {At(2008, 8, 8, 23, 59, 58), 2000}, {At(2008, 8, 8, 23, 59, 59), 1000}, {At(2008, 8, 8, 23, 59, 0), 60000},
        {At(2008, 8, 8, 23, 59, 30), 30000}, {At(2008, 8, 9, 0, 0, 0), 60000},  {At(2008, 12, 31, 12, 0, 0), 60000},
    };
    for (const Case& c : cases) {
        clock.Set(c.now);
        EXPECT_EQ(view.MillisecondsToNextRolloverCheck(), c.milliseconds) << c.now;
    }
}

TEST_F(CalendarViewTest, HoveredDayLeadsTheInformationLine) {
    EXPECT_TRUE(view.SetHoverDay(10));
    EXPECT_FALSE(view.SetHoverDay(10));
    EXPECT_EQ(view.InformationLine(), "农历 七月初十");
    EXPECT_TRUE(view.SetHoverDay(0));
    EXPECT_EQ(view.InformationLine(), "农历 七月初八");

    // Only days of the shown month can be hovered.
    EXPECT_FALSE(view.SetHoverDay(32));
    EXPECT_FALSE(view.SetHoverDay(-1));
    view.SelectDate({2009, 2, 1});
    EXPECT_FALSE(view.SetHoverDay(30));
    EXPECT_EQ(view.hoverDay(), 0);

    // The hovered day belongs to its month: a month change forgets it.
    view.SelectDate({2008, 8, 8});
    view.SetHoverDay(31);
    view.OnCommand(kMenuFirstMonth + 1);
    EXPECT_EQ(view.hoverDay(), 0);
    EXPECT_EQ(view.selected(), (GregorianDate{2008, 2, 8}));
    EXPECT_EQ(view.InformationLine(), "农历 正月初二");
    // Within the month it stays.
    view.SetHoverDay(3);
    view.SelectDate({2008, 2, 5});
    EXPECT_EQ(view.hoverDay(), 3);
}

TEST_F(CalendarViewTest, HolidaysFoundAheadAreNotShownForTheSelectedDay) {
    view.SelectDate({2008, 8, 7});
    EXPECT_EQ(view.selectedDayInfo().date, (GregorianDate{2008, 8, 8}));
    EXPECT_EQ(view.selectedDayInfo().entries.size(), 1u);
    EXPECT_FALSE(view.ShowsHolidayEntries(true));
}

TEST_F(CalendarViewTest, MeasuresHolidayDescriptionsOnceAMeasurerIsSet) {
    EXPECT_TRUE(view.selectedDayInfo().descriptionRects.empty());
    view.SetDescriptionMeasurer([](const std::string& text, int width) {
        return TextRect{0, 0, width, static_cast<int>(text.size())};
    });
    ASSERT_EQ(view.selectedDayInfo().descriptionRects.size(), 1u);
    EXPECT_EQ(view.selectedDayInfo().descriptionRects[0], (TextRect{0, 0, 169, 4}));

    view.SelectDate({2008, 10, 1});
    ASSERT_EQ(view.selectedDayInfo().descriptionRects.size(), 1u);
    EXPECT_EQ(view.selectedDayInfo().descriptionRects[0], (TextRect{0, 0, 169, 0}));
}

}  // namespace
