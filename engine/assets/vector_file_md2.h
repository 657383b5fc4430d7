#pragma once

#include "engine/mesh/vector_file.h"

namespace engine {

// Reads MD2 files into a mesh: one morphable mesh object with a morph target per frame (smooth
// normals from the faces) and, loaded into an actor, its animations from the frame names. The
// file is read completely before the mesh is touched.
class TGLMD2VectorFile : public TVectorFile {
public:
    using TVectorFile::TVectorFile;
    void LoadFromStream(std::span<const std::uint8_t> stream) override;
};

}  // namespace engine
