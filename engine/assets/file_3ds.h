#pragma once

#include "engine/core/vector_math.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace engine {

// The failures of the 3DS format layer.
class E3DSError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace file3ds_messages {
inline constexpr const char* kNotEnoughMemory = "Not enough memory to complete operation.";
inline constexpr const char* kInvalidIndex = "Invalid index %d.";
inline constexpr const char* kNoDatabase = "The database passed as an argument has not be created yet.";
inline constexpr const char* kWrongDatabase =
    "The database passed as an argument is the wrong kind of\rdatabase for this function.";
inline constexpr const char* kWrongObjectType =
    "The Name passed to the functions exists but is not the type of object asked for.\rFor example asking for a "
    "mesh object with the GetCameraByName3DS function.";
inline constexpr const char* kInvalidChunk =
    "An invalid Chunk structure was encountered while reading\rthe database. Usually caused by a corrupt database "
    "or file.";
// A model file must start with a main chunk (or a project's); anything else (a picture renamed .3ds)
// would load as an empty model and leave the scene without its object.
inline constexpr const char* kNotA3DSFile = "\"%s\" is not a 3DS model: its first chunk is not a main chunk.";
}  // namespace file3ds_messages

// One chunk of a 3DS file: built from the headers only; its data is decoded when a record asks.
struct TChunk3DS {
    std::uint16_t Tag = 0;
    std::uint32_t Size = 0;      // the whole chunk, header included
    std::uint32_t Position = 0;  // stream offset of the header
    std::vector<std::unique_ptr<TChunk3DS>> Children;

    // The first direct child with the tag, or none.
    const TChunk3DS* FindChild(std::uint16_t tag) const;
    // The first chunk with the tag in a depth-first search that starts with this chunk itself.
    const TChunk3DS* FindDepthFirst(std::uint16_t tag) const;
};

struct TFace3DS {
    std::uint16_t V1 = 0;
    std::uint16_t V2 = 0;
    std::uint16_t V3 = 0;
    std::uint16_t Flag = 0;
};

// A material group of a mesh: the material's name and the faces drawn with it.
struct TObjMat3DS {
    std::string NameStr;
    std::vector<std::uint16_t> FaceIndices;
};

struct TTexVert3DS {
    float U = 0.0f;
    float V = 0.0f;
};

struct TMesh3DS {
    std::string NameStr;
    bool IsHidden = false;
    std::vector<TVec3> VertexArray;
    std::vector<TTexVert3DS> TextArray;
    std::array<float, 12> LocMatrix{};
    std::vector<TFace3DS> FaceArray;
    std::optional<std::vector<std::uint32_t>> SmoothArray;  // absent without a smoothing chunk
    std::vector<TObjMat3DS> MatArray;
};

struct TMaterial3DS {
    std::string NameStr;
    TVec3 Ambient;
    TVec3 Diffuse;
    TVec3 Specular;
    float Shininess = 0.0f;     // fraction, normally 0..1
    float ShinStrength = 0.0f;  // fraction, normally 0..1
    std::string TextureMapName;
    std::string SelfIllumMapName;
};

class TFile3DS;

// The materials of a file, indexed on the first count request, decoded on first access.
class TMaterialList {
public:
    explicit TMaterialList(const TFile3DS& database) : m_database(&database) {}
    int Count();
    const TMaterial3DS& Material(int index);
    // Case-insensitive; the first match wins.
    const TMaterial3DS* MaterialByName(const std::string& name);

private:
    friend class TFile3DS;
    void Reset();

    const TFile3DS* m_database;
    std::optional<std::vector<const TChunk3DS*>> m_entries;
    std::vector<std::unique_ptr<TMaterial3DS>> m_records;
    // The lower-case names of the first m_named materials, each with its first index: every mesh
    // group looks its material up, and a walk from the start each time made a file of thousands of
    // groups and materials take seconds.
    std::unordered_map<std::string, int> m_firstByName;
    int m_named = 0;
};

// The triangle meshes of a file, in the order of their named objects.
class TObjectList {
public:
    explicit TObjectList(const TFile3DS& database) : m_database(&database) {}
    int MeshCount();
    const TMesh3DS& Mesh(int index);

private:
    friend class TFile3DS;
    void Reset();

    const TFile3DS* m_database;
    std::optional<std::vector<const TChunk3DS*>> m_entries;
    std::vector<std::unique_ptr<TMesh3DS>> m_records;
};

// A 3DS file as a tree of chunks, with lazily filled lists of its materials and meshes.
class TFile3DS {
public:
    TFile3DS();
    TFile3DS(const TFile3DS&) = delete;
    TFile3DS& operator=(const TFile3DS&) = delete;

    // Builds the chunk tree from the stream's headers (the bytes are copied). A root that is not a
    // main, material library or project file gives a tree of that one chunk. A truncated stream
    // throws EReadError; a sub-chunk reaching past its parent, or nesting beyond reason, the
    // invalid-chunk E3DSError.
    void LoadFromStream(std::span<const std::uint8_t> stream);

    const TChunk3DS* RootChunk() const { return m_root.get(); }
    TMaterialList& Materials() { return m_materials; }
    TObjectList& Objects() { return m_objects; }

    // The decoders behind the lists.
    TMaterial3DS DecodeMaterial(const TChunk3DS& entry) const;
    TMesh3DS DecodeMesh(const TChunk3DS& namedObject) const;
    // The named objects' editor section: the first 0x3D3D below the root.
    const TChunk3DS* EditorChunk() const;
    // The root, checked to exist.
    const TChunk3DS& Database() const;
    // Whether the root is a main or project chunk, the kinds of file that hold meshes.
    bool HoldsMeshes() const;

private:
    std::vector<std::uint8_t> m_bytes;
    std::unique_ptr<TChunk3DS> m_root;
    TMaterialList m_materials{*this};
    TObjectList m_objects{*this};
};

}  // namespace engine
