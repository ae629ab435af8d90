#include "widget/calendar/holiday_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

HolidayTable Parsed(std::string_view text) {
    HolidayTable table;
    table.Parse(text);
    return table;
}

// Titles of the day's entries, in the order the day lists them.
std::vector<std::string> TitlesOn(const HolidayTable& table, GregorianDate day) {
    DayHolidays result;
    table.HolidaysOfDay(day, false, nullptr, result);
    std::vector<std::string> titles;
    for (const HolidayEntry& entry : result.entries) {
        titles.push_back(entry.title);
    }
    return titles;
}

// The day's only entry; fails when the day has none or several.
HolidayEntry OnlyEntryOn(const HolidayTable& table, GregorianDate day) {
    DayHolidays result;
    table.HolidaysOfDay(day, false, nullptr, result);
    EXPECT_EQ(result.entries.size(), 1u) << day.year << "-" << day.month << "-" << day.day;
    return result.entries.empty() ? HolidayEntry{} : result.entries.front();
}

using Titles = std::vector<std::string>;

TEST(HolidayTable, ReadsNumbersLikeAtoiWithoutOverflowOrWrapping) {
    struct Case {
        const char* firstLine;
        GregorianDate day;
        bool matches;
    };
    const Case cases[] = {
        {"NORMAL,10,1,1949,T", {1949, 10, 1}, true},
        {"NORMAL,10,1,1949,T", {1948, 10, 1}, false},
        // Blanks before a number are skipped, the number ends at a non-digit.
        {"NORMAL, 10 ,1st,\t1949年,T", {1949, 10, 1}, true},
        {"NORMAL, 10 ,1st,\t1949年,T", {1948, 10, 1}, false},
        {"NORMAL,+10,+01,-5,T", {1, 10, 1}, true},
        // A field that is not a number reads as 0.
        {"NORMAL,10,1,元年,T", {1, 10, 1}, true},
        {"LUNAR, 8,15日,xyz,T", {2008, 9, 14}, true},
        // Cut to 16 bits, 67485 would become 1949 and 656 * 100 + 37 would
        // become key 101 (January 1).
        {"NORMAL,10,1,67485,T", {2008, 10, 1}, false},
        {"NORMAL,656,37,0,T", {2008, 1, 1}, false},
        // Beyond 32 bits: clamped, never undefined, never a real date.
        {"NORMAL,10,1,99999999999999999999,T", {2050, 10, 1}, false},
        {"NORMAL,10,1,-99999999999999999999,T", {1901, 10, 1}, true},
        {"NORMAL,99999999999,1,0,T", {2008, 1, 1}, false},
        {"NORMAL,-99999999999,-99999999999,0,T", {2008, 1, 1}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstLine);
        HolidayTable table = Parsed(std::string(c.firstLine) + "\n描述\n");
        DayHolidays result;
        EXPECT_EQ(table.HolidaysOfDay(c.day, false, nullptr, result), c.matches);
    }
}

TEST(HolidayTable, MalformedFirstLineIsSkippedAloneAndTheNextLineStartsAnEntry) {
    HolidayTable table = Parsed(
        "\n"
        "没有逗号的一行\n"
        "NORMAL,1,2,2000\n"  // three commas only
        "NORMAL,1,1,2000,元旦\n"
        "新年第一天\n"
        "NORMAL,1,3\n"
        "NORMAL,1,4,0,四日\n"
        "最后一行没有行尾");

    EXPECT_EQ(table.EntryCount(), 2u);
    EXPECT_EQ(OnlyEntryOn(table, {2008, 1, 1}), (HolidayEntry{2000, "元旦", "新年第一天"}));
    EXPECT_EQ(TitlesOn(table, {2008, 1, 2}), Titles{});
    EXPECT_EQ(TitlesOn(table, {2008, 1, 3}), Titles{});
    EXPECT_EQ(OnlyEntryOn(table, {2008, 1, 4}), (HolidayEntry{0, "四日", "最后一行没有行尾"}));
}

