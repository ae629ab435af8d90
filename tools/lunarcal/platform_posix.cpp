// lunarcal's platform layer on Linux: UTF-8 terminals and file names.

#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "common/text_encoding.h"
#include "tools/lunarcal/platform.h"

namespace lunarcal_platform {

char PathSeparator() {
    return '/';
}

std::vector<std::string> GbkArguments(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Utf8ToGbk(argv[i]));
    }
    return args;
}

std::string ExecutableFolder() {
    // readlink does not say whether it cut the path short, so a result that
    // fills the buffer is tried again with a larger one.
    std::string path(256, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            break;
        }
        path.resize(path.size() * 2);
    }
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

GregorianDate LocalToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool OutputIsTerminal() {
    return isatty(STDOUT_FILENO) == 1;
}

bool LoadHolidayFile(const std::string& gbkPath, HolidayTable& table) {
    return table.Load(GbkToUtf8(gbkPath));
}

bool Write(Stream stream, std::string_view gbk) {
    std::string text = GbkToUtf8(gbk);
    int fd = stream == Stream::kOut ? STDOUT_FILENO : STDERR_FILENO;
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t written = write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace lunarcal_platform
