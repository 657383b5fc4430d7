#include "engine/mesh/face_group.h"

#include "engine/core/set_and_notify.h"
#include "engine/mesh/mesh_object.h"

#include <GL/gl.h>

namespace engine {

namespace {

bool InRange(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// Visits the triangles of a group whose three vertex indices all lie in the owner's vertex list.
template <class Visit>
void ForEachValidTriangle(TFaceGroupMeshMode mode, const TIntegerList& indices, std::size_t vertexCount, Visit visit) {
    ForEachTriangle(mode, static_cast<int>(indices.size()), [&](int a, int b, int c) {
        const std::size_t sa = static_cast<std::size_t>(a);
        const std::size_t sb = static_cast<std::size_t>(b);
        const std::size_t sc = static_cast<std::size_t>(c);
        if (InRange(indices[sa], vertexCount) && InRange(indices[sb], vertexCount) &&
            InRange(indices[sc], vertexCount)) {
            visit(a, b, c);
        }
    });
}

void EmitPosition(const TMeshObject& owner, std::int32_t index) {
    const TVec3& v = owner.Vertices()[static_cast<std::size_t>(index)];
    glVertex3f(v.X, v.Y, v.Z);
}

void EmitColor(const TMeshObject& owner, std::int32_t index) {
    if (owner.HasVertexColors()) {
        const TVec4& c = owner.Colors()[static_cast<std::size_t>(index)];
        glColor4f(c.X, c.Y, c.Z, c.W);
    }
}

}  // namespace

bool operator==(const TTexPoint& a, const TTexPoint& b) {
    return a.S == b.S && a.T == b.T;
}

void ForEachTriangle(TFaceGroupMeshMode mode, int count, const TTriangleCorners& visit) {
    switch (mode) {
        case fgmmTriangles:
        case fgmmFlatTriangles:
            for (int i = 0; i + 2 < count; i += 3) {
                visit(i, i + 1, i + 2);
            }
            break;
        case fgmmTriangleStrip:
            for (int i = 0; i + 2 < count; ++i) {
                if (i % 2 == 0) {
                    visit(i, i + 1, i + 2);
                } else {
                    visit(i + 1, i, i + 2);
                }
            }
            break;
        case fgmmTriangleFan:
            for (int i = 1; i + 1 < count; ++i) {
                visit(0, i, i + 1);
            }
            break;
        case fgmmQuads:
            for (int i = 0; i + 3 < count; i += 4) {
                visit(i, i + 1, i + 2);
                visit(i, i + 2, i + 3);
            }
            break;
    }
}

TFaceGroup::TFaceGroup(const TFaceGroup& source)
    : m_materialName(source.m_materialName), m_lightMapIndex(source.m_lightMapIndex) {}

void TFaceGroup::SetMaterialName(const std::string& name) {
    SetAndNotify(m_materialName, name, [this] { m_materialCache = nullptr; });
}

void TFaceGroup::AddToTriangles(const TMeshObject& owner, TAffineVectorList& triangles) const {
    const TIntegerList& indices = PositionIndices();
    const TAffineVectorList& vertices = owner.Vertices();
    ForEachValidTriangle(PrimitiveMode(), indices, vertices.size(), [&](int a, int b, int c) {
        for (int corner : {a, b, c}) {
            triangles.push_back(vertices[static_cast<std::size_t>(indices[static_cast<std::size_t>(corner)])]);
        }
    });
}

int TFaceGroup::TriangleCount() const {
    int count = 0;
    ForEachTriangle(PrimitiveMode(), static_cast<int>(PositionIndices().size()), [&](int, int, int) { ++count; });
    return count;
}

void TFGVertexIndexList::Add(std::int32_t a, std::int32_t b, std::int32_t c) {
    m_vertexIndices.insert(m_vertexIndices.end(), {a, b, c});
}

void TFGVertexIndexList::BuildList(const TMeshObject& owner) const {
    const TAffineVectorList& vertices = owner.Vertices();
    glBegin(GL_TRIANGLES);
    ForEachValidTriangle(m_mode, m_vertexIndices, vertices.size(), [&](int a, int b, int c) {
        const std::int32_t ia = m_vertexIndices[static_cast<std::size_t>(a)];
        const std::int32_t ib = m_vertexIndices[static_cast<std::size_t>(b)];
        const std::int32_t ic = m_vertexIndices[static_cast<std::size_t>(c)];
        if (m_mode == fgmmFlatTriangles) {
            const TVec3& p0 = vertices[static_cast<std::size_t>(ia)];
            const TVec3 n = Normalize(
                Cross(vertices[static_cast<std::size_t>(ib)] - p0, vertices[static_cast<std::size_t>(ic)] - p0));
            glNormal3f(n.X, n.Y, n.Z);
            for (std::int32_t index : {ia, ib, ic}) {
                EmitColor(owner, index);
                EmitPosition(owner, index);
            }
            return;
        }
        for (std::int32_t index : {ia, ib, ic}) {
            owner.EmitVertex(index);
        }
    });
    glEnd();
}

std::unique_ptr<TFaceGroup> TFGVertexIndexList::Clone() const {
    return std::unique_ptr<TFaceGroup>(new TFGVertexIndexList(*this));
}

void TFGVertexNormalTexIndexList::BuildList(const TMeshObject& owner) const {
    glBegin(GL_TRIANGLES);
    ForEachValidTriangle(fgmmTriangles, m_vertexIndices, owner.Vertices().size(), [&](int a, int b, int c) {
        for (int corner : {a, b, c}) {
            const std::size_t k = static_cast<std::size_t>(corner);
            if (k < m_normalIndices.size() && InRange(m_normalIndices[k], owner.Normals().size())) {
                const TVec3& n = owner.Normals()[static_cast<std::size_t>(m_normalIndices[k])];
                glNormal3f(n.X, n.Y, n.Z);
            }
            if (k < m_texCoordIndices.size() && InRange(m_texCoordIndices[k], owner.TexCoords().size())) {
                const TVec3& t = owner.TexCoords()[static_cast<std::size_t>(m_texCoordIndices[k])];
                glTexCoord2f(t.X, t.Y);
            }
            EmitColor(owner, m_vertexIndices[k]);
            EmitPosition(owner, m_vertexIndices[k]);
        }
    });
    glEnd();
}

std::unique_ptr<TFaceGroup> TFGVertexNormalTexIndexList::Clone() const {
    return std::unique_ptr<TFaceGroup>(new TFGVertexNormalTexIndexList(*this));
}

void TFGIndexTexCoordList::Add(std::int32_t vertexIndex, float s, float t) {
    m_vertexIndices.push_back(vertexIndex);
    m_texCoords.push_back(TTexPoint{s, t});
}

void TFGIndexTexCoordList::BuildList(const TMeshObject& owner) const {
    glBegin(GL_TRIANGLES);
    ForEachValidTriangle(fgmmTriangles, m_vertexIndices, owner.Vertices().size(), [&](int a, int b, int c) {
        for (int corner : {a, b, c}) {
            const std::size_t k = static_cast<std::size_t>(corner);
            const std::int32_t index = m_vertexIndices[k];
            if (InRange(index, owner.Normals().size())) {
                const TVec3& n = owner.Normals()[static_cast<std::size_t>(index)];
                glNormal3f(n.X, n.Y, n.Z);
            }
            glTexCoord2f(m_texCoords[k].S, m_texCoords[k].T);
            EmitColor(owner, index);
            EmitPosition(owner, index);
        }
    });
    glEnd();
}

std::unique_ptr<TFaceGroup> TFGIndexTexCoordList::Clone() const {
    return std::unique_ptr<TFaceGroup>(new TFGIndexTexCoordList(*this));
}

void TFaceGroups::DropMaterialCaches() {
    for (auto& group : m_items) {
        group->SetMaterialCache(nullptr);
    }
}

void TFaceGroups::CopyFrom(const TFaceGroups& source) {
    if (&source == this) {
        return;
    }
    m_items.clear();
    for (const auto& group : source.m_items) {
        m_items.push_back(group->Clone());
    }
}

}  // namespace engine
