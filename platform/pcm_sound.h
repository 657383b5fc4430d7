#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace platform {

// Thrown by the sound file reader when bytes are not a sound it can decode: a wrong signature, an
// unsupported encoding, a chunk that passes its parent or a header that lies about its data.
class SoundError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decoded sound: signed 16-bit samples, the channels of a frame next to each other. Every sound
// file the programs read or write comes and goes as this, whatever its stored sample size.
struct PcmSound {
    std::int32_t SampleRate = 0;
    std::int32_t Channels = 0;
    std::vector<std::int16_t> Samples;

    std::size_t Frames() const { return Channels > 0 ? Samples.size() / static_cast<std::size_t>(Channels) : 0; }
};

}  // namespace platform
