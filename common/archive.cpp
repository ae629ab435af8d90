#include "common/archive.h"

#include <limits>

namespace {

// Length prefix forms: a one-byte length up to 254, 0xFF announces a 16-bit
// length, and a 16-bit 0xFFFF announces a 32-bit one.
constexpr std::uint8_t kWideLength8 = 0xFF;
constexpr std::uint16_t kWideLength16 = 0xFFFF;
// Announces UTF-16 text elsewhere; never valid in our files.
constexpr std::uint16_t kUnicodeMarker16 = 0xFFFE;

}  // namespace

void ArchiveWriter::WriteUInt8(std::uint8_t value) {
    bytes_.push_back(static_cast<char>(value));
}

void ArchiveWriter::WriteUInt16(std::uint16_t value) {
    WriteUInt8(static_cast<std::uint8_t>(value));
    WriteUInt8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteInt16(std::int16_t value) {
    WriteUInt16(static_cast<std::uint16_t>(value));
}

void ArchiveWriter::WriteUInt32(std::uint32_t value) {
    WriteUInt16(static_cast<std::uint16_t>(value));
    WriteUInt16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteInt32(std::int32_t value) {
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteText(std::string_view text) {
    const std::uint64_t length = text.size();
    if (!ok_ || length > std::numeric_limits<std::uint32_t>::max()) {
        ok_ = false;
        return;
    }
    if (length < kWideLength8) {
        WriteUInt8(static_cast<std::uint8_t>(length));
    } else if (length < kUnicodeMarker16) {
        WriteUInt8(kWideLength8);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        WriteUInt8(kWideLength8);
        WriteUInt16(kWideLength16);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    bytes_.append(text);
}

bool ArchiveReader::Fail(ArchiveError error) {
    if (error_ == ArchiveError::kNone) {
        error_ = error;
    }
    return false;
}

bool ArchiveReader::Take(std::size_t count, std::string_view& taken) {
    taken = {};
    if (!ok()) {
        return false;
    }
    if (count > remaining()) {
        return Fail(ArchiveError::kTruncated);
    }
    taken = bytes_.substr(position_, count);
    position_ += count;
    return true;
}

bool ArchiveReader::ReadLittleEndian(std::size_t width, std::uint32_t& value) {
    value = 0;
    std::string_view taken;
    if (!Take(width, taken)) {
        return false;
    }
    for (std::size_t i = width; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(taken[i]);
    }
    return true;
}

bool ArchiveReader::ReadUInt8(std::uint8_t& value) {
    std::uint32_t wide;
    bool read = ReadLittleEndian(1, wide);
    value = static_cast<std::uint8_t>(wide);
    return read;
}

bool ArchiveReader::ReadUInt16(std::uint16_t& value) {
    std::uint32_t wide;
    bool read = ReadLittleEndian(2, wide);
    value = static_cast<std::uint16_t>(wide);
    return read;
}

bool ArchiveReader::ReadInt16(std::int16_t& value) {
    std::uint16_t bits;
    bool read = ReadUInt16(bits);
    value = static_cast<std::int16_t>(bits);
    return read;
}

bool ArchiveReader::ReadUInt32(std::uint32_t& value) {
    return ReadLittleEndian(4, value);
}

bool ArchiveReader::ReadInt32(std::int32_t& value) {
    std::uint32_t bits;
    bool read = ReadUInt32(bits);
    value = static_cast<std::int32_t>(bits);
    return read;
}

// The length is checked against the bytes that are left before anything is
// allocated: a damaged prefix can claim up to 4 GiB.
bool ArchiveReader::ReadText(std::string& text) {
    text.clear();
    const std::size_t start = position_;
    if (!ReadLengthAndBytes(text)) {
        position_ = start;
        return false;
    }
    return true;
}

bool ArchiveReader::ReadLengthAndBytes(std::string& text) {
    std::uint8_t length8;
    if (!ReadUInt8(length8)) {
        return false;
    }
    std::uint32_t length = length8;
    if (length8 == kWideLength8) {
        std::uint16_t length16;
        if (!ReadUInt16(length16)) {
            return false;
        }
        if (length16 == kUnicodeMarker16) {
            return Fail(ArchiveError::kMalformed);
        }
        length = length16;
        if (length16 == kWideLength16 && !ReadUInt32(length)) {
            return false;
        }
    }
    std::string_view taken;
    if (!Take(length, taken)) {
        return false;
    }
    text.assign(taken);
    return true;
}

bool ArchiveReader::Skip(std::size_t count) {
    std::string_view taken;
    return Take(count, taken);
}
