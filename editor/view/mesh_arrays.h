#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace editor {

// Each mesh of the mesh table as one vertex array, drawn with one call instead of a batch per
// triangle. The triangles keep their order and their corners' order, so they are rasterised as
// immediate mode rasterises them; a mesh whose triangles lack texture coordinates falls back to
// immediate mode, since its corners take the coordinate left by whatever was drawn before.
class TMeshArrays {
public:
    // As the mesh table's DrawMesh (slot, 0, flat), leaving the current normal and texture
    // coordinate as that leaves them.
    void Draw(int slot);
    // For an object outside the view: leaves the current normal and texture coordinate as Draw
    // would, without drawing, since an untextured mesh drawn next takes its coordinate from there.
    // False for a mesh that falls back to immediate mode, whose leftovers only drawing it tells.
    bool Skip(int slot);

private:
    struct Mesh {
        bool Immediate = true;
        bool Textured = false;
        std::vector<float> Data;  // t2f n3f v3f, or n3f v3f when untextured
        std::int32_t Count = 0;
    };
    const Mesh& MeshFor(int slot);
    // Immediate mode leaves the last corner's normal and texture coordinate current.
    static void LeaveLastCorner(const Mesh& mesh);

    std::map<int, Mesh> m_meshes;
};

}  // namespace editor
