#pragma once

// Whole-file reading and crash-safe writing of user data.

#include <optional>
#include <string>
#include <string_view>

#include "common/local_time.h"

// Reads the whole file into `contents`. False (and `contents` empty) when
// the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& contents);

// Replaces the file at `path` with `contents` so that it is never left half
// written: the bytes go to a temporary file in the same folder, are flushed
// to the disk, and the temporary file then takes the place of the old one
// (MoveFileEx with write-through on Windows, rename natively). On Windows a
// target that another program holds open is waited for, about a second at
// most. A crash or a full disk leaves the old file as it was. Returns 0 on success, else the
// system error code (GetLastError on Windows, errno natively); the temporary
// file is removed on failure.
int ReplaceFileAtomically(const std::string& path, std::string_view contents);

// When the file at `path` was last written, clamped to the span of a Moment;
// nullopt when there is no such file or its attributes cannot be read.
std::optional<Moment> FileWriteTime(const std::string& path);
