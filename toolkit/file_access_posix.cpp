// Toolkit file access for the native build (POSIX).

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "toolkit/file_access.h"

namespace {

// Owns a file descriptor for the length of one call.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

int ReadFileIfPresent(const std::string& path, std::string& contents, bool& present) {
    contents.clear();
    present = false;
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    }
    char buffer[16384];
    for (;;) {
        ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            int error = errno;
            contents.clear();
            return error;
        }
        if (got == 0) {
            break;
        }
        if (contents.size() + static_cast<std::size_t>(got) > kMaxStoredFileBytes) {
            contents.clear();
            return EFBIG;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    present = true;
    return 0;
}

bool CreateFileIfMissing(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        return true;
    }
    // No O_TRUNC: a file made by someone else in the meantime stays whole.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    return file.get() >= 0;
}

int InvalidParameterError() {
    return EINVAL;
}

int OutOfMemoryError() {
    return ENOMEM;
}
