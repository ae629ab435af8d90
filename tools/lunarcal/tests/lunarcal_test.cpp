#include "tools/lunarcal/lunarcal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

// Narrow literals are GBK, like everything lunarcal prints.

namespace {

// The day the tests run on, as the platform would report it.
constexpr GregorianDate kToday{2008, 8, 8};

// A small holiday file: a fixed date, a week-day entry and a lunar entry that
// share 2008-08-07, a description with an escape sequence and a lone GBK lead
// byte in it, and a lunar
// entry on the eleventh month, which 2033 repeats as a leap month.
constexpr const char* kHolidayFile =
    "NORMAL,8,1,1933,建军节\n"
    "中国人民解放军建军纪念日\n"
    "NORMAL,8,8,2008,奥运会开幕\n"
    "开幕式\x1b[2J今晚举行\xC6\n"
    "EXTEND,8,25,2000,第二周四\n"
    "第二周的星期四\n"
    "LUNAR,7,7,0,七夕节\n"
    "牛郎织女鹊桥相会\n"
    "LUNAR,11,1,0,冬月初一\n"
    "只在平月\n";

constexpr const char* kOtherFile = "other.dat";
constexpr const char* kOtherHolidayFile = "NORMAL,8,2,2000,另一个节日\n说明\n";

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

LunarcalEnvironment FixtureEnvironment() {
    LunarcalEnvironment env;
    env.today = kToday;
    env.loadHolidayFile = [](const std::string& path, HolidayTable& table) {
        if (path != kOtherFile) {
            return false;
        }
        table.Parse(kOtherHolidayFile);
        return true;
    };
    env.loadDefaultHolidays = [](HolidayTable& table) {
        table.Parse(kHolidayFile);
        return true;
    };
    return env;
}

Result Lunarcal(const std::vector<std::string>& args, const LunarcalEnvironment& env = FixtureEnvironment()) {
    std::ostringstream out;
    std::ostringstream err;
    Result result;
    result.code = RunLunarcal(args, env, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

}  // namespace

TEST(Lunarcal, BadCommandLinesFailWithOneLineAndNoOutput) {
    struct Case {
        std::vector<std::string> args;
        std::string mentioned;  // part of the message that names the fault
    };
    const Case cases[] = {
        {{"--frobnicate"}, "'--frobnicate'"},
        {{"-"}, "'-'"},
        {{"--day"}, "--day"},
        {{"--day", "2009-02-29"}, "2009-02-29"},
        {{"--day", "2008-8-8"}, "'2008-8-8'"},
        {{"--day", "2008-08-0x"}, "'2008-08-0x'"},
        {{"--day", "2008-13-01"}, "2008-13-01"},
        {{"--day", "1900-12-31"}, "1900-12-31"},
        {{"--day", "2051-01-01"}, "2051-01-01"},
        {{"--day", "2008-08-08", "2008"}, "'2008'"},
        {{"--day", "2008-08-08", "--dump", "2008-01-01", "2008-01-02"}, "--dump"},
        {{"--dump", "2008-02-01", "2008-01-31"}, "2008-02-01"},
        {{"--dump", "2008-01-01"}, "--dump"},
        {{"--dump", "2008-01-01", "2051-01-01"}, "2051-01-01"},
        {{"--dump", "2008-01-01", "2008-01-02", "--holidays", kOtherFile}, "--holidays"},
        {{"1900"}, "1900"},
        {{"2051", "1"}, "2051"},
        {{"99999999999999999999"}, "'99999999999999999999'"},
        {{"2008", "13"}, "'13'"},
        {{"2008", "0"}, "'0'"},
        {{"2008", "+8"}, "'+8'"},
        {{"2008", "8", "1"}, "'1'"},
        {{""}, "''"},
        {{"--holidays"}, "--holidays"},
        {{"--holidays", kOtherFile, "--holidays", kOtherFile}, "--holidays"},
        {{"--holidays", "missing.dat", "2008", "8"}, "'missing.dat'"},
        {{"--holidays", "missing.dat", "--day", "2008-08-08"}, "'missing.dat'"},
        // An argument with a line break and an escape sequence stays one line.
        {{"--x\n\x1b[2J" + std::string(100, 'y')}, "'--x  [2J"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "" : c.args[0] + " ... (" + std::to_string(c.args.size()) + " args)");
        Result result = Lunarcal(c.args);
        EXPECT_EQ(result.code, kLunarcalUsageError);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("lunarcal: ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.err.back(), '\n');
        EXPECT_NE(result.err.find(c.mentioned), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find('\x1b'), std::string::npos);
    }
}

TEST(Lunarcal, TodayOutsideTheTablesNeedsAnExplicitMonth) {
    LunarcalEnvironment env = FixtureEnvironment();
    env.today = {2051, 1, 1};
    Result result = Lunarcal({}, env);
    EXPECT_EQ(result.code, kLunarcalUsageError);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("2051-01-01"), std::string::npos) << result.err;

    EXPECT_EQ(Lunarcal({"2008", "8"}, env).code, kLunarcalOk);
}

TEST(Lunarcal, DumpWritesOneTabSeparatedLineADay) {
    // Across the eleventh month of 2033 and its leap month; the 21st is 冬至 (24).
    Result result = Lunarcal({"--dump", "2033-12-20", "2033-12-23"});
    EXPECT_EQ(result.code, kLunarcalOk);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "2033-12-20\t2033\t11\t29\t0\n"
              "2033-12-21\t2033\t11\t30\t24\n"
              "2033-12-22\t2033\t-11\t1\t0\n"
              "2033-12-23\t2033\t-11\t2\t0\n");

    // A single day (立春 before the lunar new year: still lunar 2007), and a
    // Gregorian year end inside a lunar year.
    EXPECT_EQ(Lunarcal({"--dump", "2008-02-04", "2008-02-04"}).out, "2008-02-04\t2007\t12\t28\t3\n");
    EXPECT_EQ(Lunarcal({"--dump", "2008-12-31", "2009-01-01"}).out,
              "2008-12-31\t2008\t12\t5\t0\n2009-01-01\t2008\t12\t6\t0\n");
}

TEST(Lunarcal, DumpCoversTheWholeRange) {
    Result result = Lunarcal({"--dump", "1901-01-01", "2050-12-31"});
    ASSERT_EQ(result.code, kLunarcalOk);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 54787);
    EXPECT_EQ(result.out.rfind("1901-01-01\t1900\t11\t11\t0\n", 0), 0u);
    EXPECT_TRUE(result.out.ends_with("\n2050-12-31\t2050\t11\t18\t0\n"));
    EXPECT_EQ(result.out.find('\r'), std::string::npos);
}

