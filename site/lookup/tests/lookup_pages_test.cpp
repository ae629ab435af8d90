#include "site/lookup/lookup_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/file_io.h"
#include "site/lookup/query_parameters.h"
#include "site/lookup/tests/fake_upstream.h"

namespace {

// 2026-12-11 09:30 in Beijing.
constexpr Moment kMorning = 1796952600;
constexpr int kHour = 60 * 60;

std::string RecordedDocument() {
    std::string document;
    EXPECT_TRUE(ReadWholeFile(SUITE_SOURCE_DIR "/site/lookup/tests/data/eurofxref-daily.xml", document));
    return document;
}

// name, code, yuan for 100
using RateRow = std::tuple<std::string, std::string, std::string>;

// The rows of the rate table, read back by their cells.
std::vector<RateRow> RateRows(const std::string& html) {
    std::vector<RateRow> rows;
    constexpr std::string_view kRow = "<tr><td>";
    for (std::size_t at = html.find(kRow); at != std::string::npos; at = html.find(kRow, at)) {
        at += kRow.size();
        const std::size_t nameEnd = html.find("</td><td>", at);
        const std::size_t codeEnd = html.find("</td><td class=\"figure\">", nameEnd);
        const std::size_t valueEnd = html.find("</td></tr>", codeEnd);
        if (valueEnd == std::string::npos) {
            break;
        }
        rows.emplace_back(html.substr(at, nameEnd - at), html.substr(nameEnd + 9, codeEnd - nameEnd - 9),
                          html.substr(codeEnd + 24, valueEnd - codeEnd - 24));
        at = valueEnd;
    }
    return rows;
}

std::optional<std::string> HeaderOf(const SiteResponse& response, const std::string& name) {
    for (const auto& [key, value] : response.headers) {
        if (key == name) {
            return value;
        }
    }
    return std::nullopt;
}

const QueryParameters kRates = {{"id", "huilv"}};

class RatesPageTest : public testing::Test {
protected:
    RatesPageTest() : pages_(upstream_, cache_, clock_, Settings()) {
        upstream_.reply = Answered(200, RecordedDocument());
    }

    static LookupSettings Settings() {
        LookupSettings settings;
        settings.ratesUrl = "https://rates.example/daily.xml";
        settings.ratesCacheSeconds = 6 * kHour;
        return settings;
    }

    FakeUpstream upstream_;
    AnswerCache cache_;
    FakeClock clock_{kMorning};
    LookupPages pages_;
};

TEST_F(RatesPageTest, ShowsYuanFor100OfEachCurrencyAndTheDateTheyAreFor) {
    const SiteResponse page = pages_.Serve(kRates);
    ASSERT_EQ(page.status, 200);
    EXPECT_EQ(page.contentType, "text/html; charset=gb2312");
    EXPECT_EQ(upstream_.asked, std::vector<std::string>{"https://rates.example/daily.xml"});
    EXPECT_FALSE(HeaderOf(page, "Age"));
    EXPECT_NE(page.body.find("汇率日期：<span class=\"date\">2026年12月10日</span>"), std::string::npos);
    EXPECT_NE(page.body.find("2026-12-11 09:30"), std::string::npos);
    EXPECT_EQ(page.body.find("暂时无法"), std::string::npos);

    // 100 * 8.2350 / rate, worked out in decimal and rounded to 4 places.
    const std::vector<RateRow> rows = RateRows(page.body);
    ASSERT_EQ(rows.size(), 29u);  // 28 currencies and the euro
    const std::vector<RateRow> first = {rows.begin(), rows.begin() + 5};
    EXPECT_EQ(first, (std::vector<RateRow>{
                         {"美元", "USD", "706.8670"},
                         {"欧元", "EUR", "823.5000"},
                         {"日元", "JPY", "4.5447"},
                         {"港币", "HKD", "90.8439"},
                         {"英镑", "GBP", "943.8395"},
                     }));
    EXPECT_NE(std::find(rows.begin(), rows.end(), RateRow{"韩元", "KRW", "0.4809"}), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), RateRow{"印度尼西亚盾", "IDR", "0.0424"}), rows.end());
    for (const RateRow& row : rows) {
        EXPECT_NE(std::get<1>(row), "CNY");
    }
}

TEST_F(RatesPageTest, CurrencyWithoutAChineseNameFollowsByItsCode) {
    upstream_.reply = Answered(200,
                               "<Envelope><Cube><Cube time='2026-12-10'><Cube currency='XAU' rate='0.0004'/>"
                               "<Cube currency='CNY' rate='8'/><Cube currency='USD' rate='1.25'/></Cube></Cube>"
                               "</Envelope>");
    const std::vector<RateRow> rows = RateRows(pages_.Serve(kRates).body);
    EXPECT_EQ(rows, (std::vector<RateRow>{
                        {"美元", "USD", "640.0000"},
                        {"欧元", "EUR", "800.0000"},
                        {"", "XAU", "2000000.0000"},
                    }));
}

TEST_F(RatesPageTest, FailingUpstreamWithNothingCachedIsAnErrorPage) {
    struct Case {
        UpstreamReply reply;
        int status;
    };
    const std::string recorded = RecordedDocument();
    const Case cases[] = {
        {Unreachable(), 503},
        {Answered(500, recorded), 502},
        {Answered(404, "<html>not found</html>"), 502},
        {Answered(304, ""), 502},
        {Answered(200, ""), 502},
        {Answered(200, recorded.substr(0, recorded.size() - 40)), 502},
        {Answered(200, "<html><body>maintenance</body></html>"), 502},
    };
    for (const Case& c : cases) {
        AnswerCache cache;
        LookupPages pages(upstream_, cache, clock_, Settings());
        upstream_.reply = c.reply;
        const SiteResponse page = pages.Serve(kRates);
        EXPECT_EQ(page.status, c.status) << c.reply.status << " " << c.reply.body.size();
        EXPECT_EQ(page.contentType, "text/html; charset=gb2312");
        EXPECT_NE(page.body.find("暂时无法取得汇率"), std::string::npos);
        EXPECT_NE(page.body.find("</html>"), std::string::npos);
        EXPECT_TRUE(RateRows(page.body).empty());
        EXPECT_FALSE(cache.Find("lookup/huilv https://rates.example/daily.xml"));
    }
}

