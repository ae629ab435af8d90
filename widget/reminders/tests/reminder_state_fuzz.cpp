// Reads arbitrary bytes as ReminderState.dat, writes what it got and reads
// that back (it must come back equal), and runs the snooze list and the
// missed-reminder search over the records, so their arithmetic meets any
// stored value.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "widget/reminders/missed_reminders.h"
#include "widget/reminders/reminder_state_file.h"
#include "widget/reminders/snooze_list.h"

namespace {

constexpr Moment kNows[] = {
    0,
    1715043600 /* 2024-05-07 09:00 CST */,
    std::numeric_limits<Moment>::max(),
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReminderState state;
    ParseReminderState(std::string_view(reinterpret_cast<const char*>(data), size), state);

    std::string bytes;
    if (!EncodeReminderState(state, bytes)) {
        __builtin_trap();
    }
    ReminderState again;
    if (!ParseReminderState(bytes, again) || again != state) {
        __builtin_trap();
    }
    // Keyed by position: the file may repeat records.
    ReminderMap items;
    std::uint32_t key = 0;
    for (const SnoozedAlert& alert : state.snoozed) {
        items[key++] = alert.reminder;
    }
    SnoozeList list;
    list.Restore(state.snoozed, items);
    // Each alert finds its own record, or an equal one left over.
    if (list.size() != state.snoozed.size() || list.Saved(items).size() != state.snoozed.size()) {
        __builtin_trap();
    }
    for (Moment now : kNows) {
        FindMissedReminders(items, state.checkedUpTo.value_or(std::numeric_limits<Moment>::min()), now);
        list.TakeDue(now);
    }
    return 0;
}