// Checked by eye against a printed calendar: 2033-12-01 is a Thursday, the
// leap eleventh month begins on the 22nd, 大雪 and 冬至 fall on the 7th and
// 21st. The lunar entry for the eleventh month matches only the ordinary
// month (in November), so December lists no holidays.
TEST(Lunarcal, MonthLayoutOfDecember2033) {
    Result result = Lunarcal({"2033", "12"});
    EXPECT_EQ(result.code, kLunarcalOk);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, Lines({
                              "                          2033年12月",
                              "   日       一       二       三       四       五       六",
                              "                                        1        2        3",
                              "                                      初十     十一     十二",
                              "    4        5        6        7        8        9       10",
                              "  十三     十四     十五     大雪     十七     十八     十九",
                              "   11       12       13       14       15       16       17",
                              "  二十     廿一     廿二     廿三     廿四     廿五     廿六",
                              "   18       19       20       21       22       23       24",
                              "  廿七     廿八     廿九     冬至   闰十一月   初二     初三",
                              "   25       26       27       28       29       30       31",
                              "  初四     初五     初六     初七     初八     初九     初十",
                          }));
}

// August 2008 begins on a Friday and on the first day of the seventh lunar
// month; the eighth month begins on the 31st.
TEST(Lunarcal, MonthLayoutMarksAndListsHolidays) {
    const std::string expected = Lines({
        "                          2008年8月",
        "   日       一       二       三       四       五       六",
        "                                                 1*       2",
        "                                               七月     初二",
        "    3        4        5        6        7*       8*       9",
        "  初三     初四     初五     初六     立秋     初八     初九",
        "   10       11       12       13       14       15       16",
        "  初十     十一     十二     十三     十四     十五     十六",
        "   17       18       19       20       21       22       23",
        "  十七     十八     十九     二十     廿一     廿二     处暑",
        "   24       25       26       27       28       29       30",
        "  廿四     廿五     廿六     廿七     廿八     廿九     三十",
        "   31",
        "  八月",
        "",
        " 1日 建军节",
        " 7日 第二周四、七夕节",
        " 8日 奥运会开幕",
    });
    EXPECT_EQ(Lunarcal({"2008", "8"}).out, expected);
    // Without arguments: the month of today.
    EXPECT_EQ(Lunarcal({}).out, expected);
}

