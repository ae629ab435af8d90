// Reads arbitrary bytes as Calendar.dat, writes the records it got and reads
// them back (they must come back equal), and runs every record's due test at
// moments around the 32-bit range so its arithmetic meets any stored value.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "widget/reminders/reminder_file.h"
#include "widget/reminders/reminder_recurrence.h"

namespace {

constexpr Moment kMoments[] = {
    std::numeric_limits<Moment>::min(), -86400, 0, 1715043600 /* 2024-05-07 09:00 CST */,
    std::numeric_limits<Moment>::max(),
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<ReminderItem> records;
    ParseReminderFile(std::string_view(reinterpret_cast<const char*>(data), size), records);

    // Keyed by position: the file may repeat ids.
    ReminderMap items;
    std::uint32_t key = 0;
    for (const ReminderItem& record : records) {
        items[key++] = record;
    }
    std::string bytes;
    if (!EncodeReminderFile(items, bytes)) {
        __builtin_trap();
    }
    std::vector<ReminderItem> again;
    if (!ParseReminderFile(bytes, again) || again != records) {
        __builtin_trap();
    }

    for (const ReminderItem& record : records) {
        for (Moment now : kMoments) {
            IsReminderDue(record, now);
        }
    }
    return 0;
}
