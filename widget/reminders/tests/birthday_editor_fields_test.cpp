#include "widget/reminders/birthday_editor_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "common/local_time.h"

namespace {

Moment At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return FromLocalTime({year, month, day, hour, minute, second});
}

TEST(BirthdayEditor, FillTakesOverBirthdaysOnly) {
    BirthdayEditorFields fields;
    fields.name = "上次的";
    const BirthdayEditorFields before = fields;
    const ReminderItem once{4, "开会", At(2024, 5, 10, 9, 0), 0, KindOnce, 0, "", "", ""};
    EXPECT_FALSE(FillBirthdayEditor(once, true, fields));
    EXPECT_EQ(fields, before);

    const ReminderItem birthday{5, "小明", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 3, "买蛋糕", "", ""};
    EXPECT_TRUE(FillBirthdayEditor(birthday, true, fields));
    EXPECT_EQ(fields, (BirthdayEditorFields{{2024, 5, 10}, "小明", "买蛋糕", "3", false, false, true}));

    // A new birthday: placeholders shown, no delete button.
    EXPECT_TRUE(FillBirthdayEditor(NewBirthdayReminder({2024, 5, 10}, At(2024, 5, 1)), false, fields));
    EXPECT_EQ(fields,
              (BirthdayEditorFields{{2024, 5, 10}, "请输入好友姓名", "请输入详细内容", "1", false, false, false}));
}

TEST(BirthdayEditor, FillShowsTheYearlyKindsWithTheirCalendar) {
    struct Case {
        std::uint32_t kind;
        bool yearly;
        bool lunar;
    };
    const Case cases[] = {
        {KindBirthday, false, false},
        {KindYearlyBirthday, true, false},
        {KindLunarBirthday, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        // Fields left by an earlier birthday of another kind.
        BirthdayEditorFields fields;
        fields.yearly = !c.yearly;
        fields.lunar = !c.lunar;
        const ReminderItem item{5, "小明", At(2024, 9, 17, 23, 59, 59), 0, c.kind, 2, "", "", ""};
        ASSERT_TRUE(FillBirthdayEditor(item, true, fields));
        EXPECT_EQ(fields,
                  (BirthdayEditorFields{{2024, 9, 17}, "小明", "请输入详细内容", "2", c.yearly, c.lunar, true}));
        EXPECT_EQ(CalendarChoiceEnabled(fields), c.yearly);
        // What is shown reads back as the same kind.
        EXPECT_EQ(ReadBirthdayEditor(fields, 5).kind, c.kind);
    }
}

TEST(BirthdayEditor, LunarDateLabelOfThePickedDay) {
    struct Case {
        GregorianDate picked;
        std::string label;
    };
    const Case cases[] = {
        {{2024, 9, 17}, "农历八月十五"},
        {{2020, 5, 30}, "农历闰四月初八"},
        {{2024, 2, 10}, "农历正月初一"},
        {{2037, 12, 31}, "农历十一月廿五"},
        {{2051, 3, 1}, ""},
        {{1800, 1, 1}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(LunarDateLabel(c.picked), c.label);
    }
}

TEST(BirthdayEditor, ReadBackIsTheLastSecondOfTheDayWithoutProgramOrSound) {
    struct Case {
        const char* name;
        BirthdayEditorFields fields;
        ReminderItem saved;
    };
    const Case cases[] = {
        {"typed",
         {{2024, 5, 10}, "小明", "买蛋糕", "3", false, false, true},
         {9, "小明", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 3, "买蛋糕", "", ""}},
        {"lunar counts only when yearly",
         {{2024, 5, 10}, "小明", "买蛋糕", "3", false, true, true},
         {9, "小明", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 3, "买蛋糕", "", ""}},
        {"yearly 公历",
         {{2024, 2, 29}, "小明", "买蛋糕", "3", true, false, true},
         {9, "小明", At(2024, 2, 29, 23, 59, 59), 0, KindYearlyBirthday, 3, "买蛋糕", "", ""}},
        {"yearly 农历",
         {{2024, 9, 17}, "小明", "", "0", true, true, false},
         {9, "小明", At(2024, 9, 17, 23, 59, 59), 0, KindLunarBirthday, 0, "", "", ""}},
        {"placeholders",
         {{2024, 5, 10}, "请输入好友姓名", "请输入详细内容", "0", false, false, false},
         {9, "", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 0, "", "", ""}},
        {"year after 2037",
         {{2040, 2, 29}, "小明", "", "365", false, false, false},
         {9, "小明", At(2037, 2, 28, 23, 59, 59), 0, KindBirthday, 365, "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBirthdayEditor(c.fields, 9), c.saved);
    }

    // A record from the file with a program and a sound loses both when it
    // is saved from the editor.
    BirthdayEditorFields fields;
    ASSERT_TRUE(FillBirthdayEditor({9, "小明", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 3, "", "a.exe", "b.wav"},
                                   true, fields));
    const ReminderItem saved = ReadBirthdayEditor(fields, 9);
    EXPECT_EQ(saved.program, "");
    EXPECT_EQ(saved.sound, "");
}

TEST(BirthdayEditor, NoticeMustBeZeroTo365Days) {
    struct Case {
        std::string days;
        bool accepted;
    };
    const Case cases[] = {
        {"0", true},    {"1", true},   {"365", true}, {" 30", true},
        {"366", false}, {"-1", false}, {"", false},   {"三", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        BirthdayEditorFields fields;
        fields.noticeDays = c.days;
        const char* error = BirthdayNoticeError(fields);
        if (c.accepted) {
            EXPECT_EQ(error, nullptr);
        } else {
            EXPECT_STREQ(error, "请输入一个0和365之间的数字");
        }
    }
}

}  // namespace