TEST(HolidayTable, DescriptionIsTheNextLineWhateverItHolds) {
    HolidayTable table = Parsed(
        "NORMAL,1,1,0,甲\n"
        "\n"
        "NORMAL,1,2,0,乙\n"
        "NORMAL,1,3,0,丙\n"
        "NORMAL,1,4,0,丁\n");

    EXPECT_EQ(table.EntryCount(), 3u);
    EXPECT_EQ(OnlyEntryOn(table, {2008, 1, 1}).description, "");
    EXPECT_EQ(OnlyEntryOn(table, {2008, 1, 2}).description, "NORMAL,1,3,0,丙");
    EXPECT_EQ(TitlesOn(table, {2008, 1, 3}), Titles{});
    // A first line that ends the file.
    EXPECT_EQ(OnlyEntryOn(table, {2008, 1, 4}), (HolidayEntry{0, "丁", ""}));
}

TEST(HolidayTable, TrimsTextsKeepsCommasInTheTitleAndReadsCrLf) {
    HolidayTable table = Parsed(
        "NORMAL,5,1,0, \t劳动节,五一 \r\n"
        "  国际劳动节。\t\r\n"
        "NORMAL,5,2,0,二日\r\n"
        "\r\n"
        "NORMAL,5,3,0,三日\r\n"
        "三日描述\r\n");

    EXPECT_EQ(table.EntryCount(), 3u);
    EXPECT_EQ(OnlyEntryOn(table, {2008, 5, 1}), (HolidayEntry{0, "劳动节,五一", "国际劳动节。"}));
    EXPECT_EQ(OnlyEntryOn(table, {2008, 5, 2}), (HolidayEntry{0, "二日", ""}));
    EXPECT_EQ(OnlyEntryOn(table, {2008, 5, 3}), (HolidayEntry{0, "三日", "三日描述"}));
}

TEST(HolidayTable, SectionNamesAreExactAndAnUnknownSectionTakesItsDescriptionAlong) {
    HolidayTable table = Parsed(
        "normal,1,1,0,小写\n"
        "NORMAL,1,2,0,被当作描述\n"
        " NORMAL,1,3,0,前导空格\n"
        "描述\n"
        "HOLIDAY,1,4,0,未知\n"
        "描述\n"
        "NORMAL,1,5,0,五日\n"
        "描述\n");

    EXPECT_EQ(table.EntryCount(), 1u);
    for (int day = 1; day <= 4; ++day) {
        EXPECT_EQ(TitlesOn(table, {2008, 1, day}), Titles{}) << day;
    }
    EXPECT_EQ(TitlesOn(table, {2008, 1, 5}), Titles{"五日"});
}

TEST(HolidayTable, DuplicateKeys) {
    HolidayTable table = Parsed(
        "NORMAL,10,1,2100,未来\n\n"
        "NORMAL,10,1,1949,国庆节\n\n"
        "NORMAL,1,1,0,元旦\n\n"
        "NORMAL,1,1,0,元旦二\n\n"
        "LUNAR,8,15,0,中秋节\n\n"
        "LUNAR,8,15,0,中秋二\n\n"
        "EXTEND,5,21,0,甲\n\n"
        "EXTEND,5,21,0,乙\n\n");

    // Every fixed-date line is kept; lookups see only the first of a key,
    // even while its first year lies ahead and the second would apply.
    EXPECT_EQ(table.EntryCount(), 6u);
    EXPECT_EQ(TitlesOn(table, {2008, 10, 1}), Titles{});
    EXPECT_EQ(TitlesOn(table, {2100, 10, 1}), Titles{"未来"});
    EXPECT_EQ(TitlesOn(table, {2008, 1, 1}), Titles{"元旦"});

    HolidayEntry lunar;
    ASSERT_TRUE(table.MatchLunar(8, 15, lunar));
    EXPECT_EQ(lunar.title, "中秋节");
    EXPECT_EQ(TitlesOn(table, {2008, 5, 4}), Titles{"甲"});
}

