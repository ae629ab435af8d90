#include "widget/reminders/editor_field_rules.h"

#include <algorithm>
#include <charconv>

#include "common/text_encoding.h"

namespace {

// Years whose every moment fits a signed 32-bit count of seconds in local
// time (2038 ends in January).
constexpr int kFirstPickableYear = 1970;
constexpr int kLastPickableYear = 2037;

std::string_view TrimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

// A byte that starts no GBK character (0xFF, a lead byte at the end) is
// kept and counted as one character, so no byte of the text is lost before
// the cut.
std::string LimitGbkText(std::string_view text, std::size_t maxCharacters) {
    std::size_t end = 0;
    for (std::size_t characters = 0; characters < maxCharacters && end < text.size(); ++characters) {
        end += std::max<std::size_t>(1, GbkSequenceLength(text.substr(end)));
    }
    return std::string(text.substr(0, end));
}

GregorianDate CorrectPickedYear(GregorianDate picked) {
    const int year = std::clamp(picked.year, kFirstPickableYear, kLastPickableYear);
    if (year == picked.year) {
        return picked;
    }
    GregorianDate corrected{year, picked.month, picked.day};
    const int length = DaysInMonth(year, picked.month);
    if (length != 0 && corrected.day > length) {
        corrected.day = length;
    }
    return corrected;
}

std::optional<std::string> TextOnFocusGained(std::string_view shown, std::string_view placeholder, bool readOnly) {
    if (readOnly || shown != placeholder) {
        return std::nullopt;
    }
    return std::string();
}

std::optional<std::string> TextOnFocusLost(std::string_view shown, std::string_view placeholder, bool readOnly) {
    if (readOnly || !shown.empty()) {
        return std::nullopt;
    }
    return std::string(placeholder);
}

std::string ShownFieldText(std::string_view stored, std::string_view placeholder, std::size_t maxCharacters) {
    return stored.empty() ? std::string(placeholder) : LimitGbkText(stored, maxCharacters);
}

// A placeholder is a prompt, not the user's text: a reminder confirmed
// without a title gets an empty one.
std::string StoredFieldText(std::string_view shown, std::string_view placeholder, std::size_t maxCharacters) {
    return shown == placeholder ? std::string() : LimitGbkText(shown, maxCharacters);
}

std::optional<int> ParseDecimalField(std::string_view text) {
    const std::string_view number = TrimSpaces(text);
    if (number.empty()) {
        return std::nullopt;
    }
    int value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}
