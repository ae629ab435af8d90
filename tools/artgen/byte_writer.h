#pragma once

// Little-endian byte output for the bitmap and icon file headers.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace artgen {

class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void Bytes(std::string_view bytes) { bytes_.append(bytes); }
    void Zeros(std::size_t count) { bytes_.append(count, '\0'); }

    std::size_t size() const { return bytes_.size(); }
    std::string Take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

}  // namespace artgen
