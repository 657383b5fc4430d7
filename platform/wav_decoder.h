#pragma once

#include "platform/pcm_sound.h"

#include <cstdint>
#include <span>

namespace platform {

// Decodes a whole RIFF/WAVE file of PCM samples: 8 bits (unsigned) or 16 bits, mono or stereo, any
// rate from 1 to 384,000 Hz; 8-bit samples are widened to 16 bits. Chunks other than "fmt " and
// "data" are skipped by their length. Throws SoundError for anything else, including a chunk that
// passes the end of its parent and data that is not a whole number of frames.
PcmSound DecodeWav(std::span<const std::uint8_t> data);

}  // namespace platform
