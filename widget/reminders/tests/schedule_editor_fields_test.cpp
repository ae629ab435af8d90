#include "widget/reminders/schedule_editor_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/local_time.h"

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

constexpr std::array<bool, 7> kMondayAndSunday = {true, false, false, false, false, false, true};

// The editor as the user leaves it: 09:07 on Tuesday 2024-03-05, texts
// typed, the once radio selected.
ScheduleEditorFields Entered() {
    ScheduleEditorFields fields;
    fields.date = {2024, 3, 5};
    fields.hour = 9;
    fields.minute = 7;
    fields.title = "开会";
    fields.content = "三楼会议室";
    fields.program = "C:\\报表.xls";
    fields.sound = "C:\\铃声.wav";
    return fields;
}

TEST(ScheduleEditor, EnteredFieldsAreSavedAndReopenAsEntered) {
    struct Case {
        const char* name;
        std::function<void(ScheduleEditorFields&)> enter;
        std::uint32_t kind;
        std::int32_t param;
    };
    const Case cases[] = {
        {"once", [](ScheduleEditorFields&) {}, KindOnce, 0},
        {"90 minutes",
         [](ScheduleEditorFields& f) {
             f.kind = KindInterval;
             f.intervalNumber = "90";
             f.intervalUnit = IntervalUnit::kMinutes;
         },
         KindInterval, 90},
        {"2 hours",
         [](ScheduleEditorFields& f) {
             f.kind = KindInterval;
             f.intervalNumber = "2";
             f.intervalUnit = IntervalUnit::kHours;
         },
         KindInterval, 120},
        {"switched off", [](ScheduleEditorFields& f) { f.on = false; }, KindOff, 0},
        {"Monday and Sunday",
         [](ScheduleEditorFields& f) {
             f.kind = KindWeekly;
             f.weekdays = kMondayAndSunday;
         },
         KindWeekly, 0x1000001},
        {"every weekday",
         [](ScheduleEditorFields& f) {
             f.kind = KindWeekly;
             f.weekdays.fill(true);
         },
         KindWeekly, 0x1111111},
        {"monthly on the 31st",
         [](ScheduleEditorFields& f) {
             f.kind = KindMonthly;
             f.dayOfMonth = "31";
         },
         KindMonthly, 31},
        {"no title or content typed",
         [](ScheduleEditorFields& f) {
             f.title = kTitlePlaceholder;
             f.content = kContentPlaceholder;
         },
         KindOnce, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleEditorFields entered = Entered();
        c.enter(entered);

        const ReminderItem saved = ReadScheduleEditor(entered, 7);
        ReminderItem expected{7,
                              entered.title,
                              At(2024, 3, 5, 9, 7),
                              0,
                              c.kind,
                              c.param,
                              entered.content,
                              entered.program,
                              entered.sound};
        if (entered.title == kTitlePlaceholder) {
            // What still shows the placeholder was never typed.
            expected.title.clear();
            expected.content.clear();
        }
        EXPECT_EQ(saved, expected);

        ScheduleEditorFields reopened;
        FillScheduleEditor(saved, true, reopened);
        entered.deleteShown = true;
        EXPECT_EQ(reopened, entered);
    }
}

TEST(ScheduleEditor, IntervalShowsWholeHoursAsHours) {
    struct Case {
        std::int32_t param;
        std::string number;
        IntervalUnit unit;
    };
    const Case cases[] = {
        {120, "2", IntervalUnit::kHours},   {60, "1", IntervalUnit::kHours},    {90, "90", IntervalUnit::kMinutes},
        {59, "59", IntervalUnit::kMinutes}, {1380, "23", IntervalUnit::kHours},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.param);
        ScheduleEditorFields fields;
        fields.intervalUnit = c.unit == IntervalUnit::kHours ? IntervalUnit::kMinutes : IntervalUnit::kHours;
        FillScheduleEditor({1, "t", At(2024, 3, 5, 9, 0), c.param, KindInterval, c.param, "", "", ""}, true, fields);
        EXPECT_EQ(fields.kind, KindInterval);
        EXPECT_EQ(fields.intervalNumber, c.number);
        EXPECT_EQ(fields.intervalUnit, c.unit);
    }
}

