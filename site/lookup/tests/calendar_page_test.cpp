#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "site/lookup/lookup_pages.h"
#include "site/lookup/query_parameters.h"
#include "site/lookup/tests/fake_upstream.h"
#include "site/lookup/tests/page_reading.h"

namespace {

// 2026-02-17 10:00 in Beijing.
constexpr Moment kSpringFestival2026Morning = 1771293600;

using Texts = std::vector<std::string>;

class CalendarPageTest : public testing::Test {
protected:
    CalendarPageTest() : pages_(upstream_, cache_, clock_, Settings()) {}

    static LookupSettings Settings() {
        LookupSettings settings;
        settings.holidayTablePath = SUITE_SOURCE_DIR "/data/holiday.dat";
        return settings;
    }

    SiteResponse Month(const std::string& year, const std::string& month) {
        return pages_.Serve({{"id", "wannianli"}, {"y", year}, {"m", month}});
    }

    FakeUpstream upstream_;
    AnswerCache cache_;
    FakeClock clock_{kSpringFestival2026Morning};
    LookupPages pages_;
};

// The cell of `day`, or an empty cell when the grid lacks it.
GridCellText CellOf(const std::vector<GridCellText>& cells, int day) {
    for (const GridCellText& cell : cells) {
        if (cell.day == day) {
            return cell;
        }
    }
    ADD_FAILURE() << "no cell for day " << day;
    return {};
}

// Column (0 = Sunday) of `day` in the grid.
int ColumnOf(const std::vector<GridCellText>& cells, int day) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].day == day) {
            return static_cast<int>(i % 7);
        }
    }
    return -1;
}

struct ExpectedDay {
    int day;
    const char* lunar;
    Texts terms;
    Texts holidays;
};

// Lunar days from the astronomical month starts (2026-01-19 十二月,
// 2026-02-17 正月, 2025-06-25 六月, 2025-07-25 闰六月, 2025-08-23 七月,
// 2026-11-09 十月, 2026-12-09 十一月), terms from the astronomical term days
// (2025: 小暑 07-07, 大暑 07-22, 处暑 08-23; 2026: 立春 02-04, 雨水 02-18, 大雪
// 12-07, 冬至 12-22),
// holidays from the shipped holiday.dat.
void ExpectDays(const SiteResponse& page, const std::vector<ExpectedDay>& expected) {
    const std::vector<GridCellText> cells = GridCells(page.body);
    for (const ExpectedDay& day : expected) {
        const GridCellText cell = CellOf(cells, day.day);
        EXPECT_EQ(cell.lunar, day.lunar) << "day " << day.day;
        EXPECT_EQ(cell.terms, day.terms) << "day " << day.day;
        EXPECT_EQ(cell.holidays, day.holidays) << "day " << day.day;
    }
}

TEST_F(CalendarPageTest, February2026HasSpringFestivalOnThe17th) {
    const SiteResponse page = Month("2026", "2");
    ASSERT_EQ(page.status, 200);
    EXPECT_EQ(page.contentType, "text/html; charset=gb2312");
    const std::vector<GridCellText> cells = GridCells(page.body);
    ASSERT_EQ(cells.size(), 28u);  // 2026-02-01 is a Sunday and the 28th a Saturday: four full rows
    EXPECT_EQ(cells.front().day, 1);
    ExpectDays(page, {
                         {1, "十四", {}, {}},
                         {4, "十七", {"立春"}, {}},
                         {10, "廿三", {}, {"小年"}},
                         {16, "廿九", {}, {}},
                         {17, "正月", {}, {"春节"}},
                         {18, "初二", {"雨水"}, {}},
                         {28, "十二", {}, {}},
                     });
    EXPECT_NE(page.body.find("农历乙巳年（蛇年）、丙午年（马年）"), std::string::npos);
    EXPECT_NE(page.body.find("2026年2月"), std::string::npos);
}

TEST_F(CalendarPageTest, LeapSixthMonthOf2025) {
    const SiteResponse july = Month("2025", "7");
    ASSERT_EQ(july.status, 200);
    const std::vector<GridCellText> cells = GridCells(july.body);
    EXPECT_EQ(ColumnOf(cells, 1), 2);  // 2025-07-01 is a Tuesday
    EXPECT_EQ(cells.size() % 7, 0u);
    ExpectDays(july, {
                         {1, "初七", {}, {"建党节"}},
                         {7, "十三", {"小暑"}, {}},
                         {22, "廿八", {"大暑"}, {}},
                         {24, "三十", {}, {}},
                         {25, "闰六月", {}, {}},
                         {31, "初七", {}, {}},
                     });
    EXPECT_NE(july.body.find("农历乙巳年（蛇年）<"), std::string::npos);

    const SiteResponse august = Month("2025", "8");
    ExpectDays(august, {
                           {22, "廿九", {}, {}},
                           {23, "七月", {"处暑"}, {}},
                           {29, "初七", {}, {"七夕节"}},
                       });
}

