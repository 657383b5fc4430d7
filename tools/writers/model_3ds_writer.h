#pragma once

#include "tools/writers/colour.h"
#include "tools/writers/mesh.h"

#include <cstdint>
#include <string>
#include <vector>

// 3D Studio models for the game: an editor section with materials and named triangle meshes.
namespace tools {

struct Material3ds {
    std::string Name;
    Colour Ambient;
    Colour Diffuse;
    Colour Specular;
    float Shininess = 0;          // 0..1
    float ShininessStrength = 0;  // 0..1
    std::string TextureMap;       // a file name beside the other textures; empty for none
};

// Triangles drawn with one material. Smoothing groups are bit masks: faces that share their lowest
// set bit share normals where they share a corner; 0 shades every face flat.
struct Part3ds {
    std::string Material;
    Mesh Geometry;
    std::uint32_t Smoothing = 1;
};

// One named object; its parts become the material groups of one vertex and face list.
struct Object3ds {
    std::string Name;
    std::vector<Part3ds> Parts;
};

// The file's bytes. A 3DS vertex carries one texture coordinate, so corners that share a position
// but not a texture coordinate become separate vertices; texture coordinates are written with v
// counted up from the picture's bottom row. Throws std::invalid_argument for an object without
// triangles or with more than 65535 vertices or faces, an index outside its mesh's lists, a part
// naming a material the model lacks, or a name with a zero byte.
std::vector<std::uint8_t> Write3ds(const std::vector<Material3ds>& materials, const std::vector<Object3ds>& objects);

}  // namespace tools
