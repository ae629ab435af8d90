#pragma once

// Calendar.dat: a 4-byte header, then the reminder records back to back up to
// the end of the file (no count, no terminator). A record is the fields of
// ReminderItem in order: 32-bit little-endian integers and length-prefixed
// GBK texts (common/archive.h).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/archive.h"
#include "widget/reminders/reminder_item.h"

// Written on every save; ignored on load, so files with another value read
// the same.
inline constexpr std::uint32_t kReminderFileHeader = 0x000060C3;

// Appends the records of a whole file to `records`, ids as stored. True when
// the file ends exactly after the header or after a record; false when it is
// shorter than the header or ends inside a record, or a record holds a length
// prefix no writer makes or one longer than the bytes left. The records read
// before the failure are appended all the same; the broken one is dropped.
bool ParseReminderFile(std::string_view bytes, std::vector<ReminderItem>& records);

// The bytes of a file holding `items` in ascending id order. False when a
// text is too long for its length prefix (the bytes must then not be saved).
bool EncodeReminderFile(const ReminderMap& items, std::string& bytes);

// One record; reading stops at the first failure (see ArchiveReader::ok).
bool ReadReminderRecord(ArchiveReader& reader, ReminderItem& item);
void WriteReminderRecord(ArchiveWriter& writer, const ReminderItem& item);
