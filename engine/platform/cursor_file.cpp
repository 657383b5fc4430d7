#include "engine/platform/cursor_file.h"

#include "platform/binary_reader.h"
#include "platform/paths.h"

#include <optional>

namespace engine {
namespace {

using platform::BinaryReader;

// "anih" flag: the frames are icon or cursor files rather than bare bitmaps.
constexpr std::uint32_t kFlagIcon = 1;
constexpr std::uint32_t kAnimationHeaderSize = 36;

[[noreturn]] void Fail(const std::string& what) { throw ECursorError("Animated cursor: " + what); }

std::string FourCC(BinaryReader& reader) {
    const auto bytes = reader.Bytes(4);
    return std::string(bytes.begin(), bytes.end());
}

struct AnimationHeader {
    std::uint32_t frames = 0;
    std::uint32_t steps = 0;
    std::uint32_t defaultRate = 0;
    std::uint32_t flags = 0;
};

// What the RIFF walk collects; the parts are checked against each other afterwards, since the chunks
// may come in any order.
struct Chunks {
    std::optional<AnimationHeader> header;
    std::optional<BinaryReader> rate;
    std::optional<BinaryReader> sequence;
    std::vector<BinaryReader> icons;
};

AnimationHeader ReadAnimationHeader(BinaryReader chunk) {
    if (chunk.Size() < kAnimationHeaderSize || chunk.U32() < kAnimationHeaderSize) {
        Fail("the \"anih\" header is too short");
    }
    AnimationHeader header;
    header.frames = chunk.U32();
    header.steps = chunk.U32();
    chunk.Skip(16);  // width, height, bit count, planes: the frames' own headers tell
    header.defaultRate = chunk.U32();
    header.flags = chunk.U32();
    return header;
}

// Walks the chunks of a RIFF body or list; a chunk longer than what is left of its parent is an error.
template <class Visit>
void WalkChunks(BinaryReader body, Visit visit) {
    while (body.Remaining() >= 8) {
        const std::string id = FourCC(body);
        const std::uint32_t size = body.U32();
        if (size > body.Remaining()) {
            Fail("chunk \"" + id + "\" runs past the end of its parent");
        }
        visit(id, body.Take(size));
        if (size % 2 != 0 && !body.AtEnd()) {
            body.Skip(1);  // chunks start on even offsets
        }
    }
}

Chunks CollectChunks(BinaryReader body) {
    Chunks chunks;
    WalkChunks(body, [&](const std::string& id, BinaryReader chunk) {
        if (id == "anih") {
            chunks.header = ReadAnimationHeader(chunk);
        } else if (id == "rate") {
            chunks.rate = chunk;
        } else if (id == "seq ") {
            chunks.sequence = chunk;
        } else if (id == "LIST" && chunk.Remaining() >= 4 && FourCC(chunk) == "fram") {
            WalkChunks(chunk, [&](const std::string& frameId, BinaryReader frame) {
                if (frameId == "icon") {
                    chunks.icons.push_back(frame);
                }
            });
        }
    });
    return chunks;
}

// steps values of a "rate" or "seq " chunk; the chunk must hold them all.
std::vector<std::uint32_t> ReadStepTable(BinaryReader chunk, std::uint32_t steps, const char* name) {
    if (chunk.Size() / 4 < steps) {
        Fail(std::string("the \"") + name + "\" chunk holds fewer than " + std::to_string(steps) + " steps");
    }
    std::vector<std::uint32_t> values(steps);
    for (auto& value : values) {
        value = chunk.U32();
    }
    return values;
}

CursorFile ReadAnimated(BinaryReader reader) {
    reader.Seek(4);
    const std::uint32_t riffSize = reader.U32();
    if (riffSize < 4 || riffSize > reader.Remaining()) {
        Fail("the RIFF size of " + std::to_string(riffSize) + " bytes does not fit the file");
    }
    BinaryReader riff = reader.Take(riffSize);
    if (FourCC(riff) != "ACON") {
        Fail("the RIFF file is not an animated cursor");
    }
    Chunks chunks = CollectChunks(riff.Take(riff.Remaining()));
    if (!chunks.header) {
        Fail("the \"anih\" header is missing");
    }
    const AnimationHeader& header = *chunks.header;
    if (header.frames == 0 || header.frames > kMaxCursorFrames) {
        Fail("frame count " + std::to_string(header.frames) + " is out of range");
    }
    if (header.steps == 0 || header.steps > kMaxCursorSteps) {
        Fail("step count " + std::to_string(header.steps) + " is out of range");
    }
    if ((header.flags & kFlagIcon) == 0) {
        Fail("frames stored as bare bitmaps are not supported");
    }
    if (chunks.icons.size() < header.frames) {
        Fail("the header names " + std::to_string(header.frames) + " frames but the file holds " +
             std::to_string(chunks.icons.size()));
    }

    CursorFile cursor;
    if (chunks.sequence) {
        cursor.sequence = ReadStepTable(*chunks.sequence, header.steps, "seq ");
        for (std::uint32_t frame : cursor.sequence) {
            if (frame >= header.frames) {
                Fail("the sequence names frame " + std::to_string(frame) + " of " + std::to_string(header.frames));
            }
        }
    } else {
        if (header.steps > header.frames) {
            Fail("without a sequence there are more steps than frames");
        }
        for (std::uint32_t step = 0; step < header.steps; ++step) {
            cursor.sequence.push_back(step);
        }
    }
    cursor.ratesJiffies = chunks.rate ? ReadStepTable(*chunks.rate, header.steps, "rate")
                                      : std::vector<std::uint32_t>(header.steps, header.defaultRate);
    for (std::uint32_t i = 0; i < header.frames; ++i) {
        cursor.frames.push_back(ReadIconFile(chunks.icons[i].Bytes(chunks.icons[i].Size())));
    }
    return cursor;
}

}  // namespace

CursorFile ReadCursorFile(std::span<const std::uint8_t> data) {
    BinaryReader reader(data);
    if (data.size() >= 4 && FourCC(reader) == "RIFF") {
        try {
            return ReadAnimated(reader);
        } catch (const platform::ReadError&) {
            Fail("the file is truncated");
        }
    }
    CursorFile cursor;
    cursor.frames.push_back(ReadIconFile(data));
    cursor.sequence.push_back(0);
    return cursor;
}

CursorFile LoadCursorFile(const std::string& path) {
    std::vector<std::uint8_t> data;
    try {
        data = platform::ReadWholeFile(path);
    } catch (const platform::FileError& error) {
        throw ECursorError(error.what());
    }
    return ReadCursorFile(data);
}

}  // namespace engine
