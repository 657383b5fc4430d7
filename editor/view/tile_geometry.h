#pragma once

#include "editor/data/kind_catalogue.h"
#include "editor/data/map_records.h"
#include "editor/view/frustum.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

namespace editor {

namespace tile_blocks {
// Cells are bytes, so 16 x 16 blocks of 16 x 16 cells cover every cell a tile can name.
constexpr int kBlockSide = 16;
constexpr int kBlocksPerSide = 256 / kBlockSide;
constexpr int kBlockCount = kBlocksPerSide * kBlocksPerSide;
}  // namespace tile_blocks

// The layout glInterleavedArrays calls GL_T2F_C4UB_V3F.
struct TTileVertex {
    float S, T;
    std::uint8_t R, G, B, A;
    float X, Y, Z;
};

// The surface tiles as vertex arrays, one per block of cells, rebuilt only for the blocks whose
// tiles changed. Inside a block the tiles are grouped by texture within each stacking level: the
// n-th tile of a cell (in array order) is drawn after every (n-1)-th one, and tiles of one level
// lie on different cells, so the picture is that of drawing the whole array in order. Each tile
// keeps its corners relative to the cell centre and is drawn under the modelview moved there, as
// immediate mode draws it: one array for the whole map would put the corners through other float
// products and move the odd pixel at a tile's edge. Its quads go to OpenGL as quads, so they are
// split into the same triangles.
class TTileGeometry {
public:
    // Brings the arrays up to the tiles.
    void Update(const std::vector<TSurfaceTile>& tiles, const TKindCatalogues& kinds);
    // Draws the blocks the frustum may show.
    void Draw(const TFrustum& frustum) const;

private:
    struct Group {
        std::uint32_t Texture = 0;
        std::int32_t First = 0;
        std::int32_t Count = 0;
    };
    struct Block {
        std::vector<TTileVertex> Vertices;
        // The cell of each tile, in the order of the vertices.
        std::vector<std::array<std::uint8_t, 2>> Cells;
        std::vector<Group> Groups;
    };
    void Rebuild(Block& block, const std::vector<TSurfaceTile>& tiles, const std::vector<std::uint32_t>& indices,
                 const TKindCatalogues& kinds);

    std::vector<TSurfaceTile> m_drawn;
    bool m_valid = false;
    std::array<Block, tile_blocks::kBlockCount> m_blocks;
};

// The block a cell belongs to.
int TileBlockOf(std::uint8_t x, std::uint8_t y);

}  // namespace editor
