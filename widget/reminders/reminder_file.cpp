#include "widget/reminders/reminder_file.h"

#include <utility>

bool ReadReminderRecord(ArchiveReader& reader, ReminderItem& item) {
    reader.ReadUInt32(item.id);
    reader.ReadText(item.title);
    reader.ReadInt32(item.start);
    reader.ReadInt32(item.repeat);
    reader.ReadUInt32(item.kind);
    reader.ReadInt32(item.param);
    reader.ReadText(item.content);
    reader.ReadText(item.program);
    reader.ReadText(item.sound);
    return reader.ok();
}

void WriteReminderRecord(ArchiveWriter& writer, const ReminderItem& item) {
    writer.WriteUInt32(item.id);
    writer.WriteText(item.title);
    writer.WriteInt32(item.start);
    writer.WriteInt32(item.repeat);
    writer.WriteUInt32(item.kind);
    writer.WriteInt32(item.param);
    writer.WriteText(item.content);
    writer.WriteText(item.program);
    writer.WriteText(item.sound);
}

// A file that ends exactly at a record boundary is complete; running out of
// bytes anywhere inside the header or a record means the file was cut short
// (or damaged) and is reported, keeping what came before.
bool ParseReminderFile(std::string_view bytes, std::vector<ReminderItem>& records) {
    ArchiveReader reader(bytes);
    if (!reader.Skip(sizeof(kReminderFileHeader))) {
        return false;
    }
    while (!reader.AtEnd()) {
        ReminderItem item;
        if (!ReadReminderRecord(reader, item)) {
            return false;
        }
        records.push_back(std::move(item));
    }
    return true;
}

bool EncodeReminderFile(const ReminderMap& items, std::string& bytes) {
    ArchiveWriter writer;
    writer.WriteUInt32(kReminderFileHeader);
    for (const auto& [id, item] : items) {
        WriteReminderRecord(writer, item);
    }
    if (!writer.ok()) {
        bytes.clear();
        return false;
    }
    bytes = writer.TakeBytes();
    return true;
}