TEST(Lunarcal, TodayIsReversedOnlyOnATerminal) {
    EXPECT_EQ(Lunarcal({"2008", "8"}).out.find('\x1b'), std::string::npos);

    LunarcalEnvironment terminal = FixtureEnvironment();
    terminal.outIsTerminal = true;
    std::string shown = Lunarcal({"2008", "8"}, terminal).out;
    EXPECT_NE(shown.find("     7*   \x1b[7m    8*  \x1b[0m     9\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("立秋   \x1b[7m  初八  \x1b[0m   初九\n"), std::string::npos) << shown;
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\x1b'), 4);

    // Another month has nothing to highlight.
    EXPECT_EQ(Lunarcal({"2008", "9"}, terminal).out.find('\x1b'), std::string::npos);
}

TEST(Lunarcal, YearShowsTwelveMonthsInOrder) {
    Result result = Lunarcal({"2008"});
    EXPECT_EQ(result.code, kLunarcalOk);
    std::size_t previous = 0;
    for (int month = 1; month <= 12; ++month) {
        std::size_t title = result.out.find("2008年" + std::to_string(month) + "月\n");
        ASSERT_NE(title, std::string::npos) << month;
        EXPECT_GE(title, previous);
        previous = title;
    }
    // The months are one blank line apart and August is as shown alone.
    EXPECT_NE(result.out.find("\n\n" + Lunarcal({"2008", "8"}).out + "\n"), std::string::npos);
}

TEST(Lunarcal, DayReport) {
    struct Case {
        std::string date;
        std::string report;
    };
    const Case cases[] = {
        {"2008-08-07", Lines({
                           "2008年8月7日 星期四",
                           "农历 七月初七 立秋",
                           "节气 立秋",
                           "节日 第二周四",
                           "     第二周的星期四",
                           "节日 七夕节",
                           "     牛郎织女鹊桥相会",
                       })},
        // Control bytes and broken GBK of a description never reach the terminal.
        {"2008-08-08", Lines({
                           "2008年8月8日 星期五",
                           "农历 七月初八",
                           "节日 奥运会开幕",
                           "     开幕式 [2J今晚举行?",
                       })},
        // The holiday of the next day is not shown (no search ahead).
        {"2008-07-31", Lines({"2008年7月31日 星期四", "农历 六月廿九"})},
        {"2033-12-22", Lines({"2033年12月22日 星期四", "农历 闰十一月初一"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        Result result = Lunarcal({"--day", c.date});
        EXPECT_EQ(result.code, kLunarcalOk);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, c.report);
    }
}

TEST(Lunarcal, HolidayFileChoice) {
    // --holidays replaces the shipped file.
    Result other = Lunarcal({"--holidays", kOtherFile, "--day", "2008-08-02"});
    EXPECT_EQ(other.code, kLunarcalOk);
    EXPECT_NE(other.out.find("节日 另一个节日\n"), std::string::npos) << other.out;
    EXPECT_EQ(Lunarcal({"2008", "8", "--holidays", kOtherFile}).out.find("建军节"), std::string::npos);

    // Without the shipped file the calendar is still printed, with a warning.
    LunarcalEnvironment env = FixtureEnvironment();
    env.loadDefaultHolidays = [](HolidayTable&) { return false; };
    Result bare = Lunarcal({"2008", "8"}, env);
    EXPECT_EQ(bare.code, kLunarcalOk);
    EXPECT_NE(bare.out.find("2008年8月\n"), std::string::npos);
    EXPECT_EQ(bare.out.find('*'), std::string::npos);
    EXPECT_EQ(bare.err.rfind("lunarcal: ", 0), 0u);
    EXPECT_EQ(std::count(bare.err.begin(), bare.err.end(), '\n'), 1);

    // The dump never needs holidays.
    env.loadDefaultHolidays = [](HolidayTable&) -> bool { throw std::logic_error("dump loaded holidays"); };
    EXPECT_EQ(Lunarcal({"--dump", "2008-01-01", "2008-01-01"}, env).err, "");
}

TEST(Lunarcal, Help) {
    for (const char* option : {"--help", "-h"}) {
        Result result = Lunarcal({"2008", option});
        EXPECT_EQ(result.code, kLunarcalOk);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out.rfind("用法: lunarcal", 0), 0u);
    }
}
