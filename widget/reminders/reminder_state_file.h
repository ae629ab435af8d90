#pragma once

// ReminderState.dat, beside Calendar.dat: what the widget keeps between runs
// about alerts, never in Calendar.dat itself (so that file stays exactly what
// other programs read): the moment up to which the reminders were checked,
// and the alerts the user put off with "稍后提醒".
//
// Layout; integers 32-bit little-endian, a reminder record exactly as
// Calendar.dat writes one (reminder_file.h):
//   offset 0  header kReminderStateHeader
//   offset 4  1 when a checked moment follows at offset 8, else 0 (the
//             moment's four bytes are then 0 and mean nothing)
//   offset 8  the checked moment, signed seconds since 1970-01-01 00:00 UTC
//   offset 12 snoozed alerts back to back up to the end of the file, no
//             count: the moment the alert comes again (signed), then the
//             reminder record it is for (the record's id is not used).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/local_time.h"
#include "widget/reminders/reminder_item.h"

inline constexpr char kReminderStateFileName[] = "ReminderState.dat";
inline constexpr std::uint32_t kReminderStateHeader = 0x31535A52;  // "RZS1"

struct SnoozedAlert {
    Moment due = 0;         // when it alerts again
    ReminderItem reminder;  // the reminder as stored when it was put off

    friend bool operator==(const SnoozedAlert&, const SnoozedAlert&) = default;
};

struct ReminderState {
    // Every due minute up to and including this moment's minute has been
    // checked; none before the widget's first run.
    std::optional<Moment> checkedUpTo;
    std::vector<SnoozedAlert> snoozed;

    friend bool operator==(const ReminderState&, const ReminderState&) = default;
};

// Fills `state` from a whole file. False for a file shorter than the fixed
// part, another header, a flag other than 0 or 1, or one that ends inside an
// alert; the alerts read before a broken one are kept, the broken one is
// dropped, and a bad fixed part leaves `state` empty.
bool ParseReminderState(std::string_view bytes, ReminderState& state);

// The bytes of the file. False when a text is too long for its length
// prefix (the bytes must then not be saved).
bool EncodeReminderState(const ReminderState& state, std::string& bytes);