// The editor window is reused: what a kind does not show stays as the last
// use left it.
TEST(ScheduleEditor, FillKeepsTheInputsItsKindDoesNotUse) {
    ScheduleEditorFields fields;
    fields.kind = KindWeekly;
    fields.intervalNumber = "45";
    fields.intervalUnit = IntervalUnit::kMinutes;
    fields.weekdays = kMondayAndSunday;
    fields.dayOfMonth = "9";
    fields.deleteShown = true;
    const ScheduleEditorFields before = fields;

    FillScheduleEditor({0, "关", At(2024, 3, 5, 9, 0), 0, KindOff, 0, "", "", ""}, false, fields);
    EXPECT_FALSE(fields.on);
    EXPECT_EQ(fields.kind, KindWeekly);
    EXPECT_FALSE(fields.deleteShown);

    FillScheduleEditor({0, "一次", At(2024, 3, 5, 9, 0), 0, KindOnce, 0, "", "", ""}, false, fields);
    EXPECT_TRUE(fields.on);
    EXPECT_EQ(fields.kind, KindOnce);
    EXPECT_EQ(fields.intervalNumber, before.intervalNumber);
    EXPECT_EQ(fields.intervalUnit, before.intervalUnit);
    EXPECT_EQ(fields.weekdays, before.weekdays);
    EXPECT_EQ(fields.dayOfMonth, before.dayOfMonth);
}

TEST(ScheduleEditor, NewReminderShowsPlaceholdersAndSavesEmptyTexts) {
    const Moment now = At(2024, 3, 5, 9, 7, 42);
    ScheduleEditorFields fields;
    FillScheduleEditor(NewScheduleReminder(now), false, fields);
    EXPECT_EQ(fields.title, kTitlePlaceholder);
    EXPECT_EQ(fields.content, kContentPlaceholder);
    EXPECT_FALSE(fields.deleteShown);

    // A record without texts shows the placeholders too.
    ScheduleEditorFields empty;
    empty.title = empty.content = "上次的";
    FillScheduleEditor({3, "", now, 0, KindOnce, 0, "", "", ""}, true, empty);
    EXPECT_EQ(empty.title, kTitlePlaceholder);
    EXPECT_EQ(empty.content, kContentPlaceholder);

    // Seconds are dropped: the once test matches whole minutes only.
    EXPECT_EQ(ReadScheduleEditor(fields, 0), (ReminderItem{0, "", At(2024, 3, 5, 9, 7), 0, KindOnce, 0, "", "", ""}));
}

TEST(ScheduleEditor, ReadBackPutsEveryInputIntoItsRange) {
    std::string sixty;
    for (int i = 0; i < 60; ++i) {
        sixty += "字";
    }
    ScheduleEditorFields fields = Entered();
    fields.date = {2040, 2, 29};
    fields.hour = 24;
    fields.minute = -1;
    fields.title = sixty;
    fields.program = std::string(300, 'p');
    fields.kind = KindInterval;
    fields.intervalNumber = "";

    const ReminderItem item = ReadScheduleEditor(fields, 0);
    EXPECT_EQ(item.start, At(2037, 2, 28, 23, 0));
    EXPECT_EQ(item.title, sixty.substr(0, 100));
    EXPECT_EQ(item.program, std::string(256, 'p'));
    // No number: an interval that never comes due (confirming refuses it).
    EXPECT_EQ(item.param, 0);
}

