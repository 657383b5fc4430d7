#include "platform/wav_writer.h"

#include "platform/paths.h"

#include <limits>
#include <stdexcept>
#include <string_view>

namespace platform {
namespace {

constexpr std::size_t kHeaderSize = 44;

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }

void CheckWritable(const PcmSound& sound) {
    if (sound.SampleRate <= 0) {
        throw std::invalid_argument("a sound to write needs a sample rate");
    }
    if (sound.Channels != 1 && sound.Channels != 2) {
        throw std::invalid_argument("a sound to write has one or two channels, not " + std::to_string(sound.Channels));
    }
    if (sound.Samples.size() % static_cast<std::size_t>(sound.Channels) != 0) {
        throw std::invalid_argument("a sound to write has whole frames only");
    }
    if (sound.Samples.size() * 2 > std::numeric_limits<std::uint32_t>::max() - kHeaderSize) {
        throw std::invalid_argument("a sound to write fits in 4 GiB");
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeWav(const PcmSound& sound) {
    CheckWritable(sound);
    const auto channels = static_cast<std::uint32_t>(sound.Channels);
    const auto rate = static_cast<std::uint32_t>(sound.SampleRate);
    const auto dataSize = static_cast<std::uint32_t>(sound.Samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderSize + dataSize);
    PutTag(out, "RIFF");
    PutU32(out, static_cast<std::uint32_t>(kHeaderSize - 8) + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * channels * 2);
    PutU16(out, channels * 2);
    PutU16(out, 16);
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (const std::int16_t sample : sound.Samples) {
        PutU16(out, static_cast<std::uint16_t>(sample));
    }
    return out;
}

void WriteWav(const std::string& path, const PcmSound& sound) { WriteFileAtomically(path, EncodeWav(sound)); }

}  // namespace platform
