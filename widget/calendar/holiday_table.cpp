#include "widget/calendar/holiday_table.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "common/file_io.h"
#include "widget/calendar/lunar_converter.h"

namespace {

constexpr std::string_view kNormalSection = "NORMAL";
constexpr std::string_view kLunarSection = "LUNAR";
constexpr std::string_view kExtendSection = "EXTEND";

// Days tried by a search-ahead: the asked day and the two after it.
constexpr int kSearchAheadDays = 3;

// The blanks of the C locale. Written out because std::isspace is undefined
// for the negative chars that GBK bytes become.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Reads a number the way the file's numbers have always been read (atoi):
// leading blanks skipped, an optional sign, digits up to the first
// non-digit; no digits gives 0. A value beyond 32 bits is clamped instead of
// overflowing, so an absurd number in the file stays absurd.
std::int32_t LeadingNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    // One past the largest magnitude, so both ends of the range are reachable.
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < field.size() && IsDigit(field[i]); ++i) {
        magnitude = magnitude * 10 + (field[i] - '0');
        if (magnitude > kCap) {
            magnitude = kCap;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-magnitude);
    }
    return magnitude >= kCap ? std::numeric_limits<std::int32_t>::max() : static_cast<std::int32_t>(magnitude);
}

// firstYear is 16 bits wide. Clamping (rather than wrapping) keeps a first
// year such as 67485 from turning into 1949.
std::int16_t ClampToFirstYear(std::int32_t year) {
    if (year > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    if (year < std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<std::int16_t>::min();
    }
    return static_cast<std::int16_t>(year);
}

// Hands out the lines of a text one by one, without their LF or CR LF end.
// Text after the last line end is a line of its own; an end at the very end
// of the text does not start an empty line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = {};
        } else {
            line = rest_.substr(0, end);
            rest_.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return true;
    }

private:
    std::string_view rest_;
};

// The parts of an entry's first line: SECTION,number1,number2,number3,title.
struct FirstLine {
    std::string_view section;
    std::int32_t numbers[3] = {0, 0, 0};
    std::string_view title;
};

// False when the line lacks one of its four commas. GBK trail bytes are never
// below 0x40, so a comma byte is always a real comma.
bool SplitFirstLine(std::string_view line, FirstLine& parts) {
    std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        return false;
    }
    parts.section = line.substr(0, comma);
    line.remove_prefix(comma + 1);
    for (std::int32_t& number : parts.numbers) {
        comma = line.find(',');
        if (comma == std::string_view::npos) {
            return false;
        }
        number = LeadingNumber(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    parts.title = line;
    return true;
}

// The row of a Sunday-first month layout in which the day stands; row 1
// holds the 1st. `saturdayBefore` is the date of the Saturday before the
// day, 0 or negative when that Saturday lies in the previous month.
int WeekRow(int day, int weekday) {
    int saturdayBefore = day - weekday;
    if (saturdayBefore <= 0) {
        return 1;
    }
    return (saturdayBefore - 1) / 7 + 2;
}

std::int64_t Key(std::int64_t high, std::int64_t low) {
    return high * 100 + low;
}

}  // namespace

bool HolidayTable::Load(const std::string& path) {
    // Read as bytes, so CR LF reaches the parser unchanged on both builds, and
    // shared with anyone who replaces the file meanwhile.
    std::string text;
    if (!ReadWholeFile(path, text)) {
        return false;
    }
    Parse(text);
    return true;
}

void HolidayTable::Parse(std::string_view text) {
    LineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        FirstLine parts;
        if (line.empty() || !SplitFirstLine(line, parts)) {
            // Skipped alone: the line after it gets its own chance as a first line.
            continue;
        }
        // The next line is the description whatever it holds; a first line
        // that ends the text has an empty one.
        std::string_view description;
        lines.Next(description);

        HolidayEntry entry;
        entry.title = std::string(Trim(parts.title));
        entry.description = std::string(Trim(description));
        std::int64_t key = Key(parts.numbers[0], parts.numbers[1]);
        if (parts.section == kNormalSection) {
            entry.firstYear = ClampToFirstYear(parts.numbers[2]);
            // A multimap keeps equal keys in insertion order, which is file order.
            fixedDates_.emplace(key, std::move(entry));
        } else if (parts.section == kLunarSection) {
            // The third number is not used for lunar dates.
            lunarDates_.emplace(key, std::move(entry));
        } else if (parts.section == kExtendSection) {
            entry.firstYear = ClampToFirstYear(parts.numbers[2]);
            weekDays_.emplace(key, std::move(entry));
        }
        // emplace leaves an existing key alone, so the first LUNAR or EXTEND
        // line for a key wins. Unknown sections are dropped with their description.
    }
}

bool HolidayTable::MatchSolar(int year, int month, int day, std::vector<HolidayEntry>& matches) const {
    matches.clear();

    // Only the first fixed-date entry of a key counts, even when its first
    // year is still to come and a later one would apply. lower_bound, not
    // find: find may return any of the equal keys.
    auto fixed = fixedDates_.lower_bound(Key(month, day));
    if (fixed != fixedDates_.end() && fixed->first == Key(month, day) && year >= fixed->second.firstYear) {
        matches.push_back(fixed->second);
    }

    int weekday = WeekdayOf(year, month, day);
    auto weekly = weekDays_.find(Key(month, std::int64_t{WeekRow(day, weekday)} * 10 + weekday));
    if (weekly != weekDays_.end() && year >= weekly->second.firstYear) {
        matches.push_back(weekly->second);
    }
    return !matches.empty();
}

bool HolidayTable::MatchLunar(int lunarMonth, int lunarDay, HolidayEntry& entry) const {
    // Leap months are stored negative. They are rejected outright: folded
    // into a 16-bit key they would land on the key of some absurd entry.
    if (lunarMonth < 0) {
        return false;
    }
    auto found = lunarDates_.find(Key(lunarMonth, lunarDay));
    if (found == lunarDates_.end()) {
        return false;
    }
    entry = found->second;
    return true;
}

bool HolidayTable::HolidaysOfDay(GregorianDate date,
                                 bool searchAhead,
                                 const DescriptionMeasurer* measurer,
                                 DayHolidays& result) const {
    result.entries.clear();
    result.descriptionRects.clear();

    int daysToTry = searchAhead ? kSearchAheadDays : 1;
    GregorianDate day = date;
    int askedDaySolarTerm = 0;
    for (int tried = 0; tried < daysToTry; ++tried, day = NextDay(day)) {
        LunarDate lunar;
        result.date = day;
        result.solarTerm = LunarConverter::ToLunar(day.year, day.month, day.day, lunar);
        if (tried == 0) {
            askedDaySolarTerm = result.solarTerm;
        }

        MatchSolar(day.year, day.month, day.day, result.entries);
        HolidayEntry lunarEntry;
        // Day 0 means the tables hold no lunar date for the day; its all-zero
        // date must not match an entry whose numbers read as 0.
        if (lunar.day != 0 && MatchLunar(lunar.month, lunar.day, lunarEntry)) {
            result.entries.push_back(std::move(lunarEntry));
        }
        if (result.entries.empty()) {
            continue;
        }

        if (measurer != nullptr && *measurer) {
            for (const HolidayEntry& entry : result.entries) {
                result.descriptionRects.push_back((*measurer)(entry.description, kDescriptionWidth));
            }
        }
        return true;
    }

    result.date = date;
    result.solarTerm = askedDaySolarTerm;
    return false;
}

std::size_t HolidayTable::EntryCount() const {
    return fixedDates_.size() + lunarDates_.size() + weekDays_.size();
}
