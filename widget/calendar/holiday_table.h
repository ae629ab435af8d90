#pragma once

// Holidays and memorial days read from the text file holiday.dat: fixed
// Gregorian dates (section NORMAL), fixed lunar dates (LUNAR) and a weekday in
// a week row of a Gregorian month (EXTEND). Texts are GBK.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "widget/calendar/gregorian.h"

struct HolidayEntry {
    std::int16_t firstYear = 0;  // first Gregorian year it applies (NORMAL, EXTEND); 0 for LUNAR
    std::string title;
    std::string description;

    friend bool operator==(const HolidayEntry&, const HolidayEntry&) = default;
};

// A rectangle in pixels, as the window's text measuring returns it.
struct TextRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const TextRect&, const TextRect&) = default;
};

// Measures a description wrapped to `width` pixels in the window's font.
using DescriptionMeasurer = std::function<TextRect(const std::string& description, int width)>;

// What HolidaysOfDay found for a day.
struct DayHolidays {
    GregorianDate date;                      // the day that matched (with search-ahead, maybe a later one)
    int solarTerm = 0;                       // solar-term index of that day, 0 = none
    std::vector<HolidayEntry> entries;       // fixed-date, then week-day, then lunar
    std::vector<TextRect> descriptionRects;  // one per entry when measured
};

class HolidayTable {
public:
    // Width in pixels to which descriptions are wrapped for measuring.
    static constexpr int kDescriptionWidth = 169;

    // Reads holiday.dat at `path` (GBK, CR LF or LF line ends) and adds its
    // entries. False when the file cannot be read; the table is then unchanged.
    bool Load(const std::string& path);

    // Adds the entries of a holiday file's text.
    void Parse(std::string_view text);

    // Clears `matches`, appends the fixed-date match and then the week-day
    // match of the Gregorian date; true if at least one was appended.
    bool MatchSolar(int year, int month, int day, std::vector<HolidayEntry>& matches) const;

    // True and the entry when a LUNAR entry has this ordinary month and day;
    // a leap month (negative) never matches.
    bool MatchLunar(int lunarMonth, int lunarDay, HolidayEntry& entry) const;

    // Fills `result` with the holidays of `date`. With searchAhead the next
    // two days are tried when the day has none, and result.date is the day
    // that matched. With a measurer each description is measured. True when
    // an entry was found; when none was, `result` holds `date`, its solar
    // term and no entries. A day without a lunar date in the tables matches
    // no LUNAR entry.
    bool HolidaysOfDay(GregorianDate date,
                       bool searchAhead,
                       const DescriptionMeasurer* measurer,
                       DayHolidays& result) const;

    // Number of entries stored over all three sections, duplicates included.
    std::size_t EntryCount() const;

private:
    std::multimap<std::int64_t, HolidayEntry> fixedDates_;  // month * 100 + day, file order kept
    std::map<std::int64_t, HolidayEntry> lunarDates_;       // lunar month * 100 + lunar day
    std::map<std::int64_t, HolidayEntry> weekDays_;         // month * 100 + week * 10 + weekday
};
