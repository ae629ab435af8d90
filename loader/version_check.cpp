#include "loader/version_check.h"

#include <cstdlib>

namespace {

constexpr std::string_view kBodyOpen = "<body>";
constexpr std::string_view kBodyClose = "</body>";
constexpr char kMessageAfterName[] = "有最新版本可以使用，详情请访问";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Lower case for ASCII letters only: the second byte of a GBK character may
// look like one, and is changed too, which cannot matter for the tags and
// digits looked for.
std::string Folded(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            continue;
        }
        folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return folded;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

}  // namespace

std::string VersionPageAddress(std::string_view siteHost) {
    return "http://" + std::string(siteHost) + "/software/online.asp?id=tessary";
}

std::optional<std::string> PublishedVersion(std::string_view page) {
    const std::string folded = Folded(page);
    const std::size_t open = folded.find(kBodyOpen);
    if (open == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t start = open + kBodyOpen.size();
    const std::size_t close = folded.find(kBodyClose, start);
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::string_view version(folded.data() + start, close - start);
    while (!version.empty() && IsBlank(version.front())) {
        version.remove_prefix(1);
    }
    while (!version.empty() && IsBlank(version.back())) {
        version.remove_suffix(1);
    }
    return std::string(version);
}

// The number's text is measured here and only that plain decimal is handed
// to strtod, which would otherwise also take hexadecimals and infinities.
double ReadVersionNumber(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) {
        ++begin;
    }
    std::size_t at = begin;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    const std::size_t integerEnd = SkipDigits(text, at);
    std::size_t end = integerEnd;
    bool anyDigit = integerEnd > at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return 0.0;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    const std::string number(text.substr(begin, end - begin));
    return std::strtod(number.c_str(), nullptr);
}

bool IsNewerVersionPublished(std::string_view productVersion, std::string_view page) {
    const std::optional<std::string> published = PublishedVersion(page);
    if (!published) {
        return false;
    }
    std::string product;
    for (char c : Folded(productVersion)) {
        if (c != 'v') {
            product.push_back(c);
        }
    }
    return ReadVersionNumber(product) < ReadVersionNumber(*published);
}

std::string NewerVersionMessage(std::string_view productName, std::string_view siteHost) {
    return std::string(productName) + kMessageAfterName + "http://" + std::string(siteHost);
}