TEST_F(CalendarPageTest, December2026) {
    const SiteResponse page = Month("2026", "12");
    ASSERT_EQ(page.status, 200);
    const std::vector<GridCellText> cells = GridCells(page.body);
    EXPECT_EQ(ColumnOf(cells, 1), 2);  // a Tuesday
    EXPECT_EQ(ColumnOf(cells, 31), 4);
    EXPECT_EQ(cells.size(), 35u);
    ExpectDays(page, {
                         {1, "廿三", {}, {}},
                         {7, "廿九", {"大雪"}, {}},
                         {9, "十一月", {}, {}},
                         {13, "初五", {}, {"国家公祭日"}},
                         {22, "十四", {"冬至"}, {}},
                         {31, "廿三", {}, {}},
                     });
    EXPECT_NE(cells[0].classes.find("blank"), std::string::npos);
    EXPECT_NE(CellOf(cells, 6).classes.find("weekend"), std::string::npos);   // Sunday
    EXPECT_NE(CellOf(cells, 12).classes.find("weekend"), std::string::npos);  // Saturday
    EXPECT_EQ(CellOf(cells, 7).classes.find("weekend"), std::string::npos);
}

TEST_F(CalendarPageTest, LinksToNeighbouringMonthsAndYears) {
    struct Case {
        const char* year;
        const char* month;
        Texts previousYear, previousMonth, nextMonth, nextYear;
    };
    const Case cases[] = {
        {"2026",
         "1",
         {"/software/lookup.asp?id=wannianli&amp;y=2025&amp;m=1"},
         {"/software/lookup.asp?id=wannianli&amp;y=2025&amp;m=12"},
         {"/software/lookup.asp?id=wannianli&amp;y=2026&amp;m=2"},
         {"/software/lookup.asp?id=wannianli&amp;y=2027&amp;m=1"}},
        {"2026",
         "12",
         {"/software/lookup.asp?id=wannianli&amp;y=2025&amp;m=12"},
         {"/software/lookup.asp?id=wannianli&amp;y=2026&amp;m=11"},
         {"/software/lookup.asp?id=wannianli&amp;y=2027&amp;m=1"},
         {"/software/lookup.asp?id=wannianli&amp;y=2027&amp;m=12"}},
        // The tables end: no link leads outside 1901-2050.
        {"1901",
         "1",
         {},
         {},
         {"/software/lookup.asp?id=wannianli&amp;y=1901&amp;m=2"},
         {"/software/lookup.asp?id=wannianli&amp;y=1902&amp;m=1"}},
        {"1901",
         "6",
         {},
         {"/software/lookup.asp?id=wannianli&amp;y=1901&amp;m=5"},
         {"/software/lookup.asp?id=wannianli&amp;y=1901&amp;m=7"},
         {"/software/lookup.asp?id=wannianli&amp;y=1902&amp;m=6"}},
        {"2050",
         "12",
         {"/software/lookup.asp?id=wannianli&amp;y=2049&amp;m=12"},
         {"/software/lookup.asp?id=wannianli&amp;y=2050&amp;m=11"},
         {},
         {}},
    };
    for (const Case& c : cases) {
        const SiteResponse page = Month(c.year, c.month);
        ASSERT_EQ(page.status, 200) << c.year << "-" << c.month;
        EXPECT_EQ(LinksLabelled(page.body, "&lt;&lt; 上一年"), c.previousYear) << c.year << "-" << c.month;
        EXPECT_EQ(LinksLabelled(page.body, "&lt; 上一月"), c.previousMonth) << c.year << "-" << c.month;
        EXPECT_EQ(LinksLabelled(page.body, "下一月 &gt;"), c.nextMonth) << c.year << "-" << c.month;
        EXPECT_EQ(LinksLabelled(page.body, "下一年 &gt;&gt;"), c.nextYear) << c.year << "-" << c.month;
    }
}

TEST_F(CalendarPageTest, FirstAndLastMonthsOfTheTablesRender) {
    // 1901-01 lies before lunar 1901 (its days are lunar 1900's last two
    // months); 2050-12 runs into lunar 2050's eleventh month.
    const SiteResponse first = Month("1901", "1");
    ASSERT_EQ(first.status, 200);
    // New Year's Day is kept from 1912 on only.
    ExpectDays(first, {{1, "十一", {}, {}}, {20, "十二月", {}, {}}});  // 1900/11/11 and 1900/12/1
    EXPECT_NE(first.body.find("农历庚子年（鼠年）<"), std::string::npos);
    const SiteResponse last = Month("2050", "12");
    ASSERT_EQ(last.status, 200);
    EXPECT_EQ(CellOf(GridCells(last.body), 31).lunar, "十八");  // 2050/11/18
}

