#include "widget/reminders/editor_field_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr char kPlaceholder[] = "请输入标题";

TEST(PickedYear, OutsideItsYearsMovesToTheNearestWithTheSameDay) {
    struct Case {
        GregorianDate picked;
        GregorianDate corrected;
    };
    const Case cases[] = {
        {{2040, 5, 6}, {2037, 5, 6}},
        {{1960, 3, 1}, {1970, 3, 1}},
        {{2038, 1, 1}, {2037, 1, 1}},
        {{1969, 12, 31}, {1970, 12, 31}},
        // Leap days land in common years: the last day of February.
        {{2040, 2, 29}, {2037, 2, 28}},
        {{1960, 2, 29}, {1970, 2, 28}},
        {{1970, 1, 1}, {1970, 1, 1}},
        {{2037, 12, 31}, {2037, 12, 31}},
        {{2024, 2, 29}, {2024, 2, 29}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picked.year << "-" << c.picked.month << "-" << c.picked.day);
        EXPECT_EQ(CorrectPickedYear(c.picked), c.corrected);
    }
}

TEST(GbkTextLimit, CountsDoubleByteCharactersAsOneAndNeverCutsOne) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t limit;
        std::string kept;
    };
    const Case cases[] = {
        {"ascii", "abcdef", 4, "abcd"},
        {"chinese", "星期二下午", 3, "星期二"},
        {"mixed", "a星b期", 3, "a星b"},
        {"shorter than the limit", "开会", 50, "开会"},
        {"exactly the limit", "开会", 2, "开会"},
        {"empty", "", 5, ""},
        {"limit 0", "开会", 0, ""},
        // A lead byte with no trail byte, and 0xFF, count as one each.
        {"lone lead byte at the end", "ab\xB5", 3, "ab\xB5"},
        {"0xFF", "\xFF\xFF\xFF", 2, "\xFF\xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LimitGbkText(c.text, c.limit), c.kept);
    }

    // 60 Chinese characters keep their first 50: 100 bytes.
    std::string sixty;
    for (int i = 0; i < 60; ++i) {
        sixty += "字";
    }
    EXPECT_EQ(LimitGbkText(sixty, kTitleMaxCharacters), sixty.substr(0, 100));
    // After one ASCII letter every character begins at an odd byte.
    EXPECT_EQ(LimitGbkText("x" + sixty, kTitleMaxCharacters), "x" + sixty.substr(0, 98));
}

TEST(Placeholder, FocusEmptiesItLeavingEmptyPutsItBack) {
    using Text = std::optional<std::string>;
    struct Case {
        const char* name;
        std::string shown;
        bool readOnly;
        Text onFocus;
        Text onBlur;
    };
    const Case cases[] = {
        {"placeholder", kPlaceholder, false, "", std::nullopt},
        {"empty", "", false, std::nullopt, kPlaceholder},
        {"typed text", "开会", false, std::nullopt, std::nullopt},
        {"placeholder with more text", std::string(kPlaceholder) + "x", false, std::nullopt, std::nullopt},
        {"read-only placeholder", kPlaceholder, true, std::nullopt, std::nullopt},
        {"read-only empty", "", true, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextOnFocusGained(c.shown, kPlaceholder, c.readOnly), c.onFocus);
        EXPECT_EQ(TextOnFocusLost(c.shown, kPlaceholder, c.readOnly), c.onBlur);
    }
}

TEST(Placeholder, IsShownForAnEmptyTextAndNeverStored) {
    EXPECT_EQ(ShownFieldText("", kPlaceholder, 50), kPlaceholder);
    EXPECT_EQ(ShownFieldText("开会", kPlaceholder, 50), "开会");
    EXPECT_EQ(StoredFieldText(kPlaceholder, kPlaceholder, 50), "");
    EXPECT_EQ(StoredFieldText("开会", kPlaceholder, 50), "开会");
    EXPECT_EQ(StoredFieldText("开会讨论", kPlaceholder, 2), "开会");
}

TEST(DecimalField, OnlyAWholeNumberCounts) {
    struct Case {
        std::string text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"30", 30},
        {" 7 ", 7},
        {"0", 0},
        {"-5", -5},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"3a", std::nullopt},
        {"1 2", std::nullopt},
        {"+3", std::nullopt},
        {"99999999999", std::nullopt},
        {"一", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimalField(c.text), c.value);
    }
}

}  // namespace
