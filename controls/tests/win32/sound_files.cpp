#include "controls/tests/win32/sound_files.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace sound_files {

namespace {

void PutLittleEndian(std::vector<char>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

bool WriteBytes(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

bool WriteSilentWave(const std::string& path, unsigned milliseconds) {
    constexpr std::uint32_t kRate = 8000;
    constexpr std::uint32_t kBytesPerSample = 2;
    const std::uint32_t dataSize = kRate * milliseconds / 1000 * kBytesPerSample;
    std::vector<char> bytes;
    const auto tag = [&bytes](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF");
    PutLittleEndian(bytes, 36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    PutLittleEndian(bytes, 16, 4);                       // format chunk size
    PutLittleEndian(bytes, 1, 2);                        // PCM
    PutLittleEndian(bytes, 1, 2);                        // mono
    PutLittleEndian(bytes, kRate, 4);                    // samples per second
    PutLittleEndian(bytes, kRate * kBytesPerSample, 4);  // bytes per second
    PutLittleEndian(bytes, kBytesPerSample, 2);          // block align
    PutLittleEndian(bytes, 8 * kBytesPerSample, 2);      // bits per sample
    tag("data");
    PutLittleEndian(bytes, dataSize, 4);
    bytes.resize(bytes.size() + dataSize, 0);
    return WriteBytes(path, bytes);
}

bool WriteSilentMp3(const std::string& path, unsigned milliseconds) {
    // Header FF FB: sync, MPEG-1, layer III, no CRC; 18: 32 kbit/s, 32 kHz,
    // no padding; C0: mono. A frame is 144 * 32000 / 32000 bytes and holds
    // 1152 samples (36 ms).
    constexpr std::size_t kFrameSize = 144;
    constexpr unsigned kFrameMs = 36;
    std::vector<char> frame(kFrameSize, 0);
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);
    frame[2] = static_cast<char>(0x18);
    frame[3] = static_cast<char>(0xC0);
    std::vector<char> bytes;
    for (unsigned covered = 0; covered < milliseconds; covered += kFrameMs) {
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return WriteBytes(path, bytes);
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, std::vector<char>(text.begin(), text.end()));
}

}  // namespace sound_files
