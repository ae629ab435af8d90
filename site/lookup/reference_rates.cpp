#include "site/lookup/reference_rates.h"

#include <charconv>
#include <cmath>
#include <set>
#include <system_error>

#include "common/xml_encoding.h"
#include "xml/xml_dom.h"
#include "xml/xml_helper.h"

namespace {

// The document puts its cubes in the bank's vocabulary namespace; matching
// the local name keeps the selection independent of prefixes.
constexpr std::string_view kDatedCubes = "//*[local-name()='Cube'][@time]";
constexpr std::string_view kRateCubes = "//*[local-name()='Cube'][@time]/*";

// Longest rate text accepted: the bank writes at most 5 significant digits
// (e.g. "17123.45"), so anything this long is not a rate.
constexpr std::size_t kMaxRateLength = 16;

// "2026-12-10".
std::optional<GregorianDate> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    int fields[3] = {};
    const std::string_view parts[3] = {text.substr(0, 4), text.substr(5, 2), text.substr(8, 2)};
    for (int i = 0; i < 3; ++i) {
        for (const char c : parts[i]) {
            if (c < '0' || c > '9') {
                return std::nullopt;
            }
            fields[i] = fields[i] * 10 + (c - '0');
        }
    }
    if (!IsValidDate(fields[0], fields[1], fields[2])) {
        return std::nullopt;
    }
    return GregorianDate{fields[0], fields[1], fields[2]};
}

bool IsCurrencyCode(std::string_view text) {
    if (text.size() != 3) {
        return false;
    }
    for (const char c : text) {
        if (c < 'A' || c > 'Z') {
            return false;
        }
    }
    return true;
}

// Digits with at most one decimal point between digits ("1.0823", "160");
// no sign, exponent or blank. Positive and finite, or nothing.
std::optional<double> ParseRate(std::string_view text) {
    if (text.empty() || text.size() > kMaxRateLength || text.front() == '.' || text.back() == '.') {
        return std::nullopt;
    }
    int points = 0;
    for (const char c : text) {
        if (c == '.') {
            ++points;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (points > 1 || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<ReferenceRates> ReadRates(const CXMLDOMDocument2& document) {
    const CXMLDOMNodeList dated = document.SelectNodes(kDatedCubes);
    if (dated.GetLength() != 1) {
        return std::nullopt;
    }
    const std::optional<GregorianDate> date = ParseIsoDate(XML_Helper::GetAttr(dated.GetItem(0), "time"));
    if (!date) {
        return std::nullopt;
    }
    ReferenceRates result;
    result.date = *date;
    const CXMLDOMNodeList entries = document.SelectNodes(kRateCubes);
    const long count = entries.GetLength();
    if (count < 1 || static_cast<std::size_t>(count) > kMaxReferenceRates + 1) {
        return std::nullopt;
    }
    std::set<std::string> seen;
    for (long i = 0; i < count; ++i) {
        const CXMLDOMNode entry = entries.GetItem(i);
        std::string currency = XML_Helper::GetAttr(entry, "currency");
        const std::optional<double> rate = ParseRate(XML_Helper::GetAttr(entry, "rate"));
        if (!IsCurrencyCode(currency) || currency == "EUR" || !rate || !seen.insert(currency).second) {
            return std::nullopt;
        }
        if (currency == "CNY") {
            result.yuanPerEuro = *rate;
        } else {
            result.rates.push_back({std::move(currency), *rate});
        }
    }
    if (result.yuanPerEuro <= 0) {
        return std::nullopt;
    }
    return result;
}

}  // namespace

std::optional<ReferenceRates> ParseReferenceRates(std::string_view document) {
    try {
        CXMLDOMDocument2 dom = CDOMDocumentClass::CreateXMLDOMDocument2();
        if (dom.LoadXML(XmlDocumentAsGbk(document)) == 0) {
            return std::nullopt;
        }
        return ReadRates(dom);
    } catch (CComException* error) {
        delete error;
        return std::nullopt;
    }
}

double YuanFor100(const ReferenceRates& rates, double perEuro) {
    return 100.0 * rates.yuanPerEuro / perEuro;
}
