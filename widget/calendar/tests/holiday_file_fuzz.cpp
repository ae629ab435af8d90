// Feeds arbitrary bytes to the holiday file parser, then looks up days so that
// whatever entries the bytes produced are matched, measured and searched ahead.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "widget/calendar/holiday_table.h"

namespace {

// Days around month and year ends, a leap day, a leap lunar month
// (2006-08-30 is leap 7/7), and days outside the lunar tables.
constexpr GregorianDate kDays[] = {
    {2008, 1, 1},  {2008, 2, 29}, {2008, 5, 4},  {2008, 6, 8},   {2008, 10, 1}, {2008, 12, 30},
    {2006, 7, 31}, {2006, 8, 30}, {2009, 1, 26}, {2050, 12, 31}, {1900, 1, 1},  {1, 1, 1},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    HolidayTable table;
    table.Parse(std::string_view(reinterpret_cast<const char*>(data), size));

    DescriptionMeasurer measurer = [](const std::string& description, int width) {
        return TextRect{0, 0, width, static_cast<int>(description.size())};
    };
    std::vector<HolidayEntry> matches;
    HolidayEntry lunar;
    for (const GregorianDate& day : kDays) {
        table.MatchSolar(day.year, day.month, day.day, matches);
        DayHolidays result;
        table.HolidaysOfDay(day, true, &measurer, result);
        // One rectangle per entry, and at most one entry of each kind.
        if (result.descriptionRects.size() != result.entries.size() || result.entries.size() > 3) {
            __builtin_trap();
        }
    }
    // Lunar keys near the ones the fuzzer can write, leap months included.
    for (int month = -12; month <= 13; ++month) {
        for (int day = 0; day <= 31; day += 5) {
            table.MatchLunar(month, day, lunar);
        }
    }
    return 0;
}
