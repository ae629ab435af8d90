#include "common/local_time.h"

#include <chrono>
#include <ctime>
#include <limits>

namespace {

std::tm ToTm(const LocalTime& local) {
    std::tm tm{};
    tm.tm_year = local.year - 1900;
    tm.tm_mon = local.month - 1;
    tm.tm_mday = local.day;
    tm.tm_hour = local.hour;
    tm.tm_min = local.minute;
    tm.tm_sec = local.second;
    tm.tm_isdst = 0;
    return tm;
}

}  // namespace

LocalTime ToLocalTime(Moment moment) {
    std::time_t time = moment;
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &time);
#else
    localtime_r(&time, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday};
}

Moment FromLocalTime(const LocalTime& local) {
    std::tm tm = ToTm(local);
    std::time_t time = std::mktime(&tm);
    // mktime gives -1 for a time it cannot represent (the Windows C runtime
    // stops at the year 3000), which is also a real moment (1969-12-31
    // 23:59:59 UTC): only a year far outside the 32-bit range means "beyond".
    if (time == -1 && local.year > 2038) {
        return std::numeric_limits<Moment>::max();
    }
    if (time == -1 && local.year < 1901) {
        return std::numeric_limits<Moment>::min();
    }
    if (time > std::numeric_limits<Moment>::max()) {
        return std::numeric_limits<Moment>::max();
    }
    if (time < std::numeric_limits<Moment>::min()) {
        return std::numeric_limits<Moment>::min();
    }
    return static_cast<Moment>(time);
}

Moment SystemClock::Now() const {
    std::time_t now = std::time(nullptr);
    return now > std::numeric_limits<Moment>::max() ? std::numeric_limits<Moment>::max() : static_cast<Moment>(now);
}

std::uint32_t SystemClock::TickCount() const {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