TEST(HolidayTable, WeekdayEntriesUseTheWeekRowsOfTheMonth) {
    struct Case {
        const char* firstLine;
        GregorianDate day;
        bool matches;
    };
    const Case cases[] = {
        // May 2008 begins on a Thursday: the Sunday of row 2 is May 4, while
        // May 11 is the second Sunday.
        {"EXTEND,5,21,2000,T", {2008, 5, 4}, true},
        {"EXTEND,5,21,2000,T", {2008, 5, 11}, false},
        {"EXTEND,5,17,0,T", {2008, 5, 3}, true},
        // June 2008 begins on a Sunday.
        {"EXTEND,6,11,0,T", {2008, 6, 1}, true},
        {"EXTEND,6,21,0,T", {2008, 6, 8}, true},
        // March 2008 begins on a Saturday and spreads over six rows.
        {"EXTEND,3,62,0,T", {2008, 3, 31}, true},
        {"EXTEND,3,17,0,T", {2008, 3, 1}, true},
        {"EXTEND,3,21,0,T", {2008, 3, 2}, true},
        // First year.
        {"EXTEND,5,21,2009,T", {2008, 5, 4}, false},
        {"EXTEND,5,21,2009,T", {2009, 5, 3}, true},
        {"EXTEND,5,21,2009,T", {2009, 5, 10}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstLine);
        HolidayTable table = Parsed(std::string(c.firstLine) + "\n描述\n");
        std::vector<HolidayEntry> matches{HolidayEntry{0, "stale", ""}};
        EXPECT_EQ(table.MatchSolar(c.day.year, c.day.month, c.day.day, matches), c.matches)
            << c.day.month << "-" << c.day.day;
        EXPECT_EQ(matches.size(), c.matches ? 1u : 0u);
    }
}

TEST(HolidayTable, LeapLunarMonthNeverMatches) {
    HolidayTable table = Parsed(
        "LUNAR,7,7,0,七夕节\n"
        "牛郎织女\n"
        // 648 * 100 + 43 is where leap 7/7 (-693) lands when cut to 16 bits.
        "LUNAR,648,43,0,错位\n"
        "描述\n"
        // A negative month in the file gives the leap month's own key.
        "LUNAR,-7,7,0,负月\n"
        "描述\n");

    EXPECT_EQ(TitlesOn(table, {2006, 7, 31}), Titles{"七夕节"});  // 七月初七
    EXPECT_EQ(TitlesOn(table, {2006, 8, 30}), Titles{});          // 闰七月初七

    HolidayEntry entry;
    EXPECT_FALSE(table.MatchLunar(-7, 7, entry));
    ASSERT_TRUE(table.MatchLunar(7, 7, entry));
    EXPECT_EQ(entry, (HolidayEntry{0, "七夕节", "牛郎织女"}));
}

TEST(HolidayTable, DayWithoutLunarDateMatchesNoLunarEntry) {
    // Non-numbers read as 0, which is what a day outside the lunar tables
    // converts to.
    HolidayTable table = Parsed("LUNAR,x,y,z,零\n描述\n");
    HolidayEntry entry;
    ASSERT_TRUE(table.MatchLunar(0, 0, entry));

    for (GregorianDate day : {GregorianDate{1850, 1, 1}, GregorianDate{2060, 1, 1}}) {
        DayHolidays result;
        EXPECT_FALSE(table.HolidaysOfDay(day, true, nullptr, result)) << day.year;
    }
}

TEST(HolidayTable, SearchAheadTriesTheDayAndTheTwoAfterIt) {
    HolidayTable table = Parsed(
        "NORMAL,1,1,0,元旦\n\n"
        "NORMAL,2,1,0,二月一日\n\n"
        "NORMAL,2,4,0,二月四日\n\n"
        "NORMAL,3,1,0,三月一日\n\n");
    struct Case {
        GregorianDate start;
        bool found;
        GregorianDate date;  // the day that matched, or the start day
        int solarTerm;       // of that day
    };
    const Case cases[] = {
        {{2008, 1, 30}, true, {2008, 2, 1}, 0},   {{2008, 1, 29}, false, {2008, 1, 29}, 0},
        {{2008, 12, 30}, true, {2009, 1, 1}, 0},  {{2008, 2, 28}, true, {2008, 3, 1}, 0},
        {{2008, 2, 27}, false, {2008, 2, 27}, 0},                                         // 2008 has a February 29
        {{2009, 2, 27}, true, {2009, 3, 1}, 0},   {{2008, 2, 2}, true, {2008, 2, 4}, 3},  // 立春 is on the matched day
        {{2008, 1, 6}, false, {2008, 1, 6}, 1},                                           // 小寒 on the asked day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start.year << "-" << c.start.month << "-" << c.start.day);
        DayHolidays result;
        result.entries.push_back(HolidayEntry{0, "stale", ""});
        EXPECT_EQ(table.HolidaysOfDay(c.start, true, nullptr, result), c.found);
        EXPECT_EQ(result.date, c.date);
        EXPECT_EQ(result.solarTerm, c.solarTerm);
        EXPECT_EQ(result.entries.size(), c.found ? 1u : 0u);
    }

    DayHolidays result;
    EXPECT_FALSE(table.HolidaysOfDay({2008, 12, 31}, false, nullptr, result));
    EXPECT_EQ(result.date, (GregorianDate{2008, 12, 31}));
    EXPECT_TRUE(result.entries.empty());
}

