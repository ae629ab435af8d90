#pragma once

// The little-endian archive encoding of the widget's binary files
// (Calendar.dat, Alarmcfg.dat, Weathercfg.dat).
//
// Integers are little-endian, 8, 16 or 32 bits wide. A text is its GBK bytes
// without a terminator, after a length prefix whose form depends on the
// length n:
//   n < 255            one byte n
//   255 <= n < 0xFFFE  0xFF, then n as 16 bits
//   n >= 0xFFFE        0xFF, 0xFFFF, then n as 32 bits
// The writer always picks the shortest form. The reader also accepts the
// longer forms for short texts, but a 16-bit length of 0xFFFE is malformed:
// other writers of this encoding use it to announce UTF-16 text, which these
// files never hold.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Builds the bytes of one file in memory; the caller writes them out whole.
class ArchiveWriter {
public:
    void WriteUInt8(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteInt16(std::int16_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteInt32(std::int32_t value);
    // A text longer than the 32-bit length can say is not written and makes
    // ok() false for good, so a truncated length never reaches a file.
    void WriteText(std::string_view text);

    // False once something could not be written; the bytes must then not be
    // saved.
    bool ok() const { return ok_; }
    const std::string& bytes() const { return bytes_; }
    std::string TakeBytes() { return std::move(bytes_); }

private:
    std::string bytes_;
    bool ok_ = true;
};

enum class ArchiveError {
    kNone,
    kTruncated,  // the bytes ended inside a value or a text
    kMalformed,  // a length prefix that no writer of these files makes
};

// Reads values from bytes it does not own (they must outlive the reader).
// A read never goes past the end and never allocates more than the bytes
// that are left. The first failed read sets error(); from then on every read
// fails, so a caller can read a whole record and check ok() once. A failed
// read leaves its output zero or empty.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    bool ReadUInt8(std::uint8_t& value);
    bool ReadUInt16(std::uint16_t& value);
    bool ReadInt16(std::int16_t& value);
    bool ReadUInt32(std::uint32_t& value);
    bool ReadInt32(std::int32_t& value);
    bool ReadText(std::string& text);
    // Steps over `count` bytes (a header nobody checks, for example).
    bool Skip(std::size_t count);

    bool ok() const { return error_ == ArchiveError::kNone; }
    ArchiveError error() const { return error_; }
    // Bytes consumed by the reads that succeeded; after a failure, where the
    // value that could not be read begins.
    std::size_t position() const { return position_; }
    std::size_t remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    // Consumes `count` bytes and returns them, or fails as truncated.
    bool Take(std::size_t count, std::string_view& taken);
    bool ReadLittleEndian(std::size_t width, std::uint32_t& value);
    bool ReadLengthAndBytes(std::string& text);
    bool Fail(ArchiveError error);

    std::string_view bytes_;
    std::size_t position_ = 0;
    ArchiveError error_ = ArchiveError::kNone;
};