TEST_F(RatesPageTest, RatesAreKeptForTheDay) {
    struct Step {
        int advanceSeconds;  // clock moved on before the request
        bool asksUpstream;
        std::optional<std::string> age;
    };
    // Fetched 09:30; the cache time is six hours.
    const Step steps[] = {
        {0, true, std::nullopt},
        {kHour, false, "3600"},
        {5 * kHour - 60, false, "21540"},  // 15:29
        {120, true, std::nullopt},         // 15:31: older than six hours
        {5 * kHour, false, "18000"},       // 20:31
        {2 * kHour, true, std::nullopt},   // 22:31: older than six hours again
        {90 * 60, true, std::nullopt},     // 00:01 the next day: a new day asks again
        {60, false, "60"},
    };
    std::size_t asked = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        clock_.Advance(steps[i].advanceSeconds);
        const SiteResponse page = pages_.Serve(kRates);
        EXPECT_EQ(page.status, 200) << "step " << i;
        if (steps[i].asksUpstream) {
            ++asked;
        }
        EXPECT_EQ(upstream_.asked.size(), asked) << "step " << i;
        EXPECT_EQ(HeaderOf(page, "Age"), steps[i].age) << "step " << i;
        EXPECT_EQ(RateRows(page.body).size(), 29u) << "step " << i;
    }
}

TEST_F(RatesPageTest, FailingUpstreamServesTheLastGoodRatesWithTheirAge) {
    ASSERT_EQ(pages_.Serve(kRates).status, 200);
    const UpstreamReply failures[] = {Unreachable(), Answered(503, ""), Answered(200, "<Envelope/>")};
    int hours = 0;
    for (const UpstreamReply& failure : failures) {
        hours += 7;
        clock_.Set(kMorning + hours * kHour);
        upstream_.reply = failure;
        const SiteResponse page = pages_.Serve(kRates);
        EXPECT_EQ(page.status, 200);
        EXPECT_EQ(HeaderOf(page, "Age"), std::to_string(hours * kHour));
        EXPECT_NE(page.body.find("暂时无法取得最新汇率，以下为北京时间 2026-12-11 09:30 取得的汇率"),
                  std::string::npos);
        EXPECT_NE(page.body.find("2026年12月10日"), std::string::npos);
        const std::vector<RateRow> rows = RateRows(page.body);
        ASSERT_EQ(rows.size(), 29u);
        EXPECT_EQ(rows.front(), (RateRow{"美元", "USD", "706.8670"}));
    }
    // A good answer again replaces the kept one.
    upstream_.reply = Answered(200,
                               "<Envelope><Cube><Cube time='2026-12-14'><Cube currency='CNY' rate='8'/>"
                               "<Cube currency='USD' rate='1.25'/></Cube></Cube></Envelope>");
    const SiteResponse page = pages_.Serve(kRates);
    EXPECT_FALSE(HeaderOf(page, "Age"));
    EXPECT_NE(page.body.find("2026年12月14日"), std::string::npos);
    EXPECT_EQ(RateRows(page.body).front(), (RateRow{"美元", "USD", "640.0000"}));
}

TEST_F(RatesPageTest, ClockSetBackAsksAgainAndNeverGivesANegativeAge) {
    ASSERT_EQ(pages_.Serve(kRates).status, 200);
    clock_.Set(kMorning - kHour);
    upstream_.reply = Unreachable();
    const SiteResponse stale = pages_.Serve(kRates);
    EXPECT_EQ(upstream_.asked.size(), 2u);
    EXPECT_EQ(stale.status, 200);
    EXPECT_EQ(HeaderOf(stale, "Age"), "0");

    upstream_.reply = Answered(200, RecordedDocument());
    EXPECT_FALSE(HeaderOf(pages_.Serve(kRates), "Age"));
    clock_.Advance(60);
    EXPECT_EQ(HeaderOf(pages_.Serve(kRates), "Age"), "60");  // kept from the refetch at the earlier time
    EXPECT_EQ(upstream_.asked.size(), 3u);
}

TEST(LookupPages, UnknownOrAmbiguousPagesAreRefused) {
    struct Case {
        QueryParameters parameters;
        int status;
    };
    const Case cases[] = {
        {{}, 404},
        {{{"id", ""}}, 404},
        {{{"id", "tianqi"}}, 404},
        {{{"id", "WANNIANLI"}}, 404},
        {{{"id", "huilv "}}, 404},
        {{{"y", "2026"}, {"m", "2"}}, 404},
        {{{"id", "wannianli"}, {"id", "huilv"}}, 400},
        {{{"id", "wannianli"}, {"id", "wannianli"}}, 200},
    };
    FakeUpstream upstream;
    AnswerCache cache;
    FakeClock clock(kMorning);
    LookupPages pages(upstream, cache, clock, LookupSettings{});
    for (const Case& c : cases) {
        const SiteResponse page = pages.Serve(c.parameters);
        EXPECT_EQ(page.status, c.status);
        EXPECT_EQ(page.contentType, "text/html; charset=gb2312");
        EXPECT_NE(page.body.find("</html>"), std::string::npos);
    }
    EXPECT_TRUE(upstream.asked.empty());
}

}  // namespace
