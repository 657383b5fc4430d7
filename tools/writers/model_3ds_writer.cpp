#include "tools/writers/model_3ds_writer.h"

#include "tools/writers/byte_sink.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

namespace tools {
namespace {

namespace tags {
constexpr std::uint16_t kMain = 0x4D4D;
constexpr std::uint16_t kVersion = 0x0002;
constexpr std::uint16_t kEditor = 0x3D3D;
constexpr std::uint16_t kMeshVersion = 0x3D3E;
constexpr std::uint16_t kMaterial = 0xAFFF;
constexpr std::uint16_t kMaterialName = 0xA000;
constexpr std::uint16_t kAmbient = 0xA010;
constexpr std::uint16_t kDiffuse = 0xA020;
constexpr std::uint16_t kSpecular = 0xA030;
constexpr std::uint16_t kShininess = 0xA040;
constexpr std::uint16_t kShininessStrength = 0xA041;
constexpr std::uint16_t kTextureMap = 0xA200;
constexpr std::uint16_t kMapFile = 0xA300;
constexpr std::uint16_t kColour24 = 0x0011;
constexpr std::uint16_t kPercentage = 0x0030;
constexpr std::uint16_t kNamedObject = 0x4000;
constexpr std::uint16_t kTriangleMesh = 0x4100;
constexpr std::uint16_t kVertices = 0x4110;
constexpr std::uint16_t kFaces = 0x4120;
constexpr std::uint16_t kMaterialGroup = 0x4130;
constexpr std::uint16_t kTexVertices = 0x4140;
constexpr std::uint16_t kSmoothing = 0x4150;
constexpr std::uint16_t kMeshMatrix = 0x4160;
}  // namespace tags

constexpr std::uint32_t kFileVersion = 3;
constexpr std::uint16_t kFaceEdgesVisible = 0x0007;
constexpr std::size_t kMaxCount = 0xFFFF;

using Bytes = std::vector<std::uint8_t>;

// Writes a chunk's header on construction and its length once the chunk's contents are in.
class ChunkScope {
public:
    ChunkScope(Bytes& out, std::uint16_t tag) : m_out(out), m_start(out.size()) {
        PutU16(out, tag);
        PutU32(out, 0);
    }
    ~ChunkScope() { PatchU32(m_out, m_start + 2, static_cast<std::uint32_t>(m_out.size() - m_start)); }
    ChunkScope(const ChunkScope&) = delete;
    ChunkScope& operator=(const ChunkScope&) = delete;

private:
    Bytes& m_out;
    std::size_t m_start;
};

void PutFloat(Bytes& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}

void PutName(Bytes& out, const std::string& name) {
    if (name.find('\0') != std::string::npos) {
        throw std::invalid_argument("A 3DS name cannot hold a zero byte");
    }
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

void PutColour(Bytes& out, std::uint16_t tag, Colour colour) {
    ChunkScope chunk(out, tag);
    ChunkScope value(out, tags::kColour24);
    out.push_back(ChannelByte(colour.R));
    out.push_back(ChannelByte(colour.G));
    out.push_back(ChannelByte(colour.B));
}

void PutPercentage(Bytes& out, std::uint16_t tag, float fraction) {
    ChunkScope chunk(out, tag);
    ChunkScope value(out, tags::kPercentage);
    PutU16(out, static_cast<std::uint16_t>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * 100.0f)));
}

void PutMaterial(Bytes& out, const Material3ds& material) {
    ChunkScope entry(out, tags::kMaterial);
    {
        ChunkScope name(out, tags::kMaterialName);
        PutName(out, material.Name);
    }
    PutColour(out, tags::kAmbient, material.Ambient);
    PutColour(out, tags::kDiffuse, material.Diffuse);
    PutColour(out, tags::kSpecular, material.Specular);
    PutPercentage(out, tags::kShininess, material.Shininess);
    PutPercentage(out, tags::kShininessStrength, material.ShininessStrength);
    if (!material.TextureMap.empty()) {
        ChunkScope map(out, tags::kTextureMap);
        ChunkScope file(out, tags::kMapFile);
        PutName(out, material.TextureMap);
    }
}

struct Face {
    std::array<std::uint16_t, 3> Corners{};
    std::uint32_t Smoothing = 0;
};

// An object's parts welded into the one vertex list and face list a 3DS mesh has.
struct FlatObject {
    std::vector<Vec3> Positions;
    std::vector<Vec2> TexCoords;
    std::vector<Face> Faces;
    std::vector<std::pair<std::string, std::vector<std::uint16_t>>> Groups;
};

void CheckCorner(const Mesh& mesh, std::int32_t position, std::int32_t texCoord) {
    if (position < 0 || static_cast<std::size_t>(position) >= mesh.Positions.size() || texCoord < 0 ||
        static_cast<std::size_t>(texCoord) >= mesh.TexCoords.size()) {
        throw std::invalid_argument("Mesh triangle refers past its vertex lists");
    }
}

FlatObject Flatten(const Object3ds& object, const std::vector<Material3ds>& materials) {
    FlatObject flat;
    for (const Part3ds& part : object.Parts) {
        const bool known = std::any_of(materials.begin(), materials.end(),
                                       [&](const Material3ds& m) { return m.Name == part.Material; });
        if (!known) {
            throw std::invalid_argument("3DS part names the unknown material \"" + part.Material + "\"");
        }
        std::map<std::pair<std::int32_t, std::int32_t>, std::uint16_t> welded;
        std::vector<std::uint16_t> groupFaces;
        for (const MeshTriangle& triangle : part.Geometry.Triangles) {
            Face face{{}, part.Smoothing};
            for (int k = 0; k < 3; ++k) {
                CheckCorner(part.Geometry, triangle.Corners[k], triangle.TexCorners[k]);
                const auto key = std::make_pair(triangle.Corners[k], triangle.TexCorners[k]);
                auto found = welded.find(key);
                if (found == welded.end()) {
                    if (flat.Positions.size() >= kMaxCount) {
                        throw std::invalid_argument("3DS object \"" + object.Name + "\" has too many vertices");
                    }
                    found = welded.emplace(key, static_cast<std::uint16_t>(flat.Positions.size())).first;
                    flat.Positions.push_back(part.Geometry.Positions[key.first]);
                    flat.TexCoords.push_back(part.Geometry.TexCoords[key.second]);
                }
                face.Corners[k] = found->second;
            }
            if (flat.Faces.size() >= kMaxCount) {
                throw std::invalid_argument("3DS object \"" + object.Name + "\" has too many faces");
            }
            groupFaces.push_back(static_cast<std::uint16_t>(flat.Faces.size()));
            flat.Faces.push_back(face);
        }
        flat.Groups.emplace_back(part.Material, std::move(groupFaces));
    }
    if (flat.Faces.empty()) {
        throw std::invalid_argument("3DS object \"" + object.Name + "\" has no triangles");
    }
    return flat;
}

void PutTriangleMesh(Bytes& out, const FlatObject& flat) {
    ChunkScope mesh(out, tags::kTriangleMesh);
    {
        ChunkScope vertices(out, tags::kVertices);
        PutU16(out, static_cast<std::uint16_t>(flat.Positions.size()));
        for (const Vec3& p : flat.Positions) {
            PutFloat(out, p.X);
            PutFloat(out, p.Y);
            PutFloat(out, p.Z);
        }
    }
    {
        ChunkScope texVertices(out, tags::kTexVertices);
        PutU16(out, static_cast<std::uint16_t>(flat.TexCoords.size()));
        for (const Vec2& uv : flat.TexCoords) {
            PutFloat(out, uv.U);
            PutFloat(out, 1.0f - uv.V);
        }
    }
    {
        ChunkScope matrix(out, tags::kMeshMatrix);
        for (const float value : {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f}) {
            PutFloat(out, value);
        }
    }
    ChunkScope faces(out, tags::kFaces);
    PutU16(out, static_cast<std::uint16_t>(flat.Faces.size()));
    for (const Face& face : flat.Faces) {
        for (const std::uint16_t corner : face.Corners) {
            PutU16(out, corner);
        }
        PutU16(out, kFaceEdgesVisible);
    }
    for (const auto& [material, indices] : flat.Groups) {
        ChunkScope group(out, tags::kMaterialGroup);
        PutName(out, material);
        PutU16(out, static_cast<std::uint16_t>(indices.size()));
        for (const std::uint16_t index : indices) {
            PutU16(out, index);
        }
    }
    ChunkScope smoothing(out, tags::kSmoothing);
    for (const Face& face : flat.Faces) {
        PutU32(out, face.Smoothing);
    }
}

}  // namespace

Bytes Write3ds(const std::vector<Material3ds>& materials, const std::vector<Object3ds>& objects) {
    Bytes out;
    {
        ChunkScope main(out, tags::kMain);
        {
            ChunkScope version(out, tags::kVersion);
            PutU32(out, kFileVersion);
        }
        ChunkScope editor(out, tags::kEditor);
        {
            ChunkScope meshVersion(out, tags::kMeshVersion);
            PutU32(out, kFileVersion);
        }
        for (const Material3ds& material : materials) {
            PutMaterial(out, material);
        }
        for (const Object3ds& object : objects) {
            const FlatObject flat = Flatten(object, materials);
            ChunkScope named(out, tags::kNamedObject);
            PutName(out, object.Name);
            PutTriangleMesh(out, flat);
        }
    }
    return out;
}

}  // namespace tools
