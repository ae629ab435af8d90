// Where the calendar window's parts go as what it shows changes.

#include <gtest/gtest.h>

#include <algorithm>

#include "widget/reminders/reminder_messages.h"
#include "widget/view/calendar_view.h"
#include "widget/win32/calendar_layout.h"

namespace {

constexpr std::uint32_t kBothExpanded = kLayoutGridExpanded | kLayoutRemindersExpanded;

bool Overlap(const LayoutRect& a, const LayoutRect& b) {
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

std::vector<std::uint32_t> Commands(const CalendarLayout& layout) {
    std::vector<std::uint32_t> commands;
    for (const HitArea& area : layout.hitAreas) {
        commands.push_back(area.command);
    }
    return commands;
}

bool Has(const CalendarLayout& layout, std::uint32_t command) {
    std::vector<std::uint32_t> commands = Commands(layout);
    return std::find(commands.begin(), commands.end(), command) != commands.end();
}

TEST(CalendarLayout, EveryShapeKeepsItsPartsApartAndInsideTheContentColumn) {
    for (std::uint32_t flags : {0u, kLayoutGridExpanded, kLayoutRemindersExpanded, kBothExpanded}) {
        for (int rows : {4, 5, 6}) {
            for (std::size_t lines : {0u, 1u, 7u}) {
                SCOPED_TRACE(testing::Message() << "flags " << flags << " rows " << rows << " lines " << lines);
                LayoutInput input;
                input.layoutFlags = flags;
                input.monthRows = rows;
                input.holidayDescriptionHeights = {30, 0};
                for (std::uint32_t id = 1; id <= lines; ++id) {
                    input.reminderIds.push_back(id * 1000);
                }
                input.emptyScheduleText = lines == 0;
                CalendarLayout layout = LayOutCalendar(input);

                std::vector<LayoutRect> parts = {layout.clock, layout.title, layout.information, layout.heading};
                if (!layout.grid.Empty()) {
                    parts.push_back(layout.weekdays);
                    parts.push_back(layout.grid);
                }
                for (const HolidayPlace& place : layout.holidays) {
                    parts.insert(parts.end(), {place.badge, place.title});
                }
                parts.insert(parts.end(), layout.reminderLines.begin(), layout.reminderLines.end());
                for (const HitArea& area : layout.hitAreas) {
                    parts.push_back(area.rect);
                }
                for (std::size_t i = 0; i < parts.size(); ++i) {
                    EXPECT_GE(parts[i].x, kContentLeft) << i;
                    EXPECT_LE(parts[i].Right(), kContentLeft + kContentWidth) << i;
                    EXPECT_GT(parts[i].y, 0) << i;
                    EXPECT_LT(parts[i].Bottom(), layout.height) << i;
                    for (std::size_t j = i + 1; j < parts.size(); ++j) {
                        EXPECT_FALSE(Overlap(parts[i], parts[j])) << i << " and " << j;
                    }
                }
            }
        }
    }
}

TEST(CalendarLayout, SectionsCarryTheirToggleAndLinesTheirButtons) {
    struct Case {
        std::uint32_t flags;
        std::uint32_t gridToggle;
        std::uint32_t remindersToggle;
        bool lineButtons;
    };
    for (const Case& c : {Case{kBothExpanded, kCommandCollapseGrid, kCommandCollapseReminders, true},
                          Case{0, kCommandExpandGrid, kCommandExpandReminders, false},
                          Case{kLayoutRemindersExpanded, kCommandExpandGrid, kCommandCollapseReminders, true}}) {
        SCOPED_TRACE(c.flags);
        LayoutInput input;
        input.layoutFlags = c.flags;
        input.reminderIds = {7, 0x00FFFFFF};
        CalendarLayout layout = LayOutCalendar(input);
        EXPECT_TRUE(Has(layout, c.gridToggle));
        EXPECT_TRUE(Has(layout, c.remindersToggle));
        for (std::uint32_t command :
             {kCommandPreviousYear, kCommandNextYear, kCommandMonthMenu, kCommandToday, kCommandSettings, kCommandHide,
              kCommandRangeDay, kCommandRangeWeek, kCommandRangeMonth, kCommandNewSchedule, kCommandNewMenu}) {
            EXPECT_TRUE(Has(layout, command)) << command;
        }
        for (std::uint32_t id : input.reminderIds) {
            EXPECT_EQ(Has(layout, kOpenReminderCommandBase + id), c.lineButtons);
            EXPECT_EQ(Has(layout, kDeleteReminderCommandBase + id), c.lineButtons);
        }
        EXPECT_EQ(layout.grid.Empty(), (c.flags & kLayoutGridExpanded) == 0);
    }
}

TEST(CalendarLayout, HeightFollowsRowsLinesAndHolidayDescriptions) {
    LayoutInput input;
    input.layoutFlags = kBothExpanded;
    input.monthRows = 5;
    input.emptyScheduleText = true;
    const int base = LayOutCalendar(input).height;

    LayoutInput sixRows = input;
    sixRows.monthRows = 6;
    EXPECT_EQ(LayOutCalendar(sixRows).height, base + 21);

    LayoutInput threeLines = input;
    threeLines.reminderIds = {1, 2, 3};
    threeLines.emptyScheduleText = false;
    EXPECT_EQ(LayOutCalendar(threeLines).height, base + 2 * kReminderLineHeight);

    LayoutInput holidays = input;
    holidays.holidayDescriptionHeights = {28, 0};
    CalendarLayout withHolidays = LayOutCalendar(holidays);
    EXPECT_EQ(withHolidays.height, base + 2 * kHolidayEntrySpacing + 28);
    ASSERT_EQ(withHolidays.holidays.size(), 2u);
    EXPECT_EQ(withHolidays.holidays[0].description.width, kHolidayDescriptionWidth);
    EXPECT_EQ(withHolidays.holidays[1].title.y - withHolidays.holidays[0].title.y, kHolidayEntrySpacing + 28);

    LayoutInput collapsed = input;
    collapsed.layoutFlags = 0;
    EXPECT_LT(LayOutCalendar(collapsed).height, base - 5 * 21);
}

TEST(CalendarLayout, ClockAreaFitsTheClockWindowAtTheTopOfTheContent) {
    CalendarLayout layout = LayOutCalendar({});
    EXPECT_EQ(layout.clock.x, kContentLeft);
    EXPECT_EQ(layout.clock.width, 187);
    EXPECT_EQ(layout.clock.height, 100);
    EXPECT_LT(layout.clock.Bottom(), layout.title.y);
}

TEST(CalendarLayout, HitAreaAtFindsTheButtonUnderAPoint) {
    LayoutInput input;
    input.layoutFlags = kBothExpanded;
    input.reminderIds = {42};
    CalendarLayout layout = LayOutCalendar(input);
    for (const HitArea& area : layout.hitAreas) {
        const HitArea* found = HitAreaAt(layout, area.rect.x, area.rect.Bottom() - 1);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->command, area.command);
    }
    EXPECT_EQ(HitAreaAt(layout, 0, 0), nullptr);
    EXPECT_EQ(HitAreaAt(layout, layout.grid.x + 1, layout.grid.y + 1), nullptr);
}

}  // namespace
