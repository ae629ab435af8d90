#include "widget/reminders/reminder_state_file.h"

#include <cstddef>
#include <utility>

#include "common/archive.h"
#include "widget/reminders/reminder_file.h"

namespace {

// Header, flag and moment.
constexpr std::size_t kFixedPartSize = 12;

// The fixed part; false (and nothing taken from it) when it is not ours.
bool ReadFixedPart(ArchiveReader& reader, std::optional<Moment>& checkedUpTo) {
    std::uint32_t header = 0;
    std::uint32_t flag = 0;
    Moment moment = 0;
    reader.ReadUInt32(header);
    reader.ReadUInt32(flag);
    reader.ReadInt32(moment);
    if (!reader.ok() || header != kReminderStateHeader || flag > 1) {
        return false;
    }
    if (flag == 1) {
        checkedUpTo = moment;
    }
    return true;
}

}  // namespace

bool ParseReminderState(std::string_view bytes, ReminderState& state) {
    state = {};
    if (bytes.size() < kFixedPartSize) {
        return false;
    }
    ArchiveReader reader(bytes);
    if (!ReadFixedPart(reader, state.checkedUpTo)) {
        return false;
    }
    while (!reader.AtEnd()) {
        SnoozedAlert alert;
        reader.ReadInt32(alert.due);
        if (!ReadReminderRecord(reader, alert.reminder)) {
            return false;
        }
        state.snoozed.push_back(std::move(alert));
    }
    return true;
}

bool EncodeReminderState(const ReminderState& state, std::string& bytes) {
    ArchiveWriter writer;
    writer.WriteUInt32(kReminderStateHeader);
    writer.WriteUInt32(state.checkedUpTo ? 1 : 0);
    writer.WriteInt32(state.checkedUpTo.value_or(0));
    for (const SnoozedAlert& alert : state.snoozed) {
        writer.WriteInt32(alert.due);
        WriteReminderRecord(writer, alert.reminder);
    }
    if (!writer.ok()) {
        bytes.clear();
        return false;
    }
    bytes = writer.TakeBytes();
    return true;
}
