#pragma once

// File access for the toolkit's stored data (INI files, history stores).
// Unlike ReadWholeFile these tell a missing file, which is an ordinary state
// (read as empty, made on the first write), from a file that is there but
// cannot be read: such a file must never be replaced by a write built from
// nothing, or its contents would be lost.

#include <cstddef>
#include <string>

// Largest file the toolkit reads; its files are a few kilobytes, and a
// larger one is refused rather than read into memory.
inline constexpr std::size_t kMaxStoredFileBytes = std::size_t{64} << 20;

// Reads the file at `path` into `contents`. Returns 0 with `present` set when
// it was read, 0 with `present` false (and `contents` empty) when there is no
// file there, else the system error code (GetLastError on Windows, errno
// natively) with `contents` empty.
int ReadFileIfPresent(const std::string& path, std::string& contents, bool& present);

// Makes an empty file at `path` when nothing is there; an existing file is
// left as it is. True when a file exists at `path` afterwards.
bool CreateFileIfMissing(const std::string& path);

// System error codes for failures the toolkit detects itself.
int InvalidParameterError();
int OutOfMemoryError();
