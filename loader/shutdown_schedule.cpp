#include "loader/shutdown_schedule.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "toolkit/lyn_ini.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int ReadNumberKey(const CLynIni& ini, const char* key) {
    return ReadSettingNumber(ini.GetValue(kShutdownSection, key));
}

}  // namespace

int ReadSettingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > kLimit) {
            value = kLimit;  // held here: more digits cannot bring it back into range
        }
    }
    if (negative) {
        return static_cast<int>(-value);
    }
    return static_cast<int>(value == kLimit ? kLimit - 1 : value);
}

std::optional<ShutdownSchedule> ReadShutdownSchedule(const std::string& path) {
    CLynIni ini;
    if (ini.SetFileName(path) == 0) {
        return std::nullopt;
    }
    ShutdownSchedule schedule;
    schedule.hour = ReadNumberKey(ini, kShutdownHourKey);
    schedule.minute = ReadNumberKey(ini, kShutdownMinuteKey);
    schedule.on = ReadNumberKey(ini, kShutdownOnKey) != 0;
    return schedule;
}

ShutdownScheduleReader::ShutdownScheduleReader(std::string path) : path_(std::move(path)) {}

std::optional<ShutdownSchedule> ShutdownScheduleReader::Read(Moment now) {
    const std::optional<FileStamp> stamp = ReadFileStamp(path_);
    if (stamp && stamp_ && *stamp == *stamp_ && stamp->written < readAt_) {
        return schedule_;
    }
    schedule_ = ReadShutdownSchedule(path_);
    // Taken before the read: a write during it changes the stamp again.
    stamp_ = schedule_ ? stamp : std::nullopt;
    readAt_ = now;
    return schedule_;
}

bool WriteShutdownSchedule(const std::string& path, const ShutdownSchedule& schedule) {
    CLynIni ini;
    if (ini.SetFileName(path) == 0) {
        return false;
    }
    return ini.SetValue(kShutdownSection, kShutdownHourKey, std::to_string(schedule.hour), true) == 0 &&
           ini.SetValue(kShutdownSection, kShutdownMinuteKey, std::to_string(schedule.minute), true) == 0 &&
           ini.SetValue(kShutdownSection, kShutdownOnKey, schedule.on ? "1" : "0", true) == 0;
}

std::optional<std::string_view> ShutdownEntryProblem(int hour, int minute) {
    if (minute < 0 || minute > kShutdownLastMinute) {
        return kShutdownMinuteMessage;
    }
    if (hour < 0 || hour > kShutdownLastHour) {
        return kShutdownHourMessage;
    }
    return std::nullopt;
}

bool ShutdownDue(const ShutdownSchedule& schedule, const LocalTime& now) {
    return schedule.on && schedule.hour == now.hour && schedule.minute == now.minute;
}
