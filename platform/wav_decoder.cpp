#include "platform/wav_decoder.h"

#include "platform/binary_reader.h"

#include <optional>
#include <string>

namespace platform {
namespace {

namespace wav {
constexpr std::uint16_t kPcm = 1;
constexpr std::uint32_t kMinFormatSize = 16;
constexpr std::uint32_t kMaxSampleRate = 384000;
constexpr std::size_t kChunkHeaderSize = 8;
}  // namespace wav

struct Format {
    std::uint16_t Channels = 0;
    std::uint32_t SampleRate = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t Bits = 0;
};

std::string Quoted(const std::string& tag) { return "\"" + tag + "\""; }

Format ReadFormat(BinaryReader chunk) {
    if (chunk.Size() < wav::kMinFormatSize) {
        throw SoundError("WAV fmt chunk of " + std::to_string(chunk.Size()) + " bytes is shorter than 16");
    }
    const std::uint16_t tag = chunk.U16();
    Format format;
    format.Channels = chunk.U16();
    format.SampleRate = chunk.U32();
    chunk.Skip(4);  // bytes per second: derived, and nothing here depends on it
    format.BlockAlign = chunk.U16();
    format.Bits = chunk.U16();
    if (tag != wav::kPcm) {
        throw SoundError("unsupported WAV encoding: format tag " + std::to_string(tag) + " (only PCM, tag 1, is read)");
    }
    if (format.Channels != 1 && format.Channels != 2) {
        throw SoundError("unsupported WAV channel count " + std::to_string(format.Channels) +
                         " (mono and stereo are read)");
    }
    if (format.Bits != 8 && format.Bits != 16) {
        throw SoundError("unsupported WAV sample size of " + std::to_string(format.Bits) +
                         " bits (8 and 16 are read)");
    }
    if (format.SampleRate == 0 || format.SampleRate > wav::kMaxSampleRate) {
        throw SoundError("WAV sample rate " + std::to_string(format.SampleRate) + " Hz is out of range (1 to 384000)");
    }
    if (format.BlockAlign != format.Channels * format.Bits / 8) {
        throw SoundError("WAV block size " + std::to_string(format.BlockAlign) + " does not match " +
                         std::to_string(format.Channels) + " channels of " + std::to_string(format.Bits) + " bits");
    }
    return format;
}

std::vector<std::int16_t> ReadSamples(BinaryReader chunk, const Format& format) {
    if (chunk.Size() % format.BlockAlign != 0) {
        throw SoundError("WAV data of " + std::to_string(chunk.Size()) + " bytes is not a whole number of " +
                         std::to_string(format.BlockAlign) + "-byte frames");
    }
    std::vector<std::int16_t> samples(chunk.Size() / (format.Bits / 8));
    for (std::int16_t& sample : samples) {
        // 8-bit samples are unsigned around 128; widened so that full scale stays full scale.
        sample = format.Bits == 16 ? chunk.I16() : static_cast<std::int16_t>((chunk.U8() - 128) * 256);
    }
    return samples;
}

// The RIFF body after "WAVE": its chunks in order, each padded to an even length.
PcmSound ReadChunks(BinaryReader body) {
    std::optional<Format> format;
    std::optional<PcmSound> sound;
    while (!body.AtEnd()) {
        if (body.Remaining() < wav::kChunkHeaderSize) {
            throw SoundError("WAV file ends inside a chunk header (" + std::to_string(body.Remaining()) +
                             " bytes left)");
        }
        const std::string tag = body.FixedString(4);
        const std::uint32_t size = body.U32();
        if (size > body.Remaining()) {
            throw SoundError("WAV chunk " + Quoted(tag) + " of " + std::to_string(size) +
                             " bytes passes the end of the RIFF data (" + std::to_string(body.Remaining()) +
                             " bytes left)");
        }
        BinaryReader chunk = body.Take(size);
        // The pad byte after an odd chunk; writers that leave it out at the very end are forgiven.
        if (size % 2 == 1 && !body.AtEnd()) {
            body.Skip(1);
        }
        if (tag == "fmt ") {
            if (format) {
                throw SoundError("WAV file has two fmt chunks");
            }
            format = ReadFormat(chunk);
        } else if (tag == "data") {
            if (!format) {
                throw SoundError("WAV data chunk comes before its fmt chunk");
            }
            if (sound) {
                throw SoundError("WAV file has two data chunks");
            }
            sound = PcmSound{static_cast<std::int32_t>(format->SampleRate), format->Channels,
                             ReadSamples(chunk, *format)};
        }
    }
    if (!format) {
        throw SoundError("WAV file has no fmt chunk");
    }
    if (!sound) {
        throw SoundError("WAV file has no data chunk");
    }
    return std::move(*sound);
}

}  // namespace

PcmSound DecodeWav(std::span<const std::uint8_t> data) {
    BinaryReader reader(data);
    if (data.size() < 12 || reader.FixedString(4) != "RIFF") {
        throw SoundError("not a RIFF/WAVE file");
    }
    const std::uint32_t riffSize = reader.U32();
    if (reader.FixedString(4) != "WAVE") {
        throw SoundError("not a RIFF/WAVE file");
    }
    if (riffSize < 4 || riffSize - 4 > reader.Remaining()) {
        throw SoundError("WAV file is cut short: its RIFF size announces " + std::to_string(riffSize) + " bytes, " +
                         std::to_string(data.size() - 8) + " follow");
    }
    // Bytes past the RIFF size are not part of the sound.
    return ReadChunks(reader.Take(riffSize - 4));
}

}  // namespace platform
