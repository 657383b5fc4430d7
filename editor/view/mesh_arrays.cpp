#include "editor/view/mesh_arrays.h"

#include "editor/data/mesh_table.h"

#include <GL/gl.h>

namespace editor {

const TMeshArrays::Mesh& TMeshArrays::MeshFor(int slot) {
    auto [entry, made] = m_meshes.try_emplace(slot);
    Mesh& mesh = entry->second;
    const TGLMultyMesh* source = MeshTable().Mesh(slot);
    if (!made || source == nullptr || source->Objects().empty()) {
        return mesh;
    }
    const TGLMesh& object = *source->Objects().front();
    mesh.Textured = source->Textured();
    for (std::size_t i = 0; i < object.Faces.size(); ++i) {
        const QzmTriangle& face = object.Faces[i];
        const bool whole = HoldsIndex(object.Vertices, face[0]) && HoldsIndex(object.Vertices, face[1]) &&
                           HoldsIndex(object.Vertices, face[2]) && i < object.FaceNormals.size();
        const QzmTriangle* texFace = mesh.Textured && i < source->TexFaces().size() ? &source->TexFaces()[i] : nullptr;
        if (!whole || (mesh.Textured && (texFace == nullptr || !HoldsIndex(source->TexVertices(), (*texFace)[0]) ||
                                         !HoldsIndex(source->TexVertices(), (*texFace)[1]) ||
                                         !HoldsIndex(source->TexVertices(), (*texFace)[2])))) {
            return mesh;  // immediate mode draws what it can of such a mesh
        }
        for (int k = 0; k < 3; ++k) {
            if (mesh.Textured) {
                const QzmVector& t = source->TexVertices()[(*texFace)[k]];
                mesh.Data.insert(mesh.Data.end(), {t.X, 1.0f - t.Y});
            }
            const QzmVector& n = object.FaceNormals[i];
            const QzmVector& v = object.Vertices[face[k]];
            mesh.Data.insert(mesh.Data.end(), {n.X, n.Y, n.Z, v.X, v.Y, v.Z});
        }
        mesh.Count += 3;
    }
    mesh.Immediate = false;
    return mesh;
}

void TMeshArrays::Draw(int slot) {
    const Mesh& mesh = MeshFor(slot);
    if (mesh.Immediate) {
        DrawMesh(slot, 0, false);
        return;
    }
    if (mesh.Count == 0) {
        return;
    }
    const QzmVector& scale = MeshTable().Mesh(slot)->Objects().front()->Scale;
    glPushMatrix();
    glScalef(scale.X, scale.Y, scale.Z);
    glInterleavedArrays(mesh.Textured ? GL_T2F_N3F_V3F : GL_N3F_V3F, 0, mesh.Data.data());
    glDrawArrays(GL_TRIANGLES, 0, mesh.Count);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glPopMatrix();
    LeaveLastCorner(mesh);
}

bool TMeshArrays::Skip(int slot) {
    const Mesh& mesh = MeshFor(slot);
    if (mesh.Immediate) {
        return false;
    }
    if (mesh.Count > 0) {
        LeaveLastCorner(mesh);
    }
    return true;
}

void TMeshArrays::LeaveLastCorner(const Mesh& mesh) {
    const std::size_t stride = mesh.Textured ? 8 : 6;
    const float* last = mesh.Data.data() + (mesh.Count - 1) * stride;
    if (mesh.Textured) {
        glTexCoord2f(last[0], last[1]);
        last += 2;
    }
    glNormal3f(last[0], last[1], last[2]);
}

}  // namespace editor
