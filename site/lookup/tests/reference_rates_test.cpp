#include "site/lookup/reference_rates.h"

#include <gtest/gtest.h>

#include <string>

#include "common/file_io.h"

namespace {

std::string RecordedDocument() {
    std::string document;
    EXPECT_TRUE(ReadWholeFile(SUITE_SOURCE_DIR "/site/lookup/tests/data/eurofxref-daily.xml", document));
    return document;
}

// A document of the bank's shape with `cubes` inside the dated cube.
std::string Envelope(const std::string& time, const std::string& cubes) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
           "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
           "<gesmes:subject>Reference rates</gesmes:subject>\n"
           "<Cube>" +
           time + cubes + "</Cube></Cube>\n</gesmes:Envelope>\n";
}

std::string Dated(const std::string& cubes) {
    return Envelope("<Cube time='2026-12-10'>", cubes);
}

constexpr char kUsdAndCny[] = "<Cube currency='USD' rate='1.1650'/><Cube currency='CNY' rate='8.2350'/>";

TEST(ReferenceRates, ReadsTheRecordedDailyDocument) {
    const auto rates = ParseReferenceRates(RecordedDocument());
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->date, (GregorianDate{2026, 12, 10}));
    EXPECT_DOUBLE_EQ(rates->yuanPerEuro, 8.2350);
    ASSERT_EQ(rates->rates.size(), 28u);  // 29 currencies, the yuan among them
    EXPECT_EQ(rates->rates.front().currency, "USD");
    EXPECT_DOUBLE_EQ(rates->rates.front().perEuro, 1.1650);
    EXPECT_EQ(rates->rates.back().currency, "ZAR");
}

TEST(ReferenceRates, AcceptsTheDocumentShapeWithoutItsDressing) {
    const std::string cases[] = {
        Dated(kUsdAndCny),
        // Double quotes, blanks and a comment.
        Envelope("<Cube time=\"2026-12-10\">",
                 "\n  <!-- daily -->\n  <Cube currency=\"CNY\" rate=\"8.2350\" />\n  <Cube currency=\"USD\" "
                 "rate=\"1.1650\"/>"),
        // No declaration, the yuan alone.
        "<Envelope><Cube><Cube time='2026-12-10'><Cube currency='CNY' rate='8'/></Cube></Cube></Envelope>",
    };
    for (const std::string& document : cases) {
        const auto rates = ParseReferenceRates(document);
        ASSERT_TRUE(rates) << document;
        EXPECT_EQ(rates->date, (GregorianDate{2026, 12, 10}));
        EXPECT_GT(rates->yuanPerEuro, 7.9);
    }
}

TEST(ReferenceRates, RefusesAnyDoubtfulDocument) {
    const std::string recorded = RecordedDocument();
    const std::string cases[] = {
        "",
        "<html><body>Service unavailable</body></html>",
        recorded.substr(0, recorded.size() / 2),        // cut in the middle
        Dated("<Cube currency='USD' rate='1.1650'/>"),  // no yuan
        Dated("<Cube currency='USD' rate='1.1650'/><Cube currency='CNY' rate='0'/>"),
        Dated("<Cube currency='USD' rate='1.1650'/><Cube currency='CNY' rate='0.0000'/>"),
        Dated("<Cube currency='USD' rate='-1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='abc'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate=''/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='1.2.3'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='1e3'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate=' 1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='.5'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='5.'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='inf'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='nan'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='12345678901234567'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='usd' rate='1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='US' rate='1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD&lt;' rate='1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube rate='1.1650'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='EUR' rate='1'/><Cube currency='CNY' rate='8.2350'/>"),
        Dated("<Cube currency='USD' rate='1.1650'/><Cube currency='USD' rate='1.1651'/><Cube currency='CNY' "
              "rate='8.2350'/>"),
        Dated("<Cube currency='CNY' rate='8.2350'/><Cube currency='CNY' rate='8.2350'/>"),
        Envelope("<Cube>", kUsdAndCny),                    // no date
        Envelope("<Cube time='2026-13-01'>", kUsdAndCny),  // no such month
        Envelope("<Cube time='2026-02-30'>", kUsdAndCny),  // no such day
        Envelope("<Cube time='10.12.2026'>", kUsdAndCny),
        Envelope("<Cube time='2026-12-1'>", kUsdAndCny),
        Envelope("<Cube time='2026-12-10'>",
                 std::string(kUsdAndCny) + "</Cube><Cube time='2026-12-09'>" + kUsdAndCny),  // two days
        Dated(std::string(kUsdAndCny) + "<Cube currency='JPY' rate='181.20'/>").insert(120, 1, '\0'),
        "<!DOCTYPE x [<!ENTITY r '8.2350'>]><Envelope><Cube><Cube time='2026-12-10'>"
        "<Cube currency='CNY' rate='&r;'/></Cube></Cube></Envelope>",
    };
    for (const std::string& document : cases) {
        EXPECT_FALSE(ParseReferenceRates(document)) << document;
    }
}

TEST(ReferenceRates, RefusesMoreCurrenciesThanTheBankPublishes) {
    std::string cubes = "<Cube currency='CNY' rate='8.2350'/>";
    for (std::size_t i = 0; i <= kMaxReferenceRates; ++i) {
        const char code[] = {'A', static_cast<char>('A' + i / 26 % 26), static_cast<char>('A' + i % 26), 0};
        cubes += std::string("<Cube currency='") + code + "' rate='1.5'/>";
    }
    EXPECT_FALSE(ParseReferenceRates(Dated(cubes)));
}

}  // namespace
