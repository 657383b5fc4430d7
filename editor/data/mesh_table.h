#pragma once

#include "editor/data/qzm_mesh.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace editor {

// Numbered slots of loaded meshes, so that catalogue entries refer to a mesh by number (-1: none).
class TMeshTable {
public:
    // Loads the QZM file into the first free slot (or a new one at the end) and returns the slot.
    // A missing file shows the "Draw3D Unit" box and gives -1, as does a file whose numbers cannot
    // describe a mesh (QzmContentError); a malformed number (QzmNumericError) and a failed read
    // reach the caller. A failed load takes no slot.
    int LoadMesh(const std::string& fileName);
    // The same for a QZM text already in memory (a package's record), named by recordName in the
    // box; nothing is written anywhere, so the editor starts from a folder it cannot write to.
    int LoadMeshRecord(const std::string& recordName, std::span<const std::uint8_t> record);

    // Draws the object of the slot's mesh (its first object when the index is not one of them)
    // with flat or smooth normals. A free slot, -1 or a slot beyond the table draws nothing.
    void DrawMesh(int slot, int objectIndex, bool smooth);

    // The slot's mesh, or nullptr for a free slot or one outside the table.
    TGLMultyMesh* Mesh(int slot) const;
    int SlotCount() const { return static_cast<int>(m_slots.size()); }
    // Frees a slot for the next load.
    void FreeMesh(int slot);

private:
    std::vector<std::unique_ptr<TGLMultyMesh>> m_slots;
};

// The program-wide table the editor draws its objects from.
TMeshTable& MeshTable();
int LoadMesh(const std::string& fileName);
int LoadMeshRecord(const std::string& recordName, std::span<const std::uint8_t> record);
void DrawMesh(int slot, int objectIndex, bool smooth);

}  // namespace editor
