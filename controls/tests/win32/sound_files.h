#pragma once

// Small real sound files written by the sound player's tests: silence, so a
// test run on a machine with speakers stays quiet.

#include <string>

namespace sound_files {

// 8 kHz 16-bit mono PCM of `milliseconds`, with its RIFF header. False when
// the file cannot be written. `path` is GBK.
bool WriteSilentWave(const std::string& path, unsigned milliseconds);

// MPEG-1 layer III frames (32 kHz mono, 32 kbit/s, 36 ms each) whose side
// information and audio data are all zero, which decoders play as silence;
// as many frames as cover `milliseconds`.
bool WriteSilentMp3(const std::string& path, unsigned milliseconds);

// A file of `text`, for files that are no sound at all.
bool WriteText(const std::string& path, const std::string& text);

}  // namespace sound_files
