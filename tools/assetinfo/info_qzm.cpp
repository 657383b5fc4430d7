#include "tools/assetinfo/info_kinds.h"

#include "editor/data/qzm_mesh.h"

namespace tools {

nlohmann::json InfoQzm(const std::string& path) {
    editor::TGLMultyMesh mesh;
    mesh.LoadFromFile(path);
    nlohmann::json objects = nlohmann::json::array();
    for (const auto& object : mesh.Objects()) {
        objects.push_back({{"vertices", object->VertexCount},
                           {"faces", object->FaceCount},
                           {"scale", {object->Scale.X, object->Scale.Y, object->Scale.Z}}});
    }
    return {{"objects", objects},
            {"textured", mesh.Textured()},
            {"texVertices", mesh.TexVertexCount()},
            {"texFaces", mesh.TexFaceCount()}};
}

}  // namespace tools