TEST_F(CalendarPageTest, DefaultMonthIsTodayInBeijing) {
    struct Case {
        Moment now;
        int month;
        int today;
    };
    const Case cases[] = {
        {kSpringFestival2026Morning, 2, 17},
        {1771259400, 2, 17},  // 2026-02-16 16:30 UTC, already the 17th in Beijing
        {1769877000, 2, 1},   // 2026-01-31 16:30 UTC, February in Beijing
    };
    for (const Case& c : cases) {
        clock_.Set(c.now);
        const SiteResponse page = pages_.Serve({{"id", "wannianli"}});
        ASSERT_EQ(page.status, 200);
        EXPECT_NE(page.body.find("2026年" + std::to_string(c.month) + "月"), std::string::npos) << c.now;
        int todays = 0;
        for (const GridCellText& cell : GridCells(page.body)) {
            if (cell.classes.find("today") != std::string::npos) {
                ++todays;
                EXPECT_EQ(cell.day, c.today) << c.now;
            }
        }
        EXPECT_EQ(todays, 1) << c.now;
    }
    // Another month shows no today.
    for (const GridCellText& cell : GridCells(Month("2026", "3").body)) {
        EXPECT_EQ(cell.classes.find("today"), std::string::npos);
    }
}

TEST_F(CalendarPageTest, ParametersAreNeverTrusted) {
    struct Case {
        QueryParameters parameters;
        int status;
        const char* shows;  // the month caption of a shown page
    };
    const Case cases[] = {
        {{{"id", "wannianli"}, {"y", "abc"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", ""}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", "+2026"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", " 2026"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", "2026.5"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"m", "13"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"m", "0"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"m", "-1"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"m", "12x"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", "2026"}, {"y", "2025"}}, 400, nullptr},
        {{{"id", "wannianli"}, {"y", "99999"}}, 404, nullptr},
        {{{"id", "wannianli"}, {"y", "99999999999999999999999"}}, 404, nullptr},
        {{{"id", "wannianli"}, {"y", "1900"}}, 404, nullptr},
        {{{"id", "wannianli"}, {"y", "2051"}}, 404, nullptr},
        {{{"id", "wannianli"}, {"y", "0"}}, 404, nullptr},
        {{{"id", "wannianli"}, {"y", "2026"}, {"y", "2026"}, {"m", "3"}}, 200, "2026年3月"},
        {{{"id", "wannianli"}, {"y", "002026"}, {"m", "03"}}, 200, "2026年3月"},
        {{{"id", "wannianli"}, {"m", "7"}}, 200, "2026年7月"},
        {{{"id", "wannianli"}, {"y", "1990"}}, 200, "1990年2月"},
        {{{"id", "wannianli"}, {"y", "2026"}, {"m", "3"}, {"other", "<script>"}}, 200, "2026年3月"},
    };
    for (const Case& c : cases) {
        const SiteResponse page = pages_.Serve(c.parameters);
        std::string request;
        for (const auto& [name, value] : c.parameters) {
            request += name + "=" + value + "&";
        }
        EXPECT_EQ(page.status, c.status) << request;
        EXPECT_EQ(page.contentType, "text/html; charset=gb2312") << request;
        EXPECT_NE(page.body.find("</html>"), std::string::npos) << request;
        if (c.shows != nullptr) {
            EXPECT_NE(page.body.find(std::string("<td class=\"caption\">") + c.shows + "<"), std::string::npos)
                << request;
        } else {
            EXPECT_TRUE(GridCells(page.body).empty()) << request;
        }
    }
}

TEST_F(CalendarPageTest, MissingHolidayFileShowsLunarDaysAndTermsOnly) {
    LookupSettings settings;
    settings.holidayTablePath = SUITE_SOURCE_DIR "/no/such/holiday.dat";
    LookupPages pages(upstream_, cache_, clock_, settings);
    const SiteResponse page = pages.Serve({{"id", "wannianli"}, {"y", "2026"}, {"m", "2"}});
    ASSERT_EQ(page.status, 200);
    ExpectDays(page, {{4, "十七", {"立春"}, {}}, {17, "正月", {}, {}}});
}

TEST_F(CalendarPageTest, HolidayTitlesShowAsText) {
    LookupSettings settings;
    settings.holidayTablePath = SUITE_SOURCE_DIR "/site/lookup/tests/data/holiday_markup.dat";
    LookupPages pages(upstream_, cache_, clock_, settings);
    const SiteResponse page = pages.Serve({{"id", "wannianli"}, {"y", "2026"}, {"m", "2"}});
    ASSERT_EQ(page.status, 200);
    ExpectDays(page, {{14, "廿七", {}, {"&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;Co&quot;"}}});
    EXPECT_EQ(page.body.find("<script"), std::string::npos);
}

}  // namespace
