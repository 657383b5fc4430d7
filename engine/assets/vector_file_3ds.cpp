#include "engine/assets/vector_file_3ds.h"

#include "engine/assets/file_3ds.h"
#include "engine/material/material_library.h"
#include "engine/mesh/base_mesh.h"

#include <array>
#include <cmath>
#include <exception>

namespace engine {

namespace {

using TCorners = std::array<std::int32_t, 3>;
using TGroupEntries = std::array<std::int32_t, 32>;

// Where normals sum to nothing there is no surface to face: 3DS models are Z-up, so up it is.
constexpr TVec3 kZeroNormalFallback{0.0f, 0.0f, 1.0f};

[[noreturn]] void MeshError(const TMesh3DS& mesh, const std::string& what) {
    throw E3DSError("Mesh \"" + mesh.NameStr + "\": " + what);
}

void Validate(const TMesh3DS& mesh) {
    const std::size_t vertices = mesh.VertexArray.size();
    if (!mesh.TextArray.empty() && mesh.TextArray.size() < vertices) {
        MeshError(mesh, std::to_string(mesh.TextArray.size()) + " texture vertices for " + std::to_string(vertices) +
                            " vertices.");
    }
    for (std::size_t f = 0; f < mesh.FaceArray.size(); ++f) {
        const TFace3DS& face = mesh.FaceArray[f];
        for (std::uint16_t corner : {face.V1, face.V2, face.V3}) {
            if (corner >= vertices) {
                MeshError(mesh, "face " + std::to_string(f) + " uses vertex " + std::to_string(corner) + " of " +
                                    std::to_string(vertices) + ".");
            }
        }
    }
    for (const TObjMat3DS& group : mesh.MatArray) {
        for (std::uint16_t face : group.FaceIndices) {
            if (face >= mesh.FaceArray.size()) {
                MeshError(mesh, "material group \"" + group.NameStr + "\" lists face " + std::to_string(face) + " of " +
                                    std::to_string(mesh.FaceArray.size()) + ".");
            }
        }
    }
    if (mesh.SmoothArray && mesh.SmoothArray->size() < mesh.FaceArray.size()) {
        MeshError(mesh, std::to_string(mesh.SmoothArray->size()) + " smoothing groups for " +
                            std::to_string(mesh.FaceArray.size()) + " faces.");
    }
}

int LowestBit(std::uint32_t mask) {
    int bit = 0;
    while ((mask & 1u) == 0) {
        mask >>= 1;
        ++bit;
    }
    return bit;
}

// Fills the object's arrays and answers the faces' corners after splitting: a corner moves to a
// copy of its vertex when the vertex is already used by a face it must not share a normal with.
std::vector<TCorners> SplitVertices(const TMesh3DS& mesh, TMeshNormalsOrientation orientation, TMeshObject& object) {
    TAffineVectorList& vertices = object.Vertices();
    TAffineVectorList& texCoords = object.TexCoords();
    TAffineVectorList& normals = object.Normals();
    const bool textured = !mesh.TextArray.empty();
    vertices = mesh.VertexArray;
    if (textured) {
        for (std::size_t i = 0; i < vertices.size(); ++i) {
            texCoords.push_back(TVec3{mesh.TextArray[i].U, mesh.TextArray[i].V, 0.0f});
        }
    }
    normals.assign(vertices.size(), TVec3{});
    std::vector<bool> used(vertices.size(), false);
    TGroupEntries empty;
    empty.fill(-1);
    std::vector<TGroupEntries> entries(vertices.size(), empty);

    auto duplicate = [&](std::int32_t e, const TVec3& normal) {
        const TVec3 position = vertices[static_cast<std::size_t>(e)];
        vertices.push_back(position);
        if (textured) {
            const TVec3 texCoord = texCoords[static_cast<std::size_t>(e)];
            texCoords.push_back(texCoord);
        }
        normals.push_back(normal);
        used.push_back(true);
        entries.push_back(empty);
        return static_cast<std::int32_t>(vertices.size() - 1);
    };

    std::vector<TCorners> corners;
    corners.reserve(mesh.FaceArray.size());
    for (std::size_t f = 0; f < mesh.FaceArray.size(); ++f) {
        const TFace3DS& face = mesh.FaceArray[f];
        TCorners c{face.V1, face.V2, face.V3};
        const TVec3 p0 = vertices[static_cast<std::size_t>(c[0])];
        const TVec3 p1 = vertices[static_cast<std::size_t>(c[1])];
        const TVec3 p2 = vertices[static_cast<std::size_t>(c[2])];
        const TVec3 n = orientation == mnoInvert ? Cross(p0 - p1, p2 - p1) : Cross(p2 - p1, p0 - p1);
        const std::uint32_t g = mesh.SmoothArray ? (*mesh.SmoothArray)[f] : 0u;
        for (std::int32_t& corner : c) {
            const std::int32_t e = corner;
            const std::size_t ue = static_cast<std::size_t>(e);
            if (!used[ue]) {
                normals[ue] = n;
                entries[ue] = empty;
                if (g != 0) {
                    entries[ue][static_cast<std::size_t>(LowestBit(g))] = e;
                }
                used[ue] = true;
            } else if (g == 0) {
                corner = duplicate(e, n);
            } else {
                const std::size_t b = static_cast<std::size_t>(LowestBit(g));
                const std::int32_t t = entries[ue][b];
                if (t < 0) {
                    const std::int32_t d = duplicate(e, n);
                    entries[ue][b] = d;
                    entries[static_cast<std::size_t>(d)][b] = d;
                    corner = d;
                } else {
                    normals[static_cast<std::size_t>(t)] = normals[static_cast<std::size_t>(t)] + n;
                    corner = t;
                }
            }
        }
        corners.push_back(c);
    }
    for (TVec3& normal : normals) {
        const float length = Length(normal);
        normal = length > 0.0f && std::isfinite(length) ? normal * (1.0f / length) : kZeroNormalFallback;
    }
    return corners;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Loads a material's texture; on failure the material stays untextured when the mesh ignores
// missing textures, otherwise the failure propagates.
void LoadTexture(TGLLibMaterial& material, const std::string& fileName, bool ignoreFailure) {
    try {
        TGLTexture& texture = material.Material().Texture();
        texture.LoadImageFromFile(fileName);
        texture.SetDisabled(false);
        texture.SetTextureMode(TGLTextureMode::tmModulate);
    } catch (const std::exception&) {
        if (!ignoreFailure) {
            throw;
        }
    }
}

// The library material of a name, created by fill when the library has none of that name yet. A
// failure while filling takes the new material out again.
template <class Fill>
TGLLibMaterial& FindOrCreate(TGLMaterialLibrary& library, const std::string& name, Fill fill) {
    if (TGLLibMaterial* existing = library.FindMaterial(name)) {
        return *existing;
    }
    TGLLibMaterial& created = library.Materials().Add(name);
    try {
        fill(created);
    } catch (...) {
        library.Materials().Delete(created.Index());
        throw;
    }
    return created;
}

class TBuilder {
public:
    TBuilder(TGLBaseMesh& owner, TFile3DS& file, TMeshNormalsOrientation orientation)
        : m_owner(owner), m_file(file), m_orientation(orientation) {}

    void Build(const TMesh3DS& mesh) {
        Validate(mesh);
        TMeshObject& object = m_owner.MeshObjects().Add();
        object.SetName(mesh.NameStr);
        object.SetMode(momFaceGroups);
        const std::vector<TCorners> corners = SplitVertices(mesh, m_orientation, object);
        bool lightmapped = false;
        if (mesh.MatArray.empty()) {
            auto& group = object.FaceGroups().Add<TFGVertexIndexList>();
            for (const TCorners& c : corners) {
                group.Add(c[0], c[1], c[2]);
            }
        }
        for (const TObjMat3DS& groupData : mesh.MatArray) {
            const TMaterial3DS* material = m_file.Materials().MaterialByName(groupData.NameStr);
            if (!material) {
                throw E3DSError("Material \"" + groupData.NameStr + "\" of mesh \"" + mesh.NameStr +
                                "\" is not in the file.");
            }
            auto& group = object.FaceGroups().Add<TFGVertexIndexList>();
            group.SetMaterialName(LibraryMaterialName(*material));
            group.SetLightMapIndex(LightmapIndex(*material));
            lightmapped = lightmapped || group.LightMapIndex() >= 0;
            for (std::uint16_t face : groupData.FaceIndices) {
                const TCorners& c = corners[face];
                group.Add(c[0], c[1], c[2]);
            }
        }
        if (lightmapped) {
            object.LightMapTexCoords() = object.TexCoords();
        }
    }

private:
    std::string LibraryMaterialName(const TMaterial3DS& material) {
        TGLMaterialLibrary* library = m_owner.MaterialLibrary();
        if (!library) {
            return "";
        }
        FindOrCreate(*library, material.NameStr, [&](TGLLibMaterial& created) {
            TGLFaceProperties& front = created.Material().FrontProperties();
            front.Ambient().SetColor(Point(material.Ambient));
            front.Diffuse().SetColor(Point(material.Diffuse));
            front.Specular().SetColor(Point(material.Specular) * (1.0f - material.Shininess));
            front.SetShininess(std::max(0, static_cast<int>(std::lround((1.0f - material.ShinStrength) * 128.0f))));
            const std::string texture = Trimmed(material.TextureMapName);
            if (!texture.empty()) {
                LoadTexture(created, texture, m_owner.IgnoreMissingTextures());
            }
        });
        return material.NameStr;
    }

    std::int32_t LightmapIndex(const TMaterial3DS& material) {
        TGLMaterialLibrary* library = m_owner.LightmapLibrary();
        const std::string map = Trimmed(material.SelfIllumMapName);
        if (!library || map.empty()) {
            return -1;
        }
        TGLLibMaterial& lightmap = FindOrCreate(*library, map, [&](TGLLibMaterial& created) {
            LoadTexture(created, map, m_owner.IgnoreMissingTextures());
        });
        return lightmap.Index();
    }

    TGLBaseMesh& m_owner;
    TFile3DS& m_file;
    TMeshNormalsOrientation m_orientation;
};

}  // namespace

void TGL3DSVectorFile::LoadFromStream(std::span<const std::uint8_t> stream) {
    TFile3DS file;
    file.LoadFromStream(stream);
    if (!file.HoldsMeshes()) {
        std::string message = file3ds_messages::kNotA3DSFile;
        message.replace(message.find("%s"), 2, ResourceName());
        throw E3DSError(message);
    }
    TBuilder builder(Owner(), file, NormalsOrientation());
    const int count = file.Objects().MeshCount();
    for (int i = 0; i < count; ++i) {
        const TMesh3DS& mesh = file.Objects().Mesh(i);
        if (mesh.IsHidden || mesh.VertexArray.size() < 3) {
            continue;
        }
        builder.Build(mesh);
    }
}

}  // namespace engine
