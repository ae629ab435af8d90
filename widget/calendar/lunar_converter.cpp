#include "widget/calendar/lunar_converter.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/lunar_tables.h"

namespace {

// 1901-01-01 is day 11 of lunar 1900's eleventh month; that month began on
// 1900-12-22 and lunar 1900's twelfth month runs from 1901-01-20 to 1901-02-18.
// Lunar 1901 begins 49 days after 1901-01-01. The tables start there, so the
// days before it follow this fixed rule.
constexpr int kFirstConvertibleOffset = -10;  // 1900-12-22, lunar 1900/11/1
constexpr int kNewYear1901Offset = 49;
constexpr int kTwelfthMonth1900Offset = 19;

constexpr bool InTables(int lunarYear) {
    return lunarYear >= kFirstTableYear && lunarYear <= kLastTableYear;
}

constexpr int LeapMonth(int lunarYear) {
    if (!InTables(lunarYear)) {
        return 0;
    }
    int index = lunarYear - kFirstTableYear;
    std::uint8_t pair = kLeapMonthTable[index / 2];
    return index % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

// Both halves as in LunarConverter::MonthLength.
constexpr std::uint32_t PackedMonthLength(int lunarYear, int month) {
    if (month < 1 || month > 12) {
        return 0;
    }
    if (!InTables(lunarYear)) {
        return 30;
    }
    int leap = LeapMonth(lunarYear);
    int bit = (leap != 0 && month > leap) ? 15 - month : 16 - month;
    std::uint16_t sizes = kMonthSizeTable[lunarYear - kFirstTableYear];
    std::uint32_t normal = (sizes >> bit) & 1 ? 30 : 29;
    std::uint32_t leapHalf = 0;
    if (month == leap) {
        leapHalf = (sizes >> (bit - 1)) & 1 ? 30 : 29;
    }
    return leapHalf << 16 | normal;
}

constexpr int LengthOfYear(int lunarYear) {
    int days = 0;
    for (int month = 1; month <= 12; ++month) {
        std::uint32_t packed = PackedMonthLength(lunarYear, month);
        days += static_cast<int>((packed & 0xFFFF) + (packed >> 16));
    }
    return days;
}

// Days from lunar new year 1901 to the new year of 1901 + i; the last entry is
// the day after the end of lunar 2050 (2051-02-11). Built by the compiler so a
// conversion looks the year up instead of walking the years.
constexpr auto kNewYearOffsets = [] {
    std::array<int, kLunarYearCount + 1> offsets{};
    for (int i = 0; i < kLunarYearCount; ++i) {
        offsets[i + 1] = offsets[i] + LengthOfYear(kFirstTableYear + i);
    }
    return offsets;
}();

// Lunar month and day of the day `n` days after the new year of `lunarYear`.
LunarDate WalkMonths(int lunarYear, int n) {
    int leap = LeapMonth(lunarYear);
    int month = 1;
    for (;; ++month) {
        std::uint32_t packed = PackedMonthLength(lunarYear, month);
        int normal = static_cast<int>(packed & 0xFFFF);
        if (n < normal) {
            break;
        }
        n -= normal;
        if (month == leap) {
            int leapDays = static_cast<int>(packed >> 16);
            if (n < leapDays) {
                month = -month;
                break;
            }
            n -= leapDays;
        }
    }
    return {static_cast<std::uint16_t>(lunarYear), static_cast<std::int16_t>(month), static_cast<std::uint16_t>(n + 1)};
}

// Month digits of months 1-10 ("正" stands for 1), index = month - 1.
constexpr std::array<const char*, 10> kMonthDigits = {"正", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
// Tens of a lunar day: index (day - 1) / 10.
constexpr std::array<const char*, 4> kDayTens = {"初", "十", "廿", "三"};
// Units of a lunar day: index (day - 1) % 10, "一" ... "十".
constexpr std::array<const char*, 10> kDayDigits = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
// Solar-term names, index = term index - 1; term 1 is the first term of January.
constexpr std::array<const char*, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};
// Weekday names, index = weekday - 1 (Sunday first).
constexpr std::array<const char*, 7> kWeekdayNames = {"星期日", "星期一", "星期二", "星期三",
                                                      "星期四", "星期五", "星期六"};

// Writes `text` when it fits with its terminator in a buffer of at least
// `minimumSize` bytes; otherwise returns what is needed without writing.
int WriteName(const std::string& text, char* buffer, std::size_t size, int minimumSize, int code) {
    std::size_t needed = std::max(text.size() + 1, static_cast<std::size_t>(minimumSize));
    if (buffer == nullptr || size < needed) {
        return static_cast<int>(needed);
    }
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return code;
}

int WriteEmpty(char* buffer, std::size_t size) {
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    return -1;
}

std::string MonthNameText(int month, bool leap) {
    std::string text = leap ? "闰" : "";
    if (month == 1) {
        text += leap ? "一月" : "正月";
    } else if (month == 11) {
        text += "十一月";
    } else if (month == 12) {
        text += "十二月";
    } else {
        text += kMonthDigits[month - 1];
        text += "月";
    }
    return text;
}

std::string DayNameText(int day) {
    if (day == 20) {
        return std::string(kDayDigits[1]) + kDayDigits[9];
    }
    if (day == 30) {
        return std::string(kDayTens[3]) + kDayDigits[9];
    }
    return std::string(kDayTens[(day - 1) / 10]) + kDayDigits[(day - 1) % 10];
}

}  // namespace

int LunarConverter::ToLunar(int year, int month, int day, LunarDate& lunar) {
    lunar = {};
    if (!IsValidDate(year, month, day)) {
        return 0;
    }
    int n = DayOffset(year, month, day, kFirstTableYear, 1, 1);
    if (n < kFirstConvertibleOffset) {
        return 0;
    }
    if (n < kNewYear1901Offset) {
        lunar.year = 1900;
        if (n < kTwelfthMonth1900Offset) {
            lunar.month = 11;
            lunar.day = static_cast<std::uint16_t>(n + 11);
        } else {
            lunar.month = 12;
            lunar.day = static_cast<std::uint16_t>(n - 18);
        }
        return SolarTermOn(year, month, day);
    }
    n -= kNewYear1901Offset;
    if (n >= kNewYearOffsets.back()) {
        return SolarTermOn(year, month, day);
    }
    auto next = std::upper_bound(kNewYearOffsets.begin(), kNewYearOffsets.end(), n);
    int index = static_cast<int>(next - kNewYearOffsets.begin()) - 1;
    lunar = WalkMonths(kFirstTableYear + index, n - kNewYearOffsets[index]);
    return SolarTermOn(year, month, day);
}

// Walks at most twelve months of one year: the year's own start comes from
// kNewYearOffsets, so no call steps through days or years.
bool LunarConverter::ToGregorian(int lunarYear, int lunarMonth, int lunarDay, GregorianDate& date) {
    // The month is checked before it is negated, so INT_MIN cannot overflow.
    if (!InTables(lunarYear) || lunarMonth < -12 || lunarMonth > 12 || lunarMonth == 0 || lunarDay < 1) {
        return false;
    }
    const bool leap = lunarMonth < 0;
    const int month = leap ? -lunarMonth : lunarMonth;
    if (leap && LeapMonth(lunarYear) != month) {
        return false;
    }
    int offset = kNewYearOffsets[lunarYear - kFirstTableYear];
    for (int before = 1; before < month; ++before) {
        const std::uint32_t packed = PackedMonthLength(lunarYear, before);
        offset += static_cast<int>((packed & 0xFFFF) + (packed >> 16));
    }
    const std::uint32_t packed = PackedMonthLength(lunarYear, month);
    const int normalDays = static_cast<int>(packed & 0xFFFF);
    const int monthDays = leap ? static_cast<int>(packed >> 16) : normalDays;
    if (lunarDay > monthDays) {
        return false;
    }
    // The leap month follows the ordinary month it repeats.
    if (leap) {
        offset += normalDays;
    }
    date = DateOfDayCount(DayCount(kFirstTableYear, 1, 1) + kNewYear1901Offset + offset + lunarDay - 1);
    return true;
}

int LunarConverter::DayOffset(int yearA, int monthA, int dayA, int yearB, int monthB, int dayB) {
    return DayCount(yearA, monthA, dayA) - DayCount(yearB, monthB, dayB);
}

bool LunarConverter::IsGregorianLeap(int year) {
    return IsGregorianLeapYear(year);
}

std::uint32_t LunarConverter::MonthLength(int lunarYear, int month) {
    return PackedMonthLength(lunarYear, month);
}

int LunarConverter::YearLength(int lunarYear) {
    return LengthOfYear(lunarYear);
}

int LunarConverter::LeapMonthOf(int lunarYear) {
    return LeapMonth(lunarYear);
}

int LunarConverter::SolarTermOn(int year, int month, int day) {
    if (!InTables(year) || month < 1 || month > 12) {
        return 0;
    }
    std::uint8_t days = kSolarTermTable[(year - kFirstTableYear) * 12 + month - 1];
    int candidate = day >= 15 ? 15 + (days & 0x0F) : 15 - (days >> 4);
    if (day != candidate) {
        return 0;
    }
    return day > 15 ? month * 2 : month * 2 - 1;
}

int LunarConverter::LunarMonthName(int month, bool leap, char* buffer, std::size_t size) {
    if (month < 1 || month > 12) {
        month = -month;
        if (month < 1 || month > 12) {
            return WriteEmpty(buffer, size);
        }
        leap = true;
    }
    int code = month >= 11 ? 7 : 5;
    return WriteName(MonthNameText(month, leap), buffer, size, 7, code);
}

int LunarConverter::LunarDayName(int day, char* buffer, std::size_t size) {
    if (day < 1 || day > 30) {
        return WriteEmpty(buffer, size);
    }
    return WriteName(DayNameText(day), buffer, size, 5, 5);
}

int LunarConverter::SolarTermName(int index, char* buffer, std::size_t size) {
    if (index < 1 || index > 24) {
        return WriteEmpty(buffer, size);
    }
    return WriteName(kSolarTermNames[index - 1], buffer, size, 5, 5);
}

std::string LunarConverter::LunarText(int year, int month, int day) {
    LunarDate lunar;
    int term = ToLunar(year, month, day, lunar);
    if (lunar.day == 0) {
        return {};
    }
    std::string text = MonthNameText(lunar.month < 0 ? -lunar.month : lunar.month, lunar.month < 0);
    text += DayNameText(lunar.day);
    if (term != 0) {
        text += ' ';
        text += kSolarTermNames[term - 1];
    }
    return text;
}

const char* LunarConverter::WeekdayName(int weekday) {
    if (weekday < 1 || weekday > 7) {
        return "";
    }
    return kWeekdayNames[weekday - 1];
}
