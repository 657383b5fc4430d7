#pragma once

// Tiny writers of 3DS and MD2 files for the reader tests: enough of each format to build the cases,
// and open to malformed variants.

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tests {

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& out, std::uint8_t v) {
    out.push_back(v);
}
inline void PutU16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutU32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}
inline void PutI32(Bytes& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}
inline void PutF32(Bytes& out, float v) {
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    PutU32(out, bits);
}
inline void PutName(Bytes& out, const std::string& name) {
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

// A 3DS chunk: its fixed data, then its sub-chunks; the length is computed on writing.
struct Chunk {
    std::uint16_t tag = 0;
    Bytes data;
    std::vector<Chunk> children;

    Bytes Write() const {
        Bytes body = data;
        for (const Chunk& child : children) {
            const Bytes bytes = child.Write();
            body.insert(body.end(), bytes.begin(), bytes.end());
        }
        Bytes out;
        PutU16(out, tag);
        PutU32(out, static_cast<std::uint32_t>(body.size() + 6));
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }
};

struct Vec {
    float x, y, z;
};

inline Chunk VertexList(const std::vector<Vec>& vertices) {
    Chunk c{0x4110, {}, {}};
    PutU16(c.data, static_cast<std::uint16_t>(vertices.size()));
    for (const Vec& v : vertices) {
        PutF32(c.data, v.x);
        PutF32(c.data, v.y);
        PutF32(c.data, v.z);
    }
    return c;
}

inline Chunk TexVertList(const std::vector<std::array<float, 2>>& uvs) {
    Chunk c{0x4140, {}, {}};
    PutU16(c.data, static_cast<std::uint16_t>(uvs.size()));
    for (const auto& uv : uvs) {
        PutF32(c.data, uv[0]);
        PutF32(c.data, uv[1]);
    }
    return c;
}

inline Chunk MaterialGroup(const std::string& name, const std::vector<std::uint16_t>& faces) {
    Chunk c{0x4130, {}, {}};
    PutName(c.data, name);
    PutU16(c.data, static_cast<std::uint16_t>(faces.size()));
    for (std::uint16_t f : faces) {
        PutU16(c.data, f);
    }
    return c;
}

inline Chunk Smoothing(const std::vector<std::uint32_t>& masks) {
    Chunk c{0x4150, {}, {}};
    for (std::uint32_t m : masks) {
        PutU32(c.data, m);
    }
    return c;
}

// A face list; groups and smoothing go in as its sub-chunks.
inline Chunk FaceList(const std::vector<std::array<std::uint16_t, 3>>& faces, std::vector<Chunk> subChunks = {}) {
    Chunk c{0x4120, {}, std::move(subChunks)};
    PutU16(c.data, static_cast<std::uint16_t>(faces.size()));
    for (const auto& f : faces) {
        PutU16(c.data, f[0]);
        PutU16(c.data, f[1]);
        PutU16(c.data, f[2]);
        PutU16(c.data, 0);
    }
    return c;
}

inline Chunk NamedMesh(const std::string& name, std::vector<Chunk> meshChunks, bool hidden = false) {
    Chunk object{0x4000, {}, {}};
    PutName(object.data, name);
    if (hidden) {
        object.children.push_back(Chunk{0x4010, {}, {}});
    }
    object.children.push_back(Chunk{0x4100, {}, std::move(meshChunks)});
    return object;
}

inline Chunk Color24(std::uint16_t tag, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Chunk{tag, {r, g, b}, {}};
}

inline Chunk ColorChunk(std::uint16_t tag, std::vector<Chunk> colours) {
    return Chunk{tag, {}, std::move(colours)};
}

inline Chunk IntPercentage(std::uint16_t tag, std::int16_t percent) {
    Chunk value{0x0030, {}, {}};
    PutU16(value.data, static_cast<std::uint16_t>(percent));
    return Chunk{tag, {}, {value}};
}

struct MaterialDesc {
    std::string name;
    std::array<std::uint8_t, 3> ambient{0, 0, 0};
    std::array<std::uint8_t, 3> diffuse{0, 0, 0};
    std::array<std::uint8_t, 3> specular{0, 0, 0};
    std::int16_t shininess = 0;  // percent
    std::int16_t strength = 0;   // percent
    std::string texture;
};

inline MaterialDesc Material(const std::string& name) {
    MaterialDesc m;
    m.name = name;
    return m;
}

inline Chunk MaterialEntry(const MaterialDesc& m) {
    Chunk entry{0xAFFF, {}, {}};
    Chunk name{0xA000, {}, {}};
    PutName(name.data, m.name);
    entry.children.push_back(name);
    entry.children.push_back(ColorChunk(0xA010, {Color24(0x0011, m.ambient[0], m.ambient[1], m.ambient[2])}));
    entry.children.push_back(ColorChunk(0xA020, {Color24(0x0011, m.diffuse[0], m.diffuse[1], m.diffuse[2])}));
    entry.children.push_back(ColorChunk(0xA030, {Color24(0x0011, m.specular[0], m.specular[1], m.specular[2])}));
    entry.children.push_back(IntPercentage(0xA040, m.shininess));
    entry.children.push_back(IntPercentage(0xA041, m.strength));
    if (!m.texture.empty()) {
        Chunk file{0xA300, {}, {}};
        PutName(file.data, m.texture);
        entry.children.push_back(Chunk{0xA200, {}, {file}});
    }
    return entry;
}

// A main file whose editor section holds the given chunks (materials and named objects).
inline Bytes File3DS(std::vector<Chunk> editorChunks) {
    Chunk editor{0x3D3D, {}, std::move(editorChunks)};
    Chunk version{0x0002, {}, {}};
    PutU32(version.data, 3);
    return Chunk{0x4D4D, {}, {version, editor}}.Write();
}

// The unit cube's 8 corners and its 12 outward triangles.
inline std::vector<Vec> CubeVertices() {
    return {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
}
inline std::vector<std::array<std::uint16_t, 3>> CubeFaces() {
    return {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
            {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};
}

// --- MD2 ---

struct Md2Frame {
    std::array<float, 3> scale{1, 1, 1};
    std::array<float, 3> translate{0, 0, 0};
    std::string name;
    std::vector<std::array<std::uint8_t, 3>> vertices;
};

struct Md2Desc {
    std::int32_t skinWidth = 64;
    std::int32_t skinHeight = 32;
    std::int32_t skins = 1;
    std::vector<std::array<std::int16_t, 2>> texCoords;
    std::vector<std::array<std::int16_t, 6>> triangles;  // vertex a, b, c, texture a, b, c
    std::vector<Md2Frame> frames;
    std::int32_t vertexCountOverride = -1;
    std::int32_t frameSizeOverride = -1;
};

inline Bytes FileMD2(const Md2Desc& desc) {
    const std::int32_t vertexCount =
        desc.vertexCountOverride >= 0
            ? desc.vertexCountOverride
            : (desc.frames.empty() ? 0 : static_cast<std::int32_t>(desc.frames[0].vertices.size()));
    const std::int32_t frameSize = desc.frameSizeOverride >= 0 ? desc.frameSizeOverride : 40 + 4 * vertexCount;
    Bytes out;
    PutI32(out, 0x32504449);  // "IDP2"
    PutI32(out, 8);
    PutI32(out, desc.skinWidth);
    PutI32(out, desc.skinHeight);
    PutI32(out, frameSize);
    PutI32(out, desc.skins);
    PutI32(out, vertexCount);
    PutI32(out, static_cast<std::int32_t>(desc.texCoords.size()));
    PutI32(out, static_cast<std::int32_t>(desc.triangles.size()));
    PutI32(out, 0);
    PutI32(out, static_cast<std::int32_t>(desc.frames.size()));
    for (int i = 0; i < 6; ++i) {
        PutI32(out, 0);  // offsets: the reader goes in order
    }
    for (int s = 0; s < desc.skins; ++s) {
        std::string name = "skin" + std::to_string(s) + ".pcx";
        name.resize(64, '\0');
        out.insert(out.end(), name.begin(), name.end());
    }
    for (const auto& st : desc.texCoords) {
        PutU16(out, static_cast<std::uint16_t>(st[0]));
        PutU16(out, static_cast<std::uint16_t>(st[1]));
    }
    for (const auto& t : desc.triangles) {
        for (std::int16_t v : t) {
            PutU16(out, static_cast<std::uint16_t>(v));
        }
    }
    for (const Md2Frame& frame : desc.frames) {
        const std::size_t start = out.size();
        for (float v : frame.scale) {
            PutF32(out, v);
        }
        for (float v : frame.translate) {
            PutF32(out, v);
        }
        std::string name = frame.name;
        name.resize(16, '\0');
        out.insert(out.end(), name.begin(), name.end());
        for (const auto& v : frame.vertices) {
            out.insert(out.end(), {v[0], v[1], v[2], 0});
        }
        out.resize(start + static_cast<std::size_t>(frameSize), 0);
    }
    return out;
}

// A four-vertex, two-triangle model with one frame per name; frame f moves every vertex up by f.
inline Md2Desc QuadModel(const std::vector<std::string>& frameNames) {
    Md2Desc desc;
    desc.texCoords = {{0, 0}, {64, 0}, {64, 32}, {0, 32}};
    desc.triangles = {{0, 1, 2, 0, 1, 2}, {0, 2, 3, 0, 2, 3}};
    for (std::size_t f = 0; f < frameNames.size(); ++f) {
        const auto h = static_cast<std::uint8_t>(f);
        desc.frames.push_back(
            Md2Frame{{1, 1, 1}, {0, 0, 0}, frameNames[f], {{0, 0, h}, {10, 0, h}, {10, 10, h}, {0, 10, h}}});
    }
    return desc;
}

}  // namespace tests
