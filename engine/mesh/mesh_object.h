#pragma once

#include "engine/core/vector_math.h"
#include "engine/mesh/face_group.h"

#include <memory>
#include <string>
#include <vector>

namespace engine {

struct TRenderContextInfo;

// How a mesh object's geometry is laid out: its vertices three at a time, as one strip, or through
// its face groups (what the file readers produce).
enum TMeshObjectMode { momTriangles, momTriangleStrip, momFaceGroups };

// A piece of geometry of a mesh: arrays of vertices, normals, texture coordinates and optional
// per-vertex colours, and the face groups that index them.
class TMeshObject {
public:
    TMeshObject() = default;
    virtual ~TMeshObject() = default;
    TMeshObject& operator=(const TMeshObject&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }
    TMeshObjectMode Mode() const { return m_mode; }
    void SetMode(TMeshObjectMode mode) { m_mode = mode; }

    TAffineVectorList& Vertices() { return m_vertices; }
    const TAffineVectorList& Vertices() const { return m_vertices; }
    TAffineVectorList& Normals() { return m_normals; }
    const TAffineVectorList& Normals() const { return m_normals; }
    // (u, v, unused) per vertex.
    TAffineVectorList& TexCoords() { return m_texCoords; }
    const TAffineVectorList& TexCoords() const { return m_texCoords; }
    TAffineVectorList& LightMapTexCoords() { return m_lightMapTexCoords; }
    const TAffineVectorList& LightMapTexCoords() const { return m_lightMapTexCoords; }
    // RGBA; used only when there is exactly one per vertex.
    std::vector<TVec4>& Colors() { return m_colors; }
    const std::vector<TVec4>& Colors() const { return m_colors; }
    TFaceGroups& FaceGroups() { return m_faceGroups; }
    const TFaceGroups& FaceGroups() const { return m_faceGroups; }

    // Draw all face groups that share a material under one application of it, whatever their order.
    bool GroupByMaterial() const { return m_groupByMaterial; }
    void SetGroupByMaterial(bool group) { m_groupByMaterial = group; }

    // A deep copy of the same class, face groups included.
    virtual std::unique_ptr<TMeshObject> Clone() const;

    // Appends the object's triangles, three positions each (strips, fans and quads converted).
    void AddToTriangles(TAffineVectorList& triangles) const;
    int TriangleCount() const;
    // Folds the vertices' bounding box into (min, max).
    void ExtendBounds(TVec3& min, TVec3& max) const;

    // Draws the object. With the mesh's library current, face groups whose material resolved are drawn under it
    // (consecutive groups of one material under one application, every pass of it); without one
    // or unresolved, groups are drawn plainly.
    void Draw(TRenderContextInfo& rci, bool withLibrary) const;
    // Sends normal, texture coordinate, colour and position of vertex i (attributes only where the
    // arrays reach i).
    void EmitVertex(int i) const;
    bool HasVertexColors() const { return !m_colors.empty() && m_colors.size() == m_vertices.size(); }

protected:
    TMeshObject(const TMeshObject& source);

private:
    void DrawArrays() const;
    void DrawGroupsUnder(TRenderContextInfo& rci, TGLLibMaterial& material, const std::vector<int>& groups) const;

    std::string m_name;
    TMeshObjectMode m_mode = momTriangles;
    TAffineVectorList m_vertices;
    TAffineVectorList m_normals;
    TAffineVectorList m_texCoords;
    TAffineVectorList m_lightMapTexCoords;
    std::vector<TVec4> m_colors;
    TFaceGroups m_faceGroups;
    bool m_groupByMaterial = false;
};

// The ordered mesh objects of a mesh, which owns them.
class TMeshObjectList {
public:
    TMeshObjectList() = default;
    TMeshObjectList(const TMeshObjectList&) = delete;
    TMeshObjectList& operator=(const TMeshObjectList&) = delete;

    template <class T = TMeshObject>
    T& Add() {
        auto object = std::make_unique<T>();
        T& raw = *object;
        m_items.push_back(std::move(object));
        return raw;
    }
    void Add(std::unique_ptr<TMeshObject> object) { m_items.push_back(std::move(object)); }
    int Count() const { return static_cast<int>(m_items.size()); }
    TMeshObject& operator[](int i) { return *m_items.at(static_cast<std::size_t>(i)); }
    const TMeshObject& operator[](int i) const { return *m_items.at(static_cast<std::size_t>(i)); }
    void Clear() { m_items.clear(); }
    // Replaces this list by deep copies of the source's objects.
    void CopyFrom(const TMeshObjectList& source);
    void Swap(TMeshObjectList& other) noexcept { m_items.swap(other.m_items); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<TMeshObject>> m_items;
};

}  // namespace engine
