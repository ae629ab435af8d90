#pragma once

// The names of the temporary files a replace writes next to its target, and
// which of them an ended writer left behind.
//
// A writer of "Calendar.dat" writes "Calendar.dat.tmp-<process id>-<serial>"
// in the same folder (decimal numbers; the serial counts the writes of that
// process, so two threads saving one file never share a name). A file of
// that form whose process is no longer running is a left-over of a writer
// that was killed between writing and renaming; nothing else is ever one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// "<targetName>.tmp-<processId>-<serial>".
std::string TemporaryFileName(std::string_view targetName, std::uint32_t processId, std::uint32_t serial);

// What every temporary of `targetName` starts with, for listing a folder.
std::string TemporaryFilePrefix(std::string_view targetName);

// The process id written into `fileName` when it is exactly a name
// TemporaryFileName makes for `targetName` (bytes compared as they are);
// nullopt for any other name, a malformed number or one outside 1..2^32-1.
std::optional<std::uint32_t> TemporaryFileOwner(std::string_view fileName, std::string_view targetName);

// Answers whether a process with this id is running; when in doubt it says
// yes, which only keeps a file.
using ProcessIsRunning = std::function<bool(std::uint32_t processId)>;

// Of `fileNames` (names found in the target's folder), the temporaries of
// `targetName` whose writer has ended. Files of `ownProcessId` are never
// among them: another thread of this process may be writing one.
std::vector<std::string> AbandonedTemporaryFiles(const std::vector<std::string>& fileNames,
                                                 std::string_view targetName,
                                                 std::uint32_t ownProcessId,
                                                 const ProcessIsRunning& isRunning);
