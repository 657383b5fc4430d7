#include "engine/mesh/mesh_object.h"

#include "engine/material/lib_material.h"
#include "engine/material/material_passes.h"

#include <GL/gl.h>

#include <algorithm>

namespace engine {

TMeshObject::TMeshObject(const TMeshObject& source)
    : m_name(source.m_name),
      m_mode(source.m_mode),
      m_vertices(source.m_vertices),
      m_normals(source.m_normals),
      m_texCoords(source.m_texCoords),
      m_lightMapTexCoords(source.m_lightMapTexCoords),
      m_colors(source.m_colors),
      m_groupByMaterial(source.m_groupByMaterial) {
    m_faceGroups.CopyFrom(source.m_faceGroups);
}

std::unique_ptr<TMeshObject> TMeshObject::Clone() const {
    return std::unique_ptr<TMeshObject>(new TMeshObject(*this));
}

void TMeshObject::AddToTriangles(TAffineVectorList& triangles) const {
    switch (m_mode) {
        case momTriangles:
            ForEachTriangle(fgmmTriangles, static_cast<int>(m_vertices.size()), [&](int a, int b, int c) {
                triangles.insert(triangles.end(),
                                 {m_vertices[static_cast<std::size_t>(a)], m_vertices[static_cast<std::size_t>(b)],
                                  m_vertices[static_cast<std::size_t>(c)]});
            });
            break;
        case momTriangleStrip:
            ForEachTriangle(fgmmTriangleStrip, static_cast<int>(m_vertices.size()), [&](int a, int b, int c) {
                triangles.insert(triangles.end(),
                                 {m_vertices[static_cast<std::size_t>(a)], m_vertices[static_cast<std::size_t>(b)],
                                  m_vertices[static_cast<std::size_t>(c)]});
            });
            break;
        case momFaceGroups:
            for (int i = 0; i < m_faceGroups.Count(); ++i) {
                m_faceGroups[i].AddToTriangles(*this, triangles);
            }
            break;
    }
}

int TMeshObject::TriangleCount() const {
    const int count = static_cast<int>(m_vertices.size());
    switch (m_mode) {
        case momTriangles:
            return count / 3;
        case momTriangleStrip:
            return std::max(0, count - 2);
        case momFaceGroups:
            break;
    }
    int total = 0;
    for (int i = 0; i < m_faceGroups.Count(); ++i) {
        total += m_faceGroups[i].TriangleCount();
    }
    return total;
}

void TMeshObject::ExtendBounds(TVec3& min, TVec3& max) const {
    for (const TVec3& v : m_vertices) {
        min = TVec3{std::min(min.X, v.X), std::min(min.Y, v.Y), std::min(min.Z, v.Z)};
        max = TVec3{std::max(max.X, v.X), std::max(max.Y, v.Y), std::max(max.Z, v.Z)};
    }
}

void TMeshObject::EmitVertex(int i) const {
    const std::size_t k = static_cast<std::size_t>(i);
    if (k < m_normals.size()) {
        glNormal3f(m_normals[k].X, m_normals[k].Y, m_normals[k].Z);
    }
    if (k < m_texCoords.size()) {
        glTexCoord2f(m_texCoords[k].X, m_texCoords[k].Y);
    }
    if (HasVertexColors()) {
        glColor4f(m_colors[k].X, m_colors[k].Y, m_colors[k].Z, m_colors[k].W);
    }
    glVertex3f(m_vertices[k].X, m_vertices[k].Y, m_vertices[k].Z);
}

void TMeshObject::DrawArrays() const {
    const int count = static_cast<int>(m_vertices.size());
    glBegin(m_mode == momTriangleStrip ? GL_TRIANGLE_STRIP : GL_TRIANGLES);
    const int used = m_mode == momTriangles ? count - count % 3 : count;
    for (int i = 0; i < used; ++i) {
        EmitVertex(i);
    }
    glEnd();
}

void TMeshObject::DrawGroupsUnder(TRenderContextInfo& rci, TGLLibMaterial& material,
                                  const std::vector<int>& groups) const {
    DrawPasses(material, rci, [&] {
        for (int g : groups) {
            m_faceGroups[g].BuildList(*this);
        }
    });
}

void TMeshObject::Draw(TRenderContextInfo& rci, bool withLibrary) const {
    const bool colors = HasVertexColors();
    if (colors) {
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
    }
    if (m_mode != momFaceGroups) {
        DrawArrays();
    } else {
        const int count = m_faceGroups.Count();
        std::vector<bool> drawn(static_cast<std::size_t>(count), false);
        for (int i = 0; i < count; ++i) {
            if (drawn[static_cast<std::size_t>(i)]) {
                continue;
            }
            TGLLibMaterial* material = withLibrary ? m_faceGroups[i].MaterialCache() : nullptr;
            if (!material) {
                m_faceGroups[i].BuildList(*this);
                continue;
            }
            // The run of groups sharing this material: the directly following ones, or with
            // GroupByMaterial every later one.
            std::vector<int> run;
            for (int j = i; j < count; ++j) {
                const bool same = m_faceGroups[j].MaterialCache() == material;
                if (same && !drawn[static_cast<std::size_t>(j)]) {
                    run.push_back(j);
                    drawn[static_cast<std::size_t>(j)] = true;
                } else if (!m_groupByMaterial) {
                    break;
                }
            }
            DrawGroupsUnder(rci, *material, run);
        }
    }
    if (colors) {
        glDisable(GL_COLOR_MATERIAL);
    }
}

void TMeshObjectList::CopyFrom(const TMeshObjectList& source) {
    if (&source == this) {
        return;
    }
    m_items.clear();
    for (const auto& object : source.m_items) {
        m_items.push_back(object->Clone());
    }
}

}  // namespace engine
