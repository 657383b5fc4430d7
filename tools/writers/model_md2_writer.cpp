#include "tools/writers/model_md2_writer.h"

#include "tools/writers/byte_sink.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int32_t kIdentifier = 0x32504449;  // "IDP2"
constexpr std::int32_t kVersion = 8;
constexpr std::int32_t kHeaderSize = 17 * 4;
constexpr std::size_t kSkinNameSize = 64;
constexpr std::size_t kFrameNameSize = 16;
constexpr std::size_t kMaxTexCoords = 2048;
constexpr std::size_t kMaxVertices = 2070;
constexpr std::int32_t kFrameHeaderSize = 6 * 4 + static_cast<std::int32_t>(kFrameNameSize);

void PutI32(Bytes& out, std::int32_t value) { PutU32(out, static_cast<std::uint32_t>(value)); }

void PutI16(Bytes& out, std::int32_t value) { PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }

void PutFloat(Bytes& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}

// A zero-padded fixed field; the name must leave room for its terminator.
void PutFixedName(Bytes& out, const std::string& name, std::size_t size) {
    if (name.size() >= size || name.find('\0') != std::string::npos) {
        throw std::invalid_argument("MD2 name \"" + name + "\" does not fit its " + std::to_string(size) + " bytes");
    }
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), size - name.size(), 0);
}

void CheckModel(const Md2Model& model) {
    if (model.Frames.empty() || model.Triangles.empty()) {
        throw std::invalid_argument("An MD2 model needs frames and triangles");
    }
    const std::size_t vertexCount = model.Frames.front().Positions.size();
    if (vertexCount == 0 || vertexCount > kMaxVertices || model.TexCoords.size() > kMaxTexCoords) {
        throw std::invalid_argument("MD2 model is beyond the format's vertex or texture coordinate limits");
    }
    if (model.SkinWidth <= 0 || model.SkinHeight <= 0) {
        throw std::invalid_argument("MD2 skin has no size");
    }
    for (const Md2Frame& frame : model.Frames) {
        if (frame.Positions.size() != vertexCount) {
            throw std::invalid_argument("MD2 frame \"" + frame.Name + "\" differs in its vertex count");
        }
    }
    for (const MeshTriangle& triangle : model.Triangles) {
        for (int k = 0; k < 3; ++k) {
            if (triangle.Corners[k] < 0 || static_cast<std::size_t>(triangle.Corners[k]) >= vertexCount ||
                triangle.TexCorners[k] < 0 || static_cast<std::size_t>(triangle.TexCorners[k]) >= model.TexCoords.size()) {
                throw std::invalid_argument("MD2 triangle refers past its vertex lists");
            }
        }
    }
}

// Each frame packs its vertices into bytes over its own box, so a crouching frame keeps as much
// precision as a stretched one.
void PutFrame(Bytes& out, const Md2Frame& frame) {
    Vec3 low = frame.Positions.front();
    Vec3 high = low;
    for (const Vec3& p : frame.Positions) {
        low = {std::min(low.X, p.X), std::min(low.Y, p.Y), std::min(low.Z, p.Z)};
        high = {std::max(high.X, p.X), std::max(high.Y, p.Y), std::max(high.Z, p.Z)};
    }
    const auto step = [](float a, float b) { return b > a ? (b - a) / 255.0f : 1.0f; };
    const Vec3 scale{step(low.X, high.X), step(low.Y, high.Y), step(low.Z, high.Z)};
    PutFloat(out, scale.X);
    PutFloat(out, scale.Y);
    PutFloat(out, scale.Z);
    PutFloat(out, low.X);
    PutFloat(out, low.Y);
    PutFloat(out, low.Z);
    PutFixedName(out, frame.Name, kFrameNameSize);
    const auto pack = [](float value, float origin, float size) {
        return static_cast<std::uint8_t>(std::clamp(std::lround((value - origin) / size), 0L, 255L));
    };
    for (const Vec3& p : frame.Positions) {
        out.push_back(pack(p.X, low.X, scale.X));
        out.push_back(pack(p.Y, low.Y, scale.Y));
        out.push_back(pack(p.Z, low.Z, scale.Z));
        out.push_back(0);  // the normal index, which the game's reader ignores
    }
}

}  // namespace

Bytes WriteMd2(const Md2Model& model) {
    CheckModel(model);
    const auto vertexCount = static_cast<std::int32_t>(model.Frames.front().Positions.size());
    const auto texCount = static_cast<std::int32_t>(model.TexCoords.size());
    const auto triangleCount = static_cast<std::int32_t>(model.Triangles.size());
    const auto frameCount = static_cast<std::int32_t>(model.Frames.size());
    const std::int32_t frameSize = kFrameHeaderSize + 4 * vertexCount;
    const std::int32_t skinsAt = kHeaderSize;
    const std::int32_t texAt = skinsAt + static_cast<std::int32_t>(kSkinNameSize);
    const std::int32_t trianglesAt = texAt + 4 * texCount;
    const std::int32_t framesAt = trianglesAt + 12 * triangleCount;
    const std::int32_t end = framesAt + frameSize * frameCount;

    Bytes out;
    for (const std::int32_t field : {kIdentifier, kVersion, model.SkinWidth, model.SkinHeight, frameSize, 1,
                                     vertexCount, texCount, triangleCount, 0, frameCount, skinsAt, texAt,
                                     trianglesAt, framesAt, end, end}) {
        PutI32(out, field);
    }
    PutFixedName(out, model.SkinName, kSkinNameSize);
    for (const Vec2& uv : model.TexCoords) {
        PutI16(out, static_cast<std::int32_t>(std::lround(uv.U * static_cast<float>(model.SkinWidth))));
        PutI16(out, static_cast<std::int32_t>(std::lround(uv.V * static_cast<float>(model.SkinHeight))));
    }
    for (const MeshTriangle& triangle : model.Triangles) {
        for (const int k : {0, 2, 1}) {
            PutI16(out, triangle.Corners[k]);
        }
        for (const int k : {0, 2, 1}) {
            PutI16(out, triangle.TexCorners[k]);
        }
    }
    for (const Md2Frame& frame : model.Frames) {
        PutFrame(out, frame);
    }
    return out;
}

}  // namespace tools
