#pragma once

#include "tests/platform/bmp_builder.h"

#include <cstdint>
#include <string>
#include <vector>

// Builds RIFF/WAVE files chunk by chunk, well formed or not, for the reader's tests, the sound
// info tests and the fuzz seeds.
namespace test_sounds {

using test_images::Bytes;
using test_images::PutU16;
using test_images::PutU32;

// A chunk: tag, size (the body's own unless given) and body, with the pad byte of an odd body.
inline Bytes Chunk(const std::string& tag, const Bytes& body, std::int64_t statedSize = -1) {
    Bytes out(tag.begin(), tag.end());
    PutU32(out, static_cast<std::uint32_t>(statedSize >= 0 ? statedSize : static_cast<std::int64_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) {
        out.push_back(0);
    }
    return out;
}

struct WavFormat {
    std::uint16_t tag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t bits = 16;
    std::int32_t blockAlign = -1;  // channels * bits / 8 unless given
};

inline Bytes FormatChunk(const WavFormat& f) {
    const std::uint32_t align = f.blockAlign >= 0 ? static_cast<std::uint32_t>(f.blockAlign) : f.channels * f.bits / 8u;
    Bytes body;
    PutU16(body, f.tag);
    PutU16(body, f.channels);
    PutU32(body, f.rate);
    PutU32(body, f.rate * align);
    PutU16(body, align);
    PutU16(body, f.bits);
    return Chunk("fmt ", body);
}

inline Bytes Samples16(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (const std::int16_t s : samples) {
        PutU16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

// "RIFF", the size (the body's own unless given), "WAVE", then the chunks as given.
inline Bytes Riff(const std::vector<Bytes>& chunks, std::int64_t statedSize = -1) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& chunk : chunks) {
        body.insert(body.end(), chunk.begin(), chunk.end());
    }
    Bytes out = {'R', 'I', 'F', 'F'};
    PutU32(out, static_cast<std::uint32_t>(statedSize >= 0 ? statedSize : static_cast<std::int64_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A plain file: the format, then the data.
inline Bytes Wav(const WavFormat& format, const Bytes& data) { return Riff({FormatChunk(format), Chunk("data", data)}); }

}  // namespace test_sounds
