#include "editor/view/tile_geometry.h"

#include "editor/view/map_shapes.h"

#include <GL/gl.h>

#include <algorithm>

namespace editor {
namespace {

using namespace tile_blocks;

static_assert(sizeof(TTileVertex) == 24, "the interleaved layout has no padding");

void AppendTile(std::vector<TTileVertex>& vertices, const TSurfaceTile& tile) {
    for (const auto& quad : kTileQuads) {
        for (const TileVertex& vertex : quad) {
            const std::uint8_t alpha = vertex.blend < 0 ? map_layout::kOpaque : tile.Blend[vertex.blend];
            vertices.push_back({vertex.s, vertex.t, 255, 255, 255, alpha, vertex.x, vertex.y, 0});
        }
    }
}

TBox CellBox(const std::array<std::uint8_t, 2>& cell) {
    return {{static_cast<double>(cell[0]), static_cast<double>(cell[1]), kTileLift},
            {cell[0] + 1.0, cell[1] + 1.0, kTileLift}};
}

// The tile's quads under the modelview moved to its cell centre, as immediate mode moves it.
void DrawTile(const std::array<std::uint8_t, 2>& cell, std::int32_t first) {
    glPushMatrix();
    glTranslatef(cell[0] + 0.5f, cell[1] + 0.5f, kTileLift);
    glDrawArrays(GL_QUADS, first, kTileVertexCount);
    glPopMatrix();
}

TBox BlockBox(int block) {
    const double x = (block % kBlocksPerSide) * kBlockSide;
    const double y = (block / kBlocksPerSide) * kBlockSide;
    return {{x, y, kTileLift}, {x + kBlockSide, y + kBlockSide, kTileLift}};
}

}  // namespace

int TileBlockOf(std::uint8_t x, std::uint8_t y) {
    return (y / kBlockSide) * kBlocksPerSide + x / kBlockSide;
}

void TTileGeometry::Update(const std::vector<TSurfaceTile>& tiles, const TKindCatalogues& kinds) {
    std::bitset<kBlockCount> dirty;
    if (!m_valid) {
        dirty.set();
    } else {
        const std::size_t common = std::min(tiles.size(), m_drawn.size());
        for (std::size_t i = 0; i < common; ++i) {
            if (!(tiles[i] == m_drawn[i])) {
                dirty.set(TileBlockOf(tiles[i].X, tiles[i].Y));
                dirty.set(TileBlockOf(m_drawn[i].X, m_drawn[i].Y));
            }
        }
        for (std::size_t i = common; i < tiles.size(); ++i) {
            dirty.set(TileBlockOf(tiles[i].X, tiles[i].Y));
        }
        for (std::size_t i = common; i < m_drawn.size(); ++i) {
            dirty.set(TileBlockOf(m_drawn[i].X, m_drawn[i].Y));
        }
    }
    if (dirty.none()) {
        return;
    }
    std::array<std::vector<std::uint32_t>, kBlockCount> indices;
    for (std::uint32_t i = 0; i < tiles.size(); ++i) {
        const int block = TileBlockOf(tiles[i].X, tiles[i].Y);
        if (dirty.test(block)) {
            indices[block].push_back(i);
        }
    }
    for (int block = 0; block < kBlockCount; ++block) {
        if (dirty.test(block)) {
            Rebuild(m_blocks[block], tiles, indices[block], kinds);
        }
    }
    m_drawn = tiles;
    m_valid = true;
}

void TTileGeometry::Rebuild(Block& block, const std::vector<TSurfaceTile>& tiles,
                            const std::vector<std::uint32_t>& indices, const TKindCatalogues& kinds) {
    // Each tile's stacking level on its cell, in array order.
    std::array<std::uint32_t, kBlockSide * kBlockSide> onCell{};
    struct Entry {
        std::uint32_t Level;
        std::uint32_t Texture;
        std::uint32_t Index;
    };
    std::vector<Entry> entries;
    entries.reserve(indices.size());
    for (std::uint32_t index : indices) {
        const TSurfaceTile& tile = tiles[index];
        const int cell = (tile.Y % kBlockSide) * kBlockSide + tile.X % kBlockSide;
        entries.push_back({onCell[cell]++, static_cast<std::uint32_t>(kinds.FindSurfaceTexture(tile.Kind)), index});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.Level != b.Level ? a.Level < b.Level : a.Texture < b.Texture;
    });
    block.Vertices.clear();
    block.Cells.clear();
    block.Groups.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i == 0 || entries[i].Level != entries[i - 1].Level || entries[i].Texture != entries[i - 1].Texture) {
            block.Groups.push_back({entries[i].Texture, static_cast<std::int32_t>(block.Vertices.size()), 0});
        }
        const TSurfaceTile& tile = tiles[entries[i].Index];
        AppendTile(block.Vertices, tile);
        block.Cells.push_back({tile.X, tile.Y});
        block.Groups.back().Count += kTileVertexCount;
    }
}

void TTileGeometry::Draw(const TFrustum& frustum) const {
    glNormal3f(0, 0, 1);
    for (int index = 0; index < kBlockCount; ++index) {
        const Block& block = m_blocks[index];
        const TFrustumSide side = block.Groups.empty() ? TFrustumSide::Outside : frustum.Classify(BlockBox(index));
        if (side == TFrustumSide::Outside) {
            continue;
        }
        glInterleavedArrays(GL_T2F_C4UB_V3F, 0, block.Vertices.data());
        for (const Group& group : block.Groups) {
            glBindTexture(GL_TEXTURE_2D, group.Texture);
            for (std::int32_t first = group.First; first < group.First + group.Count; first += kTileVertexCount) {
                const auto& cell = block.Cells[static_cast<std::size_t>(first / kTileVertexCount)];
                if (side == TFrustumSide::Inside || frustum.MayShow(CellBox(cell))) {
                    DrawTile(cell, first);
                }
            }
        }
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace editor