// 2008-06-08 is a fixed date, the Sunday of June's second row and lunar 5/5.
// The lines are in the reverse of the order the day lists them in.
constexpr std::string_view kThreeKindsOnOneDay =
    "LUNAR,5,5,0,端午节\n"
    "粽子\n"
    "EXTEND,6,21,2000,周日\n"
    "第二行的星期日\n"
    "NORMAL,6,8,2000,固定\n"
    "六月八日\n";

TEST(HolidayTable, EntriesOfADayAreFixedDateThenWeekdayThenLunar) {
    HolidayTable table = Parsed(kThreeKindsOnOneDay);
    EXPECT_EQ(TitlesOn(table, {2008, 6, 8}), (Titles{"固定", "周日", "端午节"}));
}

TEST(HolidayTable, MeasuresEveryDescriptionWrappedTo169Pixels) {
    HolidayTable table = Parsed(kThreeKindsOnOneDay);
    std::vector<std::pair<std::string, int>> calls;
    DescriptionMeasurer measurer = [&calls](const std::string& description, int width) {
        calls.emplace_back(description, width);
        return TextRect{0, 0, width, static_cast<int>(description.size())};
    };

    DayHolidays result;
    ASSERT_TRUE(table.HolidaysOfDay({2008, 6, 6}, true, &measurer, result));
    EXPECT_EQ(result.date, (GregorianDate{2008, 6, 8}));
    using Call = std::pair<std::string, int>;
    EXPECT_EQ(calls, (std::vector<Call>{{"六月八日", 169}, {"第二行的星期日", 169}, {"粽子", 169}}));
    EXPECT_EQ(result.descriptionRects, (std::vector<TextRect>{{0, 0, 169, 8}, {0, 0, 169, 14}, {0, 0, 169, 4}}));

    // Nothing is measured for a day without holidays, or without a measurer.
    calls.clear();
    EXPECT_FALSE(table.HolidaysOfDay({2008, 6, 1}, false, &measurer, result));
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(result.descriptionRects.empty());
    ASSERT_TRUE(table.HolidaysOfDay({2008, 6, 8}, false, nullptr, result));
    EXPECT_TRUE(result.descriptionRects.empty());
}

TEST(HolidayTable, MissingFileGivesNoHolidays) {
    HolidayTable table;
    EXPECT_FALSE(table.Load(SUITE_SOURCE_DIR "/data/no_such_holiday.dat"));
    EXPECT_EQ(table.EntryCount(), 0u);
    DayHolidays result;
    EXPECT_FALSE(table.HolidaysOfDay({2008, 10, 1}, true, nullptr, result));
}

TEST(HolidayTable, ShippedFileLoadsWhole) {
    const std::string path = SUITE_SOURCE_DIR "/data/holiday.dat";
    HolidayTable table;
    ASSERT_TRUE(table.Load(path));

    // Every line is CR LF terminated and every pair of lines is an entry, so
    // no line of the file was skipped.
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto lineEnds = std::count(bytes.begin(), bytes.end(), '\n');
    std::size_t crLf = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) {
        ++crLf;
    }
    EXPECT_EQ(crLf, static_cast<std::size_t>(lineEnds));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    ASSERT_EQ(lineEnds % 2, 0);
    EXPECT_EQ(table.EntryCount(), static_cast<std::size_t>(lineEnds / 2));

    struct Case {
        GregorianDate day;
        Titles titles;
    };
    const Case cases[] = {
        {{2008, 10, 1}, {"国庆节"}},
        {{2009, 1, 26}, {"春节"}},   // lunar new year
        {{2008, 6, 8}, {"端午节"}},  // 五月初五
        {{2014, 12, 13}, {"国家公祭日"}},
        {{2013, 12, 13}, {}},  // before its first year
        {{2008, 5, 11}, {}},   // no weekday rules are shipped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.day.year << "-" << c.day.month << "-" << c.day.day);
        DayHolidays result;
        table.HolidaysOfDay(c.day, false, nullptr, result);
        Titles titles;
        for (const HolidayEntry& entry : result.entries) {
            titles.push_back(entry.title);
            EXPECT_FALSE(entry.description.empty());
        }
        EXPECT_EQ(titles, c.titles);
    }
}

}  // namespace
