#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "widget/calendar/lunar_converter.h"

namespace {

constexpr char kUntouched = '#';

struct NameResult {
    int code;
    std::string text;
};

// Calls a naming operation with a buffer of `size` bytes inside a larger
// guarded one, and fails if anything past `size` was written.
template <typename Name>
NameResult CallWithBuffer(Name name, std::size_t size) {
    char buffer[32];
    std::memset(buffer, kUntouched, sizeof buffer);
    int code = name(buffer, size);
    for (std::size_t i = size; i < sizeof buffer; ++i) {
        EXPECT_EQ(buffer[i], kUntouched) << "written past a buffer of " << size << " bytes";
    }
    bool written = size > 0 && buffer[0] != kUntouched;
    return {code, written ? std::string(buffer) : std::string(1, kUntouched)};
}

NameResult MonthName(int month, bool leap, std::size_t size = 20) {
    return CallWithBuffer([&](char* b, std::size_t s) { return LunarConverter::LunarMonthName(month, leap, b, s); },
                          size);
}

NameResult DayName(int day, std::size_t size = 20) {
    return CallWithBuffer([&](char* b, std::size_t s) { return LunarConverter::LunarDayName(day, b, s); }, size);
}

NameResult TermName(int index, std::size_t size = 20) {
    return CallWithBuffer([&](char* b, std::size_t s) { return LunarConverter::SolarTermName(index, b, s); }, size);
}

const std::string kNotWritten(1, kUntouched);

}  // namespace

TEST(LunarNames, TextsAreGbk) {
    // 七月初八 in code page 936.
    EXPECT_EQ(LunarConverter::LunarText(2008, 8, 8), "\xC6\xDF\xD4\xC2\xB3\xF5\xB0\xCB");
}

TEST(LunarNames, MonthNames) {
    struct Case {
        int month;
        bool leap;
        int code;
        const char* text;
    };
    const Case cases[] = {
        {1, false, 5, "正月"},       {-1, false, 5, "闰一月"}, {1, true, 5, "闰一月"},    {2, false, 5, "二月"},
        {7, false, 5, "七月"},       {-7, false, 5, "闰七月"}, {10, false, 5, "十月"},    {11, false, 7, "十一月"},
        {-11, false, 7, "闰十一月"}, {12, false, 7, "十二月"}, {12, true, 7, "闰十二月"}, {0, false, -1, ""},
        {13, false, -1, ""},         {-13, false, -1, ""},
    };
    for (const Case& c : cases) {
        NameResult result = MonthName(c.month, c.leap);
        EXPECT_EQ(result.code, c.code) << c.month << " leap " << c.leap;
        EXPECT_EQ(result.text, c.text) << c.month << " leap " << c.leap;
    }
}

TEST(LunarNames, MonthNameNeedsRoomForTheWholeName) {
    EXPECT_EQ(MonthName(7, false, 6).code, 7);
    EXPECT_EQ(MonthName(7, false, 6).text, kNotWritten);
    EXPECT_EQ(MonthName(-7, false, 7).text, "闰七月");
    // 闰十一月 takes nine bytes: a seven-byte buffer is refused, not overrun.
    EXPECT_EQ(MonthName(-11, false, 7).code, 9);
    EXPECT_EQ(MonthName(-11, false, 8).text, kNotWritten);
    EXPECT_EQ(MonthName(-11, false, 9).text, "闰十一月");
}

TEST(LunarNames, DayNames) {
    struct Case {
        int day;
        const char* text;
    };
    const Case cases[] = {{1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
                          {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},      {31, ""},     {-1, ""}};
    for (const Case& c : cases) {
        NameResult result = DayName(c.day);
        EXPECT_EQ(result.text, c.text) << c.day;
        EXPECT_EQ(result.code, *c.text ? 5 : -1) << c.day;
    }
    EXPECT_EQ(DayName(8, 4).code, 5);
    EXPECT_EQ(DayName(8, 4).text, kNotWritten);
    EXPECT_EQ(DayName(8, 5).text, "初八");
}

TEST(LunarNames, SolarTermNames) {
    struct Case {
        int index;
        const char* text;
    };
    const Case cases[] = {{1, "小寒"}, {3, "立春"}, {12, "夏至"}, {16, "处暑"}, {24, "冬至"}, {0, ""}, {25, ""}};
    for (const Case& c : cases) {
        NameResult result = TermName(c.index);
        EXPECT_EQ(result.text, c.text) << c.index;
        EXPECT_EQ(result.code, *c.text ? 5 : -1) << c.index;
    }
    EXPECT_EQ(TermName(1, 4).text, kNotWritten);
}

TEST(LunarNames, LunarTextOfADay) {
    struct Case {
        int year, month, day;
        const char* text;
    };
    const Case cases[] = {
        {2008, 8, 8, "七月初八"},
        {2006, 8, 24, "闰七月初一"},
        {2008, 2, 4, "十二月廿八 立春"},
        {1901, 2, 19, "正月初一 雨水"},
        {2033, 12, 22, "闰十一月初一"},
        {2033, 12, 21, "十一月三十 冬至"},
        {2025, 4, 28, "四月初一"},
        {1900, 12, 22, "十一月初一"},
        {2051, 2, 10, "十二月廿九"},
        // Outside the tables there is no lunar date to name.
        {2051, 2, 11, ""},
        {1900, 12, 21, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LunarConverter::LunarText(c.year, c.month, c.day), c.text)
            << c.year << "-" << c.month << "-" << c.day;
    }
}

TEST(LunarNames, WeekdayNames) {
    EXPECT_STREQ(LunarConverter::WeekdayName(1), "星期日");
    EXPECT_STREQ(LunarConverter::WeekdayName(4), "星期三");
    EXPECT_STREQ(LunarConverter::WeekdayName(7), "星期六");
    EXPECT_STREQ(LunarConverter::WeekdayName(0), "");
    EXPECT_STREQ(LunarConverter::WeekdayName(8), "");
}
