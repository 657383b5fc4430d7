#pragma once

#include "platform/pcm_sound.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The sound as a 16-bit PCM RIFF/WAVE file: the 44-byte canonical header, then the samples. Throws
// std::invalid_argument for a sound no reader could take back: no rate, a channel count other than
// 1 or 2, samples that are not whole frames, or more data than a RIFF size can hold.
std::vector<std::uint8_t> EncodeWav(const PcmSound& sound);

// Writes EncodeWav's bytes to the path, replacing the file atomically. Throws platform::FileError.
void WriteWav(const std::string& path, const PcmSound& sound);

}  // namespace platform
