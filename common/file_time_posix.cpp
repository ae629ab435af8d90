// File times for the native build (POSIX).

#include <sys/stat.h>

#include <limits>

#include "common/file_io.h"

std::optional<FileStamp> ReadFileStamp(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    FileStamp stamp;
    if (status.st_mtime > std::numeric_limits<Moment>::max()) {
        stamp.written = std::numeric_limits<Moment>::max();
    } else if (status.st_mtime < std::numeric_limits<Moment>::min()) {
        stamp.written = std::numeric_limits<Moment>::min();
    } else {
        stamp.written = static_cast<Moment>(status.st_mtime);
    }
    stamp.size = status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
    return stamp;
}

std::optional<Moment> FileWriteTime(const std::string& path) {
    const std::optional<FileStamp> stamp = ReadFileStamp(path);
    return stamp ? std::optional<Moment>(stamp->written) : std::nullopt;
}
