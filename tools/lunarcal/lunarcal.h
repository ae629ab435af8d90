#pragma once

// lunarcal, a command-line lunar calendar: everything but the operating
// system. main.cpp gathers the platform's facts into a LunarcalEnvironment
// and prints what RunLunarcal wrote; tests pass their own.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"

inline constexpr int kLunarcalOk = 0;
// Bad arguments, dates out of range, an unreadable --holidays file.
inline constexpr int kLunarcalUsageError = 2;

struct LunarcalEnvironment {
    GregorianDate today;         // local date
    bool outIsTerminal = false;  // today is shown in reverse video only on a terminal
    // Reads the file named with --holidays (GBK, as typed) into the table;
    // false when it cannot be read.
    std::function<bool(const std::string& path, HolidayTable& table)> loadHolidayFile;
    // Reads the shipped holiday file into the table; false when none is found.
    std::function<bool(HolidayTable& table)> loadDefaultHolidays;
};

// Runs the command line `args` (GBK, without the program name). Output and
// messages are GBK. On an error nothing is written to `out` and `err` gets one
// line that begins with "lunarcal: ". Returns the exit code.
int RunLunarcal(const std::vector<std::string>& args,
                const LunarcalEnvironment& env,
                std::ostream& out,
                std::ostream& err);

// Where the shipped holiday.dat is looked for, in this order, given the
// folder of the executable: beside it, then where the assembled Windows
// program keeps it (modules/Calendar). Empty when the folder is unknown.
std::vector<std::string> DefaultHolidayFiles(const std::string& executableFolder, char separator);
