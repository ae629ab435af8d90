#pragma once

// The daily scheduled shutdown: its setting in section [windowsexit] of
// Data\module.ini, the ranges the settings dialog accepts with their
// messages, and the decision of the LoaderWindow's two-second check.

#include <optional>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/local_time.h"

struct ShutdownSchedule {
    int hour = 0;
    int minute = 0;
    bool on = false;

    friend bool operator==(const ShutdownSchedule&, const ShutdownSchedule&) = default;
};

inline constexpr char kShutdownSection[] = "windowsexit";
inline constexpr char kShutdownHourKey[] = "hour";
inline constexpr char kShutdownMinuteKey[] = "minute";
inline constexpr char kShutdownOnKey[] = "start";

inline constexpr int kShutdownLastHour = 23;
inline constexpr int kShutdownLastMinute = 59;
inline constexpr char kShutdownMinuteMessage[] = "请输入一个0和59之间的数字！";
inline constexpr char kShutdownHourMessage[] = "请输入一个0和23之间的数字！";

// The dialogs' titles follow the product's name and version.
inline constexpr char kShutdownDialogTitleSuffix[] = "－定时关机设置";
inline constexpr char kShutdownCountdownTitleSuffix[] = "－定时关机";
// The countdown powers off after this many one-second ticks.
inline constexpr int kShutdownCountdownTicks = 10;
inline constexpr unsigned kShutdownCountdownTickMs = 1000;

// A stored or typed number read as the C library's atol reads it: leading
// blanks, an optional sign, the digits up to the first other character;
// nothing readable is 0. Numbers beyond int are held at its ends, so a huge
// text can never come out as a small valid one.
int ReadSettingNumber(std::string_view text);

// The setting in the module settings file at `path` (an empty file is made
// when there is none); nullopt when the file cannot be opened. Missing or
// unreadable values are 0 (off at 0:00).
std::optional<ShutdownSchedule> ReadShutdownSchedule(const std::string& path);

// The schedule of one settings file, read again only when the file has
// changed: the shutdown check asks for it every two seconds, and the file
// changes once in a long while. A change is seen by the file's write time
// and size; a file written in the same second as the last read is read
// again each time, since a second write within that second would leave
// both as they were.
class ShutdownScheduleReader {
public:
    explicit ShutdownScheduleReader(std::string path);

    // As ReadShutdownSchedule(path) would answer at `now`.
    std::optional<ShutdownSchedule> Read(Moment now);

private:
    std::string path_;
    // The stamp the file had just before the kept schedule was read, and when
    // that was; no stamp, nothing kept.
    std::optional<FileStamp> stamp_;
    Moment readAt_ = 0;
    std::optional<ShutdownSchedule> schedule_;
};

// Writes hour, minute and start ("%d", start 1 or 0), making missing keys.
// True when all three were written.
bool WriteShutdownSchedule(const std::string& path, const ShutdownSchedule& schedule);

// What the settings dialog says about the typed hour and minute before it
// saves them: the message for the first field out of range, the minute
// checked first; nullopt when both are accepted.
std::optional<std::string_view> ShutdownEntryProblem(int hour, int minute);

// Whether the check at `now` starts the countdown: the schedule is on and
// `now` is in its minute. After a countdown the check pauses for
// kShutdownPauseMs, which is longer than a minute, so one minute starts
// one countdown.
bool ShutdownDue(const ShutdownSchedule& schedule, const LocalTime& now);
inline constexpr unsigned kShutdownCheckPeriodMs = 2000;
inline constexpr unsigned kShutdownPauseMs = 60000;
