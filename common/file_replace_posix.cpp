// Atomic file replacement for the native build (POSIX).

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/temporary_file_name.h"

namespace {

// Names already taken (left-overs of an earlier process with our id) are
// skipped; this many in a row means something else is wrong.
constexpr int kCreateAttempts = 100;

// Serials of this process's temporary files, so that threads saving the same
// target at once each write a file of their own.
std::atomic<std::uint32_t> nextSerial{0};

// Writes all of `contents` to `fd`; 0 or errno.
int WriteAll(int fd, std::string_view contents) {
    while (!contents.empty()) {
        ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Creates a new temporary file for `path` in its folder; the descriptor, or
// -1 with errno. O_EXCL: a file already there is never written into.
int CreateTemporaryFile(const std::string& path, std::string& temporary) {
    const std::string name = FileNameOf(path);
    const std::string folderPart = path.substr(0, path.size() - name.size());
    const auto processId = static_cast<std::uint32_t>(::getpid());
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary = folderPart + TemporaryFileName(name, processId, nextSerial++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// kill with signal 0 only asks whether the process exists; EPERM means it
// does but belongs to someone else. An id beyond pid_t is no process we
// could ask about, so it counts as running and its file stays.
bool IsProcessRunning(std::uint32_t processId) {
    if (processId > static_cast<std::uint32_t>(INT_MAX)) {
        return true;
    }
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

// Removes the temporary files of `path` that writers killed before their
// rename left in its folder.
void RemoveAbandonedTemporaries(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::string folderPart = path.substr(0, path.size() - name.size());
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(folderPart.empty() ? "." : folderPart.c_str()), ::closedir);
    if (!folder) {
        return;
    }
    const std::string prefix = TemporaryFilePrefix(name);
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(folder.get())) {
        if (std::string_view(entry->d_name).starts_with(prefix)) {
            candidates.emplace_back(entry->d_name);
        }
    }
    const auto processId = static_cast<std::uint32_t>(::getpid());
    for (const std::string& abandoned : AbandonedTemporaryFiles(candidates, name, processId, IsProcessRunning)) {
        // A file another cleaner removed first, or one we may not remove,
        // stays for a later save to try again; the save itself succeeded.
        static_cast<void>(::unlink((folderPart + abandoned).c_str()));
    }
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view contents) {
    std::string temporary;
    const int fd = CreateTemporaryFile(path, temporary);
    if (fd < 0) {
        return errno;
    }
    int error = WriteAll(fd, contents);
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    // The temporary file is private: keep the old file's permissions, or
    // those of an ordinary new file.
    struct stat old {};
    mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (error == 0 && ::chmod(temporary.c_str(), mode) != 0) {
        error = errno;
    }
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        // One that cannot go now is a left-over for a later run to remove.
        static_cast<void>(::unlink(temporary.c_str()));
        return error;
    }
    RemoveAbandonedTemporaries(path);
    return 0;
}
