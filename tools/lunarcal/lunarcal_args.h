#pragma once

// The command line of lunarcal: arguments in, a command or a one-line error
// out. Arguments are GBK text, like everything the tool prints.

#include <string>
#include <vector>

#include "widget/calendar/gregorian.h"

// The days lunarcal accepts: whole Gregorian years that the lunar tables
// describe.
inline constexpr GregorianDate kFirstDate{1901, 1, 1};
inline constexpr GregorianDate kLastDate{2050, 12, 31};

enum class LunarcalMode {
    kHelp,
    kCurrentMonth,  // no YEAR, no --day or --dump: the month of today
    kMonth,         // YEAR MONTH
    kYear,          // YEAR
    kDay,           // --day DATE
    kDump,          // --dump FROM TO
};

struct LunarcalCommand {
    LunarcalMode mode = LunarcalMode::kCurrentMonth;
    int year = 0;             // kMonth, kYear
    int month = 0;            // kMonth
    GregorianDate first;      // kDay: the day; kDump: the first day
    GregorianDate last;       // kDump: the last day
    std::string holidayFile;  // --holidays FILE; empty: the shipped file
};

struct ParsedArgs {
    LunarcalCommand command;
    std::string error;  // empty when `command` is valid; else one line without the "lunarcal: " prefix
};

// `args` excludes the program name.
ParsedArgs ParseLunarcalArgs(const std::vector<std::string>& args);

// "2008-08-08".
std::string IsoDateText(GregorianDate date);
