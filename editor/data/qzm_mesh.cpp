#include "editor/data/qzm_mesh.h"

#include "editor/data/qzm_parser.h"
#include "platform/paths.h"

#include <GL/gl.h>

#include <string>

namespace editor {

void TGLMesh::Draw(bool smooth, bool textured) const {
    const bool withTexture = textured && Owner != nullptr;
    for (std::size_t i = 0; i < Faces.size(); ++i) {
        const QzmTriangle& face = Faces[i];
        // The reader refuses numbers outside the lists; this guards lists changed since.
        if (!HoldsIndex(Vertices, face[0]) || !HoldsIndex(Vertices, face[1]) || !HoldsIndex(Vertices, face[2]) ||
            (smooth && (!HoldsIndex(VertexNormals, face[0]) || !HoldsIndex(VertexNormals, face[1]) ||
                        !HoldsIndex(VertexNormals, face[2]))) ||
            (!smooth && i >= FaceNormals.size())) {
            continue;
        }
        const QzmTriangle* texFace = withTexture && i < Owner->TexFaces().size() ? &Owner->TexFaces()[i] : nullptr;
        glBegin(GL_TRIANGLES);
        if (!smooth) {
            glNormal3f(FaceNormals[i].X, FaceNormals[i].Y, FaceNormals[i].Z);
        }
        for (int k = 0; k < 3; ++k) {
            const std::int32_t corner = face[k];
            if (smooth) {
                const QzmVector& n = VertexNormals[corner];
                glNormal3f(n.X, n.Y, n.Z);
            }
            if (texFace != nullptr && HoldsIndex(Owner->TexVertices(), (*texFace)[k])) {
                // Textures are uploaded top row first, so the picture's top lies at t = 0.
                const QzmVector& t = Owner->TexVertices()[(*texFace)[k]];
                glTexCoord2f(t.X, 1.0f - t.Y);
            }
            const QzmVector& v = Vertices[corner];
            glVertex3f(v.X, v.Y, v.Z);
        }
        glEnd();
    }
}

void TGLMultyMesh::LoadFromFile(const std::string& fileName) {
    const auto bytes = platform::ReadWholeFile(fileName);
    LoadFromText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TGLMultyMesh::LoadFromText(std::string_view text) {
    QzmContent content = ParseQzm(text);
    m_objects = std::move(content.Objects);
    m_texture = std::move(content.Texture);
    for (auto& object : m_objects) {
        object->Owner = this;
    }
    Current = 0;
}

void TGLMultyMesh::Draw() {
    if (m_objects.empty()) {
        return;
    }
    if (Current < 0 || static_cast<std::size_t>(Current) >= m_objects.size()) {
        Current = 0;
    }
    const TGLMesh& object = *m_objects[Current];
    glPushMatrix();
    CurrentScale = object.Scale;
    glScalef(CurrentScale.X, CurrentScale.Y, CurrentScale.Z);
    object.Draw(Smooth, Textured());
    if (Animate) {
        Current = (Current + 1) % static_cast<std::int32_t>(m_objects.size());
    }
    glPopMatrix();
}

}  // namespace editor
