// Reads any bytes as a script of archive values: each value is preceded by a
// byte choosing its kind. The reader must never read past the end, must stay
// failed after its first failure, and whatever it read must come back the
// same when written again, in no more bytes than it took (the writer picks
// the shortest length prefix).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/archive.h"

namespace {

enum Kind : std::uint8_t { kUInt8, kUInt16, kInt16, kUInt32, kInt32, kText, kSkip, kKinds };

struct Value {
    Kind kind;
    std::uint32_t number = 0;  // integers, and the byte count of a skip
    std::string text;
};

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

// Reads one value of the kind the script names; false when the read failed.
bool ReadValue(ArchiveReader& reader, Kind kind, Value& value) {
    value.kind = kind;
    switch (kind) {
        case kUInt8: {
            std::uint8_t v;
            bool read = reader.ReadUInt8(v);
            value.number = v;
            return read;
        }
        case kUInt16: {
            std::uint16_t v;
            bool read = reader.ReadUInt16(v);
            value.number = v;
            return read;
        }
        case kInt16: {
            std::int16_t v;
            bool read = reader.ReadInt16(v);
            value.number = static_cast<std::uint16_t>(v);
            return read;
        }
        case kUInt32:
            return reader.ReadUInt32(value.number);
        case kInt32: {
            std::int32_t v;
            bool read = reader.ReadInt32(v);
            value.number = static_cast<std::uint32_t>(v);
            return read;
        }
        case kText:
            return reader.ReadText(value.text);
        default: {
            std::uint8_t count;
            value.number = reader.ReadUInt8(count) ? count % 8 : 0;
            return reader.Skip(value.number);
        }
    }
}

void WriteValue(ArchiveWriter& writer, const Value& value) {
    writer.WriteUInt8(value.kind);
    switch (value.kind) {
        case kUInt8:
            writer.WriteUInt8(static_cast<std::uint8_t>(value.number));
            break;
        case kUInt16:
            writer.WriteUInt16(static_cast<std::uint16_t>(value.number));
            break;
        case kInt16:
            writer.WriteInt16(static_cast<std::int16_t>(value.number));
            break;
        case kUInt32:
            writer.WriteUInt32(value.number);
            break;
        case kInt32:
            writer.WriteInt32(static_cast<std::int32_t>(value.number));
            break;
        case kText:
            writer.WriteText(value.text);
            break;
        default:
            writer.WriteUInt8(static_cast<std::uint8_t>(value.number));
            for (std::uint32_t i = 0; i < value.number; ++i) {
                writer.WriteUInt8(0);
            }
            break;
    }
}

// Whether `taken` bytes is what `value` occupies: integers exactly their
// width, a text its bytes after a prefix of one to seven bytes.
bool TookRightBytes(const Value& value, std::size_t taken) {
    constexpr std::size_t kWidths[] = {1, 2, 2, 4, 4};
    switch (value.kind) {
        case kText:
            return taken >= 1 + value.text.size() && taken <= 7 + value.text.size();
        case kSkip:
            return taken == 1 + value.number;
        default:
            return taken == kWidths[value.kind];
    }
}

// Reads values until the bytes end or a read fails.
std::vector<Value> ReadScript(ArchiveReader& reader) {
    std::vector<Value> values;
    std::uint8_t kind;
    while (!reader.AtEnd() && reader.ReadUInt8(kind)) {
        Value value;
        const std::size_t before = reader.position();
        if (!ReadValue(reader, static_cast<Kind>(kind % kKinds), value)) {
            Check(!reader.ok());
            break;
        }
        Check(TookRightBytes(value, reader.position() - before));
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ArchiveReader reader(bytes);
    const std::vector<Value> values = ReadScript(reader);
    Check(reader.position() <= size && reader.position() + reader.remaining() == size);
    if (!reader.ok()) {
        std::uint8_t byte = 1;
        std::string text = "x";
        Check(!reader.ReadUInt8(byte) && byte == 0 && !reader.ReadText(text) && text.empty() && !reader.Skip(0));
    }

    // Written again, the values read take no more bytes and read back the same.
    ArchiveWriter writer;
    for (const Value& value : values) {
        WriteValue(writer, value);
    }
    Check(writer.ok() && writer.bytes().size() <= reader.position());
    ArchiveReader again(writer.bytes());
    const std::vector<Value> reread = ReadScript(again);
    Check(again.ok() && again.AtEnd() && reread.size() == values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        Check(reread[i].kind == values[i].kind && reread[i].number == values[i].number &&
              reread[i].text == values[i].text);
    }
    return 0;
}
