#include "widget/weather/feed_time.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/text_encoding.h"

namespace {

// Month abbreviations of mail-style dates, indexed by month - 1; the first
// one found in this order gives the month.
constexpr std::array<std::string_view, 12> kMonthNames = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
// Zone words of mail-style dates: the first of a pair is removed, else the
// second. The time is read as local time whatever the zone.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kZoneWords = {
    {{"GMT", "UT"}, {"PST", "PDT"}, {"EST", "EDT"}, {"MST", "MDT"}}};
constexpr std::array<std::string_view, 7> kWeekdayWords = {"MON,", "TUE,", "WED,", "THU,", "FRI,", "SAT,", "SUN,"};

// Years whose every moment a Moment holds, so no date is clamped.
constexpr int kFirstYear = 1902;
constexpr int kLastYear = 2037;

bool RemoveFirst(std::string& text, std::string_view word) {
    const std::size_t at = text.find(word);
    if (at == std::string::npos) {
        return false;
    }
    text.erase(at, word.size());
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string_view> SplitAt(std::string_view text, bool (*isSeparator)(char)) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        if (isSeparator(text[start])) {
            ++start;
            continue;
        }
        std::size_t end = start;
        while (end < text.size() && !isSeparator(text[end])) {
            ++end;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end;
    }
    return pieces;
}

// A number of decimal digits only; more digits than any field has are
// refused before they could overflow.
std::optional<int> ParseNumber(std::string_view text) {
    if (text.empty() || text.size() > 6) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};  // by month - 1
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// The moment of `local` when every field is in its range. A field out of
// range is no date to carry into the next field: the text is then refused.
std::optional<Moment> ExactMoment(const LocalTime& local) {
    if (local.year < kFirstYear || local.year > kLastYear || local.month < 1 || local.month > 12 || local.day < 1 ||
        local.day > DaysInMonth(local.year, local.month) || local.hour > 23 || local.minute > 59 || local.second > 59) {
        return std::nullopt;
    }
    return FromLocalTime(local);
}

// "hh:mm:ss" or "hh:mm" into `local`.
bool ReadClock(std::string_view text, LocalTime& local) {
    const std::vector<std::string_view> parts = SplitAt(text, [](char c) { return c == ':'; });
    if (parts.size() < 2 || parts.size() > 3 || text.front() == ':' || text.back() == ':' ||
        text.find("::") != std::string_view::npos) {
        return false;
    }
    const std::optional<int> hour = ParseNumber(parts[0]);
    const std::optional<int> minute = ParseNumber(parts[1]);
    const std::optional<int> second = parts.size() == 3 ? ParseNumber(parts[2]) : std::optional<int>(0);
    if (!hour || !minute || !second) {
        return false;
    }
    local.hour = *hour;
    local.minute = *minute;
    local.second = *second;
    return true;
}

// What is left of a mail-style date once its words are gone: the day, then
// the year (2004 when missing, two digits in this century), then the time of
// day (midnight when missing).
std::optional<Moment> ReadDayYearClock(std::string_view text, int month) {
    const std::vector<std::string_view> tokens = SplitAt(text, IsBlank);
    if (tokens.empty() || tokens.size() > 3) {
        return std::nullopt;
    }
    const std::optional<int> day = ParseNumber(tokens[0]);
    if (!day) {
        return std::nullopt;
    }
    LocalTime local{2004, month, *day, 0, 0, 0, 0};
    std::size_t next = 1;
    if (next < tokens.size() && tokens[next].find(':') == std::string_view::npos) {
        const std::optional<int> year = ParseNumber(tokens[next]);
        if (!year) {
            return std::nullopt;
        }
        local.year = *year < 100 ? *year + 2000 : *year;
        ++next;
    }
    if (next < tokens.size() && !ReadClock(tokens[next++], local)) {
        return std::nullopt;
    }
    if (next != tokens.size()) {
        return std::nullopt;
    }
    return ExactMoment(local);
}

std::optional<Moment> ParseMailStyle(std::string_view original) {
    std::string text;
    for (char c : original) {
        text += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (const auto& [word, otherwise] : kZoneWords) {
        if (!RemoveFirst(text, word)) {
            RemoveFirst(text, otherwise);
        }
    }
    int month = 0;
    for (std::size_t i = 0; i < kMonthNames.size() && month == 0; ++i) {
        if (RemoveFirst(text, kMonthNames[i])) {
            month = static_cast<int>(i) + 1;
        }
    }
    if (month == 0) {
        return std::nullopt;
    }
    for (std::string_view weekday : kWeekdayWords) {
        RemoveFirst(text, weekday);
    }
    std::string_view rest = text;
    while (!rest.empty() && IsBlank(rest.front())) {
        rest.remove_prefix(1);
    }
    while (!rest.empty() && IsBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    // A numeric zone ("-0800", "+0800") is cut off, not applied.
    const std::size_t sign = rest.find_last_of("-+");
    if (sign != std::string_view::npos && sign + 5 == rest.size()) {
        rest = rest.substr(0, sign);
    }
    return ReadDayYearClock(rest, month);
}

// "2008年8月5日 6:30:00" and "2008-08-05 06:30:00": year, month, day, hour,
// minute and second with the Chinese date characters, '-' and ':' as
// separators. Whole GBK characters are compared, so no trail byte is taken
// for an ASCII separator.
std::optional<Moment> ParseNumericDate(std::string_view text) {
    std::string separated;
    while (!text.empty()) {
        const std::size_t length = std::max<std::size_t>(GbkSequenceLength(text), 1);
        const std::string_view character = text.substr(0, length);
        text.remove_prefix(length);
        if (character == "年" || character == "月" || character == "-" || character == ":") {
            separated += ' ';
        } else if (character != "日") {
            separated += character;
        }
    }
    const std::vector<std::string_view> tokens = SplitAt(separated, IsBlank);
    if (tokens.size() != 6) {
        return std::nullopt;
    }
    std::array<int, 6> fields{};  // year, month, day, hour, minute, second
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<int> field = ParseNumber(tokens[i]);
        if (!field) {
            return std::nullopt;
        }
        fields[i] = *field;
    }
    return ExactMoment({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], 0});
}

}  // namespace

Moment ParseFeedTime(std::string_view text, Moment now) {
    if (text.find(',') != std::string_view::npos) {
        return ParseMailStyle(text).value_or(now);
    }
    if (text.find(' ') == std::string_view::npos) {
        return now;
    }
    return ParseNumericDate(text).value_or(now);
}
