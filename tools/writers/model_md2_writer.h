#pragma once

#include "tools/writers/mesh.h"

#include <cstdint>
#include <string>
#include <vector>

// Quake II models: one skin, triangles shared by every frame, and named key frames whose names
// give the animations ("run01", "run02", ... make "run").
namespace tools {

struct Md2Frame {
    std::string Name;              // at most 15 characters
    std::vector<Vec3> Positions;  // one per model vertex
};

struct Md2Model {
    std::string SkinName;  // at most 63 characters
    std::int32_t SkinWidth = 256;
    std::int32_t SkinHeight = 256;
    // Corners index each frame's Positions and TexCoords (in picture units, v down from the top);
    // triangles are counter-clockwise seen from outside.
    std::vector<Vec2> TexCoords;
    std::vector<MeshTriangle> Triangles;
    std::vector<Md2Frame> Frames;
};

// The file's bytes: header, skin name, texture coordinates in skin pixels, triangles, then each
// frame's vertices packed to bytes within the frame's own box; no GL commands. Triangles are
// stored clockwise as the format expects. Throws std::invalid_argument for a model without frames
// or triangles, frames of different sizes, more than 2048 texture coordinates or 2070 vertices,
// an index outside its list, or a name too long.
std::vector<std::uint8_t> WriteMd2(const Md2Model& model);

}  // namespace tools
