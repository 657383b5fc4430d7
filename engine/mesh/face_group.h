#pragma once

#include "engine/core/vector_math.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class TGLLibMaterial;
class TMeshObject;

using TAffineVectorList = std::vector<TVec3>;
using TIntegerList = std::vector<std::int32_t>;

struct TTexPoint {
    float S = 0.0f;
    float T = 0.0f;
};
bool operator==(const TTexPoint& a, const TTexPoint& b);

// How the indices of a TFGVertexIndexList make primitives.
enum TFaceGroupMeshMode { fgmmTriangles, fgmmTriangleStrip, fgmmFlatTriangles, fgmmTriangleFan, fgmmQuads };

// Called once per triangle with the three positions in the index data (corners in draw order).
using TTriangleCorners = std::function<void(int a, int b, int c)>;
// Expands index positions 0..count-1 of a primitive list into triangles (strips alternate their
// winding so every triangle faces the same way as the first).
void ForEachTriangle(TFaceGroupMeshMode mode, int count, const TTriangleCorners& visit);

// A part of a mesh object drawn with one material: the material's name, the library material it
// resolves to while the mesh's material caches are prepared, and index data into the owner's arrays.
class TFaceGroup {
public:
    TFaceGroup() = default;
    virtual ~TFaceGroup() = default;

    const std::string& MaterialName() const { return m_materialName; }
    // A new name drops the resolved material; the mesh resolves it again at its next draw.
    void SetMaterialName(const std::string& name);
    TGLLibMaterial* MaterialCache() const { return m_materialCache; }
    void SetMaterialCache(TGLLibMaterial* material) { m_materialCache = material; }
    std::int32_t LightMapIndex() const { return m_lightMapIndex; }
    void SetLightMapIndex(std::int32_t index) { m_lightMapIndex = index; }

    // Appends the group's triangles as three positions each, in index order. A triangle with an
    // index outside the owner's vertex list is left out: index data never reads past an array.
    void AddToTriangles(const TMeshObject& owner, TAffineVectorList& triangles) const;
    int TriangleCount() const;
    // Emits the group's primitives with immediate-mode OpenGL.
    virtual void BuildList(const TMeshObject& owner) const = 0;
    // A deep copy (the resolved material is not carried over).
    virtual std::unique_ptr<TFaceGroup> Clone() const = 0;

protected:
    TFaceGroup(const TFaceGroup& source);

    // The vertex indices that make the group's triangles, by position in the index data.
    virtual const TIntegerList& PositionIndices() const = 0;
    virtual TFaceGroupMeshMode PrimitiveMode() const { return fgmmTriangles; }

private:
    std::string m_materialName;
    TGLLibMaterial* m_materialCache = nullptr;
    std::int32_t m_lightMapIndex = -1;
};

// One index list shared by vertices, normals and texture coordinates.
class TFGVertexIndexList : public TFaceGroup {
public:
    TFGVertexIndexList() = default;

    TIntegerList& VertexIndices() { return m_vertexIndices; }
    const TIntegerList& VertexIndices() const { return m_vertexIndices; }
    TFaceGroupMeshMode Mode() const { return m_mode; }
    void SetMode(TFaceGroupMeshMode mode) { m_mode = mode; }
    // Appends one triangle.
    void Add(std::int32_t a, std::int32_t b, std::int32_t c);

    void BuildList(const TMeshObject& owner) const override;
    std::unique_ptr<TFaceGroup> Clone() const override;

protected:
    const TIntegerList& PositionIndices() const override { return m_vertexIndices; }
    TFaceGroupMeshMode PrimitiveMode() const override { return m_mode; }

private:
    TFGVertexIndexList(const TFGVertexIndexList&) = default;

    TIntegerList m_vertexIndices;
    TFaceGroupMeshMode m_mode = fgmmTriangles;
};

// Separate vertex, normal and texture-coordinate indices, as triangles.
class TFGVertexNormalTexIndexList : public TFaceGroup {
public:
    TFGVertexNormalTexIndexList() = default;

    TIntegerList& VertexIndices() { return m_vertexIndices; }
    TIntegerList& NormalIndices() { return m_normalIndices; }
    TIntegerList& TexCoordIndices() { return m_texCoordIndices; }
    const TIntegerList& VertexIndices() const { return m_vertexIndices; }
    const TIntegerList& NormalIndices() const { return m_normalIndices; }
    const TIntegerList& TexCoordIndices() const { return m_texCoordIndices; }

    void BuildList(const TMeshObject& owner) const override;
    std::unique_ptr<TFaceGroup> Clone() const override;

protected:
    const TIntegerList& PositionIndices() const override { return m_vertexIndices; }

private:
    TFGVertexNormalTexIndexList(const TFGVertexNormalTexIndexList&) = default;

    TIntegerList m_vertexIndices;
    TIntegerList m_normalIndices;
    TIntegerList m_texCoordIndices;
};

// Triangles whose every corner carries its own texture coordinate (the two lists stay equal in
// length); normals, vertices and colours come from the owner at the corner's vertex index.
class TFGIndexTexCoordList : public TFaceGroup {
public:
    TFGIndexTexCoordList() = default;

    const TIntegerList& VertexIndices() const { return m_vertexIndices; }
    const std::vector<TTexPoint>& TexCoords() const { return m_texCoords; }
    void Add(std::int32_t vertexIndex, float s, float t);

    void BuildList(const TMeshObject& owner) const override;
    std::unique_ptr<TFaceGroup> Clone() const override;

protected:
    const TIntegerList& PositionIndices() const override { return m_vertexIndices; }

private:
    TFGIndexTexCoordList(const TFGIndexTexCoordList&) = default;

    TIntegerList m_vertexIndices;
    std::vector<TTexPoint> m_texCoords;
};

// The ordered face groups of one mesh object, which owns them.
class TFaceGroups {
public:
    TFaceGroups() = default;
    TFaceGroups(const TFaceGroups&) = delete;
    TFaceGroups& operator=(const TFaceGroups&) = delete;

    template <class T>
    T& Add() {
        auto group = std::make_unique<T>();
        T& raw = *group;
        m_items.push_back(std::move(group));
        return raw;
    }
    void Add(std::unique_ptr<TFaceGroup> group) { m_items.push_back(std::move(group)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    TFaceGroup& operator[](int i) { return *m_items.at(static_cast<std::size_t>(i)); }
    const TFaceGroup& operator[](int i) const { return *m_items.at(static_cast<std::size_t>(i)); }
    void Clear() { m_items.clear(); }
    void DropMaterialCaches();
    // Replaces this list by deep copies of the source's groups.
    void CopyFrom(const TFaceGroups& source);

private:
    std::vector<std::unique_ptr<TFaceGroup>> m_items;
};

}  // namespace engine
