// File times for the native build (POSIX).

#include <sys/stat.h>

#include <limits>

#include "common/file_io.h"

std::optional<Moment> FileWriteTime(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    if (status.st_mtime > std::numeric_limits<Moment>::max()) {
        return std::numeric_limits<Moment>::max();
    }
    if (status.st_mtime < std::numeric_limits<Moment>::min()) {
        return std::numeric_limits<Moment>::min();
    }
    return static_cast<Moment>(status.st_mtime);
}
