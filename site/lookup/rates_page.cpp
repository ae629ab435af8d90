#include "site/lookup/rates_page.h"

#include <charconv>
#include <vector>

#include "site/lookup/china_time.h"
#include "site/lookup/html_page.h"

namespace {

struct CurrencyLabel {
    std::string_view code;
    std::string_view name;
};

// The currencies the page names, in the order it lists them (the most asked
// for first); currencies not listed here follow in document order.
constexpr CurrencyLabel kCurrencyLabels[] = {
    {"USD", "美元"},           {"EUR", "欧元"},       {"JPY", "日元"},           {"HKD", "港币"},
    {"GBP", "英镑"},           {"AUD", "澳大利亚元"}, {"CAD", "加拿大元"},       {"CHF", "瑞士法郎"},
    {"SGD", "新加坡元"},       {"KRW", "韩元"},       {"NZD", "新西兰元"},       {"THB", "泰铢"},
    {"MYR", "马来西亚林吉特"}, {"PHP", "菲律宾比索"}, {"IDR", "印度尼西亚盾"},   {"INR", "印度卢比"},
    {"SEK", "瑞典克朗"},       {"NOK", "挪威克朗"},   {"DKK", "丹麦克朗"},       {"ISK", "冰岛克朗"},
    {"CZK", "捷克克朗"},       {"PLN", "波兰兹罗提"}, {"HUF", "匈牙利福林"},     {"RON", "罗马尼亚列伊"},
    {"BGN", "保加利亚列弗"},   {"TRY", "土耳其里拉"}, {"ILS", "以色列新谢克尔"}, {"ZAR", "南非兰特"},
    {"BRL", "巴西雷亚尔"},     {"MXN", "墨西哥比索"}, {"RUB", "俄罗斯卢布"},
};

struct Row {
    std::string_view code;
    std::string_view name;
    double yuanFor100 = 0;
};

// "7.8210": four decimals whatever the process locale.
std::string FourDecimals(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    if (error != std::errc()) {
        return "-";
    }
    return std::string(text, end);
}

std::vector<Row> Rows(const ReferenceRates& rates) {
    std::vector<Row> rows;
    for (const CurrencyLabel& label : kCurrencyLabels) {
        if (label.code == "EUR") {
            rows.push_back({label.code, label.name, YuanFor100(rates, 1.0)});
            continue;
        }
        for (const ReferenceRate& rate : rates.rates) {
            if (rate.currency == label.code) {
                rows.push_back({label.code, label.name, YuanFor100(rates, rate.perEuro)});
            }
        }
    }
    for (const ReferenceRate& rate : rates.rates) {
        if (CurrencyName(rate.currency).empty()) {
            rows.push_back({rate.currency, {}, YuanFor100(rates, rate.perEuro)});
        }
    }
    return rows;
}

std::string DateText(GregorianDate date) {
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) + "日";
}

}  // namespace

std::string_view CurrencyName(std::string_view code) {
    for (const CurrencyLabel& label : kCurrencyLabels) {
        if (label.code == code) {
            return label.name;
        }
    }
    return {};
}

std::string RatesDocument(const ReferenceRates& rates, Moment fetchedAt, bool stale) {
    std::string body =
        "<p class=\"caption\">今日汇率（人民币）</p>\r\n<p align=\"center\">汇率日期：<span class=\"date\">" +
        DateText(rates.date) + "</span></p>\r\n";
    if (stale) {
        body += "<p align=\"center\" class=\"warning\">暂时无法取得最新汇率，以下为北京时间 " +
                ChinaTimeText(fetchedAt) + " 取得的汇率。</p>\r\n";
    }
    body +=
        "<table class=\"rates\" align=\"center\">\r\n"
        "<tr><th>货币</th><th>代码</th><th>100外币折合人民币（元）</th></tr>\r\n";
    for (const Row& row : Rows(rates)) {
        // Codes were checked to be three capital letters, names come from the
        // table above: neither needs escaping.
        body += "<tr><td>" + std::string(row.name) + "</td><td>" + std::string(row.code) +
                "</td><td class=\"figure\">" + FourDecimals(row.yuanFor100) + "</td></tr>\r\n";
    }
    body +=
        "</table>\r\n<p align=\"center\" "
        "class=\"note\">按欧洲中央银行每日参考汇率折算（欧元对各币种及对人民币），仅供参考。";
    if (!stale) {
        body += "更新于北京时间 " + ChinaTimeText(fetchedAt) + "。";
    }
    body += "</p>\r\n";
    return HtmlDocument("今日汇率", body);
}

std::string RatesUnavailableDocument() {
    return MessageDocument("今日汇率", "暂时无法取得汇率，请稍后再试。", {});
}
