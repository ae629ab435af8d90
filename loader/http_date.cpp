#include "loader/http_date.h"

#include <array>
#include <cctype>

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// Reads the text piece by piece; every read skips the blanks before it.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n')) {
            ++pos_;
        }
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }
    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // A run of ASCII letters.
    std::string_view Word() {
        SkipBlanks();
        std::size_t start = pos_;
        while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) {
            ++pos_;
        }
        return text_.substr(start, pos_ - start);
    }
    // An unsigned number of minDigits to maxDigits digits, directly at the
    // current place when `skipBlanks` is false.
    std::optional<int> Number(std::size_t minDigits, std::size_t maxDigits, bool skipBlanks = true) {
        if (skipBlanks) {
            SkipBlanks();
        }
        std::size_t start = pos_;
        int value = 0;
        while (pos_ < text_.size() && pos_ - start < maxDigits &&
               std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ - start < minDigits ||
            (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
            return std::nullopt;
        }
        return value;
    }
    bool TakeDirectly(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

template <std::size_t N>
std::optional<int> IndexOfName(const std::array<std::string_view, N>& names, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (SameLetters(names[i], word)) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<LocalTime> ParseHttpDate(std::string_view text) {
    Cursor cursor(text);
    LocalTime result;
    std::size_t start = cursor.Position();
    std::string_view dayName = cursor.Word();
    if (!dayName.empty()) {
        if (!IndexOfName(kDayNames, dayName) || !cursor.Take(',')) {
            return std::nullopt;
        }
    } else {
        cursor.Rewind(start);
    }
    std::optional<int> day = cursor.Number(1, 2);
    std::optional<int> month = IndexOfName(kMonthNames, cursor.Word());
    std::optional<int> year = cursor.Number(4, 4);
    std::optional<int> hour = cursor.Number(2, 2);
    if (!day || !month || !year || !hour || !cursor.TakeDirectly(':')) {
        return std::nullopt;
    }
    std::optional<int> minute = cursor.Number(2, 2, false);
    if (!minute || !cursor.TakeDirectly(':')) {
        return std::nullopt;
    }
    std::optional<int> second = cursor.Number(2, 2, false);
    if (!second) {
        return std::nullopt;
    }
    std::string_view zone = cursor.Word();
    if (!zone.empty() && !SameLetters(zone, "GMT") && !SameLetters(zone, "UT") && !SameLetters(zone, "UTC")) {
        return std::nullopt;
    }
    if (!cursor.AtEnd()) {
        return std::nullopt;
    }
    result.year = *year;
    result.month = *month + 1;
    result.day = *day;
    result.hour = *hour;
    result.minute = *minute;
    result.second = *second;
    if (result.day < 1 || result.day > DaysInMonth(result.year, result.month) || result.hour > 23 ||
        result.minute > 59 || result.second > 59) {
        return std::nullopt;
    }
    return result;
}

Moment BuildTimeFromHttpDate(std::string_view text) {
    std::optional<LocalTime> date = ParseHttpDate(text);
    return date ? FromLocalTime(*date) : 0;
}
