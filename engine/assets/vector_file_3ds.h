#pragma once

#include "engine/mesh/vector_file.h"

namespace engine {

// Reads 3DS files into a mesh: one mesh object per visible triangle mesh, normals from smoothing
// groups (vertices split where groups part), one face group per material group, and the named
// materials created in the mesh's material library.
//
// Beyond the format's own checks it refuses, with an E3DSError naming the mesh, a texture-vertex
// list shorter than the vertex list, a face corner outside the vertex list, a material group face
// outside the face list and a smoothing list shorter than the face list. A vertex whose normal
// sums to zero (used only by degenerate faces, or by none) gets (0, 0, 1).
class TGL3DSVectorFile : public TVectorFile {
public:
    using TVectorFile::TVectorFile;
    void LoadFromStream(std::span<const std::uint8_t> stream) override;
};

}  // namespace engine
