#include "engine/assets/file_md2.h"

#include "engine/assets/stream_read_error.h"
#include "platform/binary_reader.h"

#include <algorithm>
#include <cctype>
#include <new>

namespace engine {

namespace {

constexpr std::size_t kSkinNameSize = 64;
constexpr std::size_t kTriangleSize = 12;
constexpr std::size_t kFrameHeaderSize = 40;  // scale, translate, 16-char name
constexpr std::size_t kFrameVertexSize = 4;

struct THeader {
    std::int32_t ident, version, skinWidth, skinHeight, frameSize, numSkins, numVertices, numTexCoords, numTriangles,
        numGLCommands, numFrames;
};

[[noreturn]] void Refuse(const std::string& what) {
    throw EMD2Error("MD2: " + what);
}

void CheckRange(const char* what, std::int32_t value, std::int32_t limit) {
    if (value < 0 || value > limit) {
        Refuse(std::string(what) + " " + std::to_string(value) + " outside 0.." + std::to_string(limit) + ".");
    }
}

// A section of count items of itemSize bytes must be in the stream before anything is allocated.
void RequireSection(const platform::BinaryReader& reader, std::int64_t count, std::size_t itemSize) {
    if (!platform::RangeFits(reader.Position(), static_cast<std::uint64_t>(count) * itemSize, reader.Size())) {
        throw EReadError();
    }
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string TrimmedFrameName(const std::string& name) {
    const auto blank = [](unsigned char c) { return c <= ' '; };
    auto first = std::find_if_not(name.begin(), name.end(), blank);
    auto last = std::find_if_not(name.rbegin(), name.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

std::string AnimationNameOfFrame(const std::string& frameName) {
    std::string name = TrimmedFrameName(frameName.substr(0, frameName.find('\0')));
    const std::size_t length = name.size();
    if (length >= 2 && name[length - 2] >= '0' && name[length - 2] <= '9') {
        name.resize(length - 2);
    } else if (length >= 1) {
        name.resize(length - 1);
    }
    return name;
}

void TFileMD2::LoadFromStream(std::span<const std::uint8_t> stream) {
    try {
        platform::BinaryReader reader(stream);
        THeader h{};
        for (std::int32_t* field : {&h.ident, &h.version, &h.skinWidth, &h.skinHeight, &h.frameSize, &h.numSkins,
                                    &h.numVertices, &h.numTexCoords, &h.numTriangles, &h.numGLCommands, &h.numFrames}) {
            *field = reader.I32();
        }
        reader.Skip(6 * 4);  // section offsets: the sections are read in order instead
        CheckRange("skin count", h.numSkins, md2_limits::MaxSkins);
        CheckRange("texture coordinate count", h.numTexCoords, md2_limits::MaxTexCoords);
        CheckRange("vertex count", h.numVertices, md2_limits::MaxVertices);
        CheckRange("frame size", h.frameSize, md2_limits::MaxFrameSize);
        CheckRange("triangle count", h.numTriangles, md2_limits::MaxTriangles);
        CheckRange("frame count", h.numFrames, md2_limits::MaxFrames);
        const std::size_t frameSize = static_cast<std::size_t>(h.frameSize);
        const std::size_t vertexCount = static_cast<std::size_t>(h.numVertices);
        if (frameSize < kFrameHeaderSize + vertexCount * kFrameVertexSize) {
            Refuse("frame size " + std::to_string(h.frameSize) + " too small for " + std::to_string(h.numVertices) +
                   " vertices.");
        }
        if (h.numTriangles > 0 && (h.skinWidth <= 0 || h.skinHeight <= 0)) {
            Refuse("skin size " + std::to_string(h.skinWidth) + " x " + std::to_string(h.skinHeight) + ".");
        }

        reader.Skip(static_cast<std::size_t>(h.numSkins) * kSkinNameSize);
        std::vector<std::array<std::int16_t, 2>> texCoords(static_cast<std::size_t>(h.numTexCoords));
        for (auto& st : texCoords) {
            st = {reader.I16(), reader.I16()};
        }

        RequireSection(reader, h.numTriangles, kTriangleSize);
        std::vector<std::array<TMD2Corner, 3>> triangles(static_cast<std::size_t>(h.numTriangles));
        const float w = static_cast<float>(h.skinWidth);
        const float hgt = static_cast<float>(h.skinHeight);
        for (std::size_t t = 0; t < triangles.size(); ++t) {
            std::int16_t vertex[3];
            std::int16_t tex[3];
            for (std::int16_t& v : vertex) {
                v = reader.I16();
            }
            for (std::int16_t& v : tex) {
                v = reader.I16();
            }
            for (int i = 0; i < 3; ++i) {
                if (vertex[i] < 0 || vertex[i] >= h.numVertices || tex[i] < 0 || tex[i] >= h.numTexCoords) {
                    Refuse("triangle " + std::to_string(t) + " uses vertex " + std::to_string(vertex[i]) + " of " +
                           std::to_string(h.numVertices) + " and texture coordinate " + std::to_string(tex[i]) +
                           " of " + std::to_string(h.numTexCoords) + ".");
                }
                // Corners are stored in reverse order.
                const auto& st = texCoords[static_cast<std::size_t>(tex[i])];
                triangles[t][static_cast<std::size_t>(2 - i)] = TMD2Corner{vertex[i], st[0] / w, st[1] / hgt};
            }
        }

        RequireSection(reader, h.numFrames, frameSize);
        std::vector<std::vector<TVec3>> frames(static_cast<std::size_t>(h.numFrames));
        std::vector<TMD2AnimationName> animations;
        for (std::size_t f = 0; f < frames.size(); ++f) {
            platform::BinaryReader frame = reader.Take(frameSize);
            TVec3 scale;
            TVec3 translate;
            for (float* value : {&scale.X, &scale.Y, &scale.Z, &translate.X, &translate.Y, &translate.Z}) {
                *value = frame.F32();
            }
            const std::string frameName = frame.FixedString(16);
            if (TrimmedFrameName(frameName).empty()) {
                Refuse("frame " + std::to_string(f) + " has no name.");
            }
            frames[f].resize(vertexCount);
            for (TVec3& v : frames[f]) {
                const float x = frame.U8();
                const float y = frame.U8();
                const float z = frame.U8();
                frame.Skip(1);  // normal index: normals are computed from the faces
                v = TVec3{x * scale.X + translate.X, y * scale.Y + translate.Y, z * scale.Z + translate.Z};
            }
            const std::string animation = AnimationNameOfFrame(frameName);
            const bool known = std::any_of(animations.begin(), animations.end(),
                                           [&](const TMD2AnimationName& a) { return SameText(a.Name, animation); });
            if (!known) {
                animations.push_back(TMD2AnimationName{animation, static_cast<int>(f)});
            }
        }
        m_vertexCount = h.numVertices;
        m_triangles = std::move(triangles);
        m_frames = std::move(frames);
        m_animations = std::move(animations);
    } catch (const platform::ReadError&) {
        throw EReadError();
    } catch (const std::bad_alloc&) {
        Refuse("not enough memory.");
    }
}

}  // namespace engine
