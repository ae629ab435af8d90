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
    EXPECT_EQ(fields, (BirthdayEditorFields{{2024, 5, 10}, "小明", "买蛋糕", "3", true}));

    // A new birthday: placeholders shown, no delete button.
    EXPECT_TRUE(FillBirthdayEditor(NewBirthdayReminder({2024, 5, 10}, At(2024, 5, 1)), false, fields));
    EXPECT_EQ(fields, (BirthdayEditorFields{{2024, 5, 10}, "请输入好友姓名", "请输入详细内容", "1", false}));
}

TEST(BirthdayEditor, ReadBackIsTheLastSecondOfTheDayWithoutProgramOrSound) {
    struct Case {
        const char* name;
        BirthdayEditorFields fields;
        ReminderItem saved;
    };
    const Case cases[] = {
        {"typed",
         {{2024, 5, 10}, "小明", "买蛋糕", "3", true},
         {9, "小明", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 3, "买蛋糕", "", ""}},
        {"placeholders",
         {{2024, 5, 10}, "请输入好友姓名", "请输入详细内容", "0", false},
         {9, "", At(2024, 5, 10, 23, 59, 59), 0, KindBirthday, 0, "", "", ""}},
        {"year after 2037",
         {{2040, 2, 29}, "小明", "", "365", false},
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
