#pragma once

#include "tools/writers/mesh.h"

#include <string>

namespace tools {

// A mesh as a QZM text file: one object section and one texture section, lines ended by CR LF,
// numbers with six decimals. Face normals follow each triangle's winding; vertex normals average
// the faces around each position. Texture coordinates are written with v counted up from the
// picture's bottom row, which the editor flips back when it draws. Throws std::invalid_argument
// for a mesh without triangles or with an index outside its lists.
std::string WriteQzm(const Mesh& mesh);

}  // namespace tools
