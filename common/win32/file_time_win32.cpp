// File times on Windows.

#include <windows.h>

#include <cstdint>
#include <limits>

#include "common/file_io.h"

namespace {

// FILETIME counts 100-nanosecond steps since 1601-01-01 00:00 UTC;
// 1970-01-01 is 116444736000000000 steps later.
constexpr std::uint64_t kFileTimeStepsPerSecond = 10000000;
constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;

}  // namespace

std::optional<FileStamp> ReadFileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
        return std::nullopt;
    }
    const std::uint64_t steps = (static_cast<std::uint64_t>(attributes.ftLastWriteTime.dwHighDateTime) << 32) |
                                attributes.ftLastWriteTime.dwLowDateTime;
    // Whole seconds first: any 64-bit count of steps then fits the signed
    // arithmetic below.
    const std::int64_t seconds = static_cast<std::int64_t>(steps / kFileTimeStepsPerSecond) - kSecondsFrom1601To1970;
    FileStamp stamp;
    if (seconds > std::numeric_limits<Moment>::max()) {
        stamp.written = std::numeric_limits<Moment>::max();
    } else if (seconds < std::numeric_limits<Moment>::min()) {
        stamp.written = std::numeric_limits<Moment>::min();
    } else {
        stamp.written = static_cast<Moment>(seconds);
    }
    stamp.size = (static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    return stamp;
}

std::optional<Moment> FileWriteTime(const std::string& path) {
    const std::optional<FileStamp> stamp = ReadFileStamp(path);
    return stamp ? std::optional<Moment>(stamp->written) : std::nullopt;
}
