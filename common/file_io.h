#pragma once

// Whole-file reading and crash-safe writing of user data.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/local_time.h"

// Largest file ReadWholeFile reads; the suite's files are far smaller, and a
// larger one is refused rather than read into memory.
inline constexpr std::size_t kMaxWholeFileBytes = std::size_t{1} << 30;

// Reads the whole file into `contents`, up to its end whatever size it
// claims. False (and `contents` empty) when the file cannot be opened or
// read, or holds more than kMaxWholeFileBytes. On Windows the file is opened
// with every sharing flag, delete included, so the read never fails because
// a writer holds the file and never refuses a writer its open; it holds the
// file only while reading, which a save's wait for a busy target rides out.
bool ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the file at `path` with `contents` so that it is never left half
// written: the bytes go to a temporary file in the same folder, named
// "<file name>.tmp-<process id>-<serial>" (temporary_file_name.h), are
// flushed to the disk, and the temporary file then takes the place of the
// old one (MoveFileEx with write-through on Windows, rename natively). On
// Windows a target that another program holds open is waited for, about a
// second at most. A crash or a full disk leaves the old file as it was.
// Returns 0 on success, else the system error code (GetLastError on Windows,
// errno natively); the temporary file is removed on failure. After a
// success, temporaries of this same target left by writers that no longer
// run (killed before their rename) are removed; those of running processes,
// this one's own and every other file stay.
int ReplaceFileAtomically(const std::string& path, std::string_view contents);

// When the file at `path` was last written, clamped to the span of a Moment;
// nullopt when there is no such file or its attributes cannot be read.
std::optional<Moment> FileWriteTime(const std::string& path);

// What tells one version of a file from the next without reading it: its
// last write time (whole seconds, as FileWriteTime) and its size.
struct FileStamp {
    Moment written = 0;
    std::uint64_t size = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// The stamp of the file at `path`; nullopt as for FileWriteTime.
std::optional<FileStamp> ReadFileStamp(const std::string& path);