TEST(ScheduleEditor, SwitchedOffEnablesOnlyTitleAndContent) {
    struct Case {
        bool on;
        std::uint32_t kind;
        ScheduleEditorEnabled enabled;
    };
    const Case cases[] = {
        {false, KindInterval, {false, false, false, false}}, {false, KindWeekly, {false, false, false, false}},
        {true, KindOnce, {true, false, false, false}},       {true, KindInterval, {true, true, false, false}},
        {true, KindWeekly, {true, false, true, false}},      {true, KindMonthly, {true, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.on << " " << c.kind);
        EXPECT_EQ(EnabledScheduleInputs(c.on, c.kind), c.enabled);
    }
}

TEST(ScheduleEditor, HourAndMinuteArrowsWrap) {
    struct Case {
        int hour;
        int minute;
        int delta;
        int nextHour;
        int nextMinute;
    };
    const Case cases[] = {
        {23, 59, +1, 0, 0},
        {0, 0, -1, 23, 59},
        {9, 7, +1, 10, 8},
        {9, 7, -1, 8, 6},
        // Typed out of range: the arrow starts from the nearest valid value.
        {30, 75, +1, 0, 0},
        {-4, -4, +1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << " " << c.delta);
        EXPECT_EQ(StepHour(c.hour, c.delta), c.nextHour);
        EXPECT_EQ(StepMinute(c.minute, c.delta), c.nextMinute);
    }
}

TEST(ScheduleEditor, ConfirmChecksTheIntervalThenAsksAboutAnEarlierDay) {
    const GregorianDate today{2024, 3, 5};
    const char* minutesMessage = "请输入一个1和59之间的数字";
    const char* hoursMessage = "请输入一个1和23之间的数字";
    struct Case {
        const char* name;
        bool on;
        std::uint32_t kind;
        std::string number;
        IntervalUnit unit;
        GregorianDate date;
        int hour;
        ScheduleConfirmation::Action action;
        const char* message;
    };
    constexpr auto kMinutes = IntervalUnit::kMinutes;
    constexpr auto kHours = IntervalUnit::kHours;
    constexpr auto kSave = ScheduleConfirmation::kSave;
    constexpr auto kReject = ScheduleConfirmation::kRejectInterval;
    constexpr auto kAsk = ScheduleConfirmation::kAskEarlierDate;
    const Case cases[] = {
        {"0 minutes", true, KindInterval, "0", kMinutes, today, 12, kReject, minutesMessage},
        {"60 minutes", true, KindInterval, "60", kMinutes, today, 12, kReject, minutesMessage},
        {"1 minute", true, KindInterval, "1", kMinutes, today, 12, kSave, nullptr},
        {"59 minutes", true, KindInterval, "59", kMinutes, today, 12, kSave, nullptr},
        {"24 hours", true, KindInterval, "24", kHours, today, 12, kReject, hoursMessage},
        {"0 hours", true, KindInterval, "0", kHours, today, 12, kReject, hoursMessage},
        {"23 hours", true, KindInterval, "23", kHours, today, 12, kSave, nullptr},
        {"no number, minutes", true, KindInterval, "", kMinutes, today, 12, kReject, minutesMessage},
        {"no number, hours", true, KindInterval, "", kHours, today, 12, kReject, hoursMessage},
        {"not a number", true, KindInterval, "5分", kMinutes, today, 12, kReject, minutesMessage},
        {"interval comes before the date",
         true,
         KindInterval,
         "60",
         kMinutes,
         {2024, 3, 4},
         12,
         kReject,
         minutesMessage},
        {"number of another kind is not checked", true, KindOnce, "0", kMinutes, today, 12, kSave, nullptr},
        {"switched off: the disabled number is not checked", false, KindInterval, "0", kMinutes, today, 12, kSave,
         nullptr},
        {"yesterday", true, KindOnce, "", kHours, {2024, 3, 4}, 23, kAsk, kEarlierDateQuestion},
        {"last year", true, KindOnce, "", kHours, {2023, 12, 31}, 12, kAsk, kEarlierDateQuestion},
        {"earlier today", true, KindOnce, "", kHours, today, 0, kSave, nullptr},
        {"tomorrow", true, KindOnce, "", kHours, {2024, 3, 6}, 0, kSave, nullptr},
        {"switched off yesterday", false, KindOnce, "", kHours, {2024, 3, 4}, 12, kAsk, kEarlierDateQuestion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScheduleEditorFields fields = Entered();
        fields.on = c.on;
        fields.kind = c.kind;
        fields.intervalNumber = c.number;
        fields.intervalUnit = c.unit;
        fields.date = c.date;
        fields.hour = c.hour;
        const ScheduleConfirmation confirmation = ConfirmScheduleEditor(fields, today);
        EXPECT_EQ(confirmation.action, c.action);
        if (c.message == nullptr) {
            EXPECT_EQ(confirmation.message, nullptr);
        } else {
            EXPECT_STREQ(confirmation.message, c.message);
        }
    }
}

}  // namespace
