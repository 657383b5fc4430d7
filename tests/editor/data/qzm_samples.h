#pragma once

#include <string>

namespace editor::qzm_samples {

// One object: vertices reaching x = 2, y = 4, z = 0.5, two triangles, then a texture section.
inline std::string Object() {
    return "New object\n"
           "Tri-mesh, Vertices: 4 Faces: 2\n"
           "numverts numfaces\n"
           "4 2\n"
           "Vertex list:\n"
           "0 0 0\n"
           "2 0 0\n"
           "0\t4 0 trailing words are ignored\n"
           "0 0 0.5\n"
           "Face list:\n"
           "\n"
           "1 2 3\n"
           "1 3 4\n"
           "Face normals:\n"
           "\n"
           "0 0 1\n"
           "1 0 0\n"
           "Vertex normals:\n"
           "\n"
           "0 0 1\n"
           "0 1 0\n"
           "1 0 0\n"
           "-1 0 0\n";
}

inline std::string Texture(const std::string& marker = "Texture vertices:") {
    return "New Texture:\n"
           "Texture mapping\n"
           "3 2\n" +
           marker +
           "\n"
           "0 0 0\n"
           "1 0 0\n"
           "0 0.25 0\n"
           "Texture faces:\n"
           "\n"
           "1 2 3\n"
           "3 2 1\n";
}

inline std::string TexturedObject() {
    return Object() + Texture();
}

}  // namespace editor::qzm_samples
