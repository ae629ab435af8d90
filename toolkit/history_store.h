#pragma once

// The stored form of a drop-down history list: two files chosen by the
// caller.
// - index file: one unsigned 32-bit little-endian length per entry, in entry
//   order, and nothing else (a tail of fewer than 4 bytes is ignored);
// - data file: the entries' bytes one after another, without separators or
//   terminators.
// Entries are GBK text, never empty, unique (compared byte for byte) and at
// most an entry width long: 255 bytes for short entries, 1023 for long ones.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kShortHistoryEntryBytes = 255;
inline constexpr std::size_t kLongHistoryEntryBytes = 1023;

struct StoredHistory {
    // The entries read, in stored order.
    std::vector<std::string> entries;
    // A length ran past the end of the data: the entries before it are in
    // `entries`, nothing after it is read.
    bool damaged = false;
};

// Reads a stored history. Lengths are never trusted: each is checked against
// the data that is left before anything is taken. An empty entry, a repeat of
// an earlier entry and an entry longer than `entryBytes` (which the list never
// writes) are passed over, and reading goes on after their bytes.
StoredHistory ParseHistory(std::string_view index, std::string_view data, std::size_t entryBytes);

// The index and data file contents for `entries`.
std::string FormatHistoryIndex(const std::vector<std::string>& entries);
std::string FormatHistoryData(const std::vector<std::string>& entries);
