// Atomic file replacement on Windows.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/temporary_file_name.h"
#include "common/win32/handles.h"

namespace {

// Writes all of `contents` to `file`; 0 or the system error code.
DWORD WriteAll(HANDLE file, std::string_view contents) {
    while (!contents.empty()) {
        DWORD chunk = contents.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(contents.size());
        DWORD written = 0;
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) {
            return GetLastError();
        }
        contents.remove_prefix(written);
    }
    return 0;
}

// Serials of this process's temporary files, so that threads saving the same
// target at once each write a file of their own.
std::atomic<std::uint32_t> nextSerial{0};

// Names already taken (left-overs of an earlier process with our id) are
// skipped; this many in a row means something else is wrong.
constexpr int kCreateAttempts = 100;

// The part of `path` before its file name: the folder with its separator,
// or nothing for a bare name.
std::string FolderPartOf(const std::string& path) {
    return path.substr(0, path.size() - FileNameOf(path).size());
}

// Creates a new temporary file for `path` in its folder (CREATE_NEW: a file
// already there is never written into), opened without sharing so that
// nobody reads or removes it half written.
DWORD CreateTemporaryFile(const std::string& path, std::string& temporary, UniqueFile& file) {
    const std::string name = FileNameOf(path);
    const std::string folderPart = FolderPartOf(path);
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        temporary = folderPart + TemporaryFileName(name, GetCurrentProcessId(), nextSerial++);
        file.reset(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return 0;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return error;
        }
    }
    return ERROR_FILE_EXISTS;
}

// Writes `contents` into a new temporary file for `path` and flushes it to
// the disk; 0 or the system error code, with `temporary` naming the file
// whenever one was made.
DWORD WriteTemporaryFile(const std::string& path, std::string_view contents, std::string& temporary) {
    UniqueFile file;
    DWORD error = CreateTemporaryFile(path, temporary, file);
    if (error != 0) {
        temporary.clear();
        return error;
    }
    error = WriteAll(file.get(), contents);
    if (error == 0 && !FlushFileBuffers(file.get())) {
        error = GetLastError();
    }
    return error;
}

// OpenProcess fails with ERROR_INVALID_PARAMETER when no process has the id;
// any other failure (access denied) means one does. A process that has
// ended keeps its id while someone holds a handle to it, so it is asked too.
bool IsProcessRunning(std::uint32_t processId) {
    const UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) {
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    return WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0;
}

struct FileSearchTraits {
    using Value = HANDLE;
    static Value Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Value v) { FindClose(v); }
};
using UniqueFileSearch = UniqueResource<FileSearchTraits>;

// Removes the temporary files of `path` that writers killed before their
// rename left in its folder.
void RemoveAbandonedTemporaries(const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::string folderPart = FolderPartOf(path);
    WIN32_FIND_DATAA found{};
    const UniqueFileSearch search(FindFirstFileA((folderPart + TemporaryFilePrefix(name) + "*").c_str(), &found));
    if (!search) {
        return;
    }
    std::vector<std::string> candidates;
    do {
        candidates.emplace_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    for (const std::string& abandoned :
         AbandonedTemporaryFiles(candidates, name, GetCurrentProcessId(), IsProcessRunning)) {
        // A file another cleaner removed first, or one still held open, stays
        // for a later save to try again; the save itself succeeded.
        static_cast<void>(DeleteFileA((folderPart + abandoned).c_str()));
    }
}

// Another program that has the target open without delete sharing (a backup
// tool, a virus scanner, a reader of our own) makes the rename fail for as
// long as it holds the file. Access denied is such a conflict too, unless
// the target is a folder or read-only: waiting never mends those.
bool IsBusyTarget(DWORD error, const std::string& path) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        return true;
    }
    if (error != ERROR_ACCESS_DENIED) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// Moves the temporary file over the target, trying again in growing steps
// for about a second while the target is busy; 0 or the last error.
DWORD MoveIntoPlace(const std::string& temporary, const std::string& path) {
    constexpr DWORD kRetryMilliseconds = 1000;
    constexpr DWORD kLongestStep = 250;
    DWORD step = 10;
    DWORD waited = 0;
    for (;;) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return 0;
        }
        const DWORD error = GetLastError();
        if (waited >= kRetryMilliseconds || !IsBusyTarget(error, path)) {
            return error;
        }
        Sleep(step);
        waited += step;
        step = step * 2 > kLongestStep ? kLongestStep : step * 2;
    }
}

}  // namespace

int ReplaceFileAtomically(const std::string& path, std::string_view contents) {
    std::string temporary;
    DWORD error = WriteTemporaryFile(path, contents, temporary);
    if (error == 0) {
        error = MoveIntoPlace(temporary, path);
    }
    if (error != 0) {
        if (!temporary.empty()) {
            // One that cannot go now is a left-over for a later run to remove.
            static_cast<void>(DeleteFileA(temporary.c_str()));
        }
        return static_cast<int>(error);
    }
    RemoveAbandonedTemporaries(path);
    return 0;
}
