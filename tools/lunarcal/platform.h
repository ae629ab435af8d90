#pragma once

// What lunarcal needs from the operating system, one implementation each in
// platform_posix.cpp and win32/platform_win32.cpp.

#include <string>
#include <string_view>
#include <vector>

#include "widget/calendar/gregorian.h"
#include "widget/calendar/holiday_table.h"

namespace lunarcal_platform {

enum class Stream { kOut, kErr };

// Separator of the folders in a path.
char PathSeparator();

// The arguments after the program name as GBK text, the encoding of the tool's
// logic (the command line of a Chinese Windows already is; a UTF-8 one is
// converted, a character that GBK lacks becoming '?').
std::vector<std::string> GbkArguments(int argc, char** argv);

// Folder of the running program in the file system's own encoding, without
// a trailing separator; empty when it cannot be found.
std::string ExecutableFolder();

GregorianDate LocalToday();

// True when standard output is a terminal that shows reverse video.
bool OutputIsTerminal();

// Reads the holiday file at a GBK path into `table`.
bool LoadHolidayFile(const std::string& gbkPath, HolidayTable& table);

// Writes GBK text to the stream in the encoding the stream's reader expects.
// False when not all of it could be written.
bool Write(Stream stream, std::string_view gbk);

}  // namespace lunarcal_platform
