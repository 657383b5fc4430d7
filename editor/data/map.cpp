#include "editor/data/map.h"

#include "platform/paths.h"
#include "platform/random.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

namespace editor {
namespace {

// One bit per cell for each kind present: a neighbour lookup is a bit test instead of a walk over
// all tiles, which keeps a blend update linear in the number of tiles. Only kinds that occur get
// a 256 x 256 bit plane, so a small map stays cheap to index.
class TileIndex {
public:
    explicit TileIndex(std::span<const TSurfaceTile> tiles) {
        m_plane.fill(-1);
        int planes = 0;
        for (const TSurfaceTile& tile : tiles) {
            if (m_plane[tile.Kind] < 0) {
                m_plane[tile.Kind] = planes++;
            }
        }
        m_bits.assign(static_cast<std::size_t>(planes) * kWordsPerPlane, 0);
        for (const TSurfaceTile& tile : tiles) {
            const std::size_t bit = Bit(m_plane[tile.Kind], tile.X, tile.Y);
            m_bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
    }

    bool Has(std::uint8_t kind, std::uint8_t x, std::uint8_t y) const {
        if (m_plane[kind] < 0) {
            return false;
        }
        const std::size_t bit = Bit(m_plane[kind], x, y);
        return (m_bits[bit / 64] >> (bit % 64)) & 1;
    }

private:
    static constexpr std::size_t kWordsPerPlane = 256 * 256 / 64;
    static std::size_t Bit(int plane, std::uint8_t x, std::uint8_t y) {
        return static_cast<std::size_t>(plane) * 65536 + std::size_t{x} * 256 + y;
    }

    std::array<int, 256> m_plane;
    std::vector<std::uint64_t> m_bits;
};

struct Offset {
    int dx;
    int dy;
};

// The cells that must hold the same kind for each Blend vertex, in Blend order.
const std::array<std::vector<Offset>, 8> kBlendNeighbours = {{
    {{-1, -1}, {-1, 0}, {0, -1}},  // lower-left corner
    {{0, -1}},                     // middle of the bottom edge
    {{1, -1}, {0, -1}, {1, 0}},    // lower-right corner
    {{-1, 0}},                     // middle of the left edge
    {{1, 0}},                      // middle of the right edge
    {{-1, 1}, {0, 1}, {-1, 0}},    // upper-left corner
    {{0, 1}},                      // middle of the top edge
    {{1, 1}, {0, 1}, {1, 0}},      // upper-right corner
}};

template <typename Record>
void Append(std::vector<Record>& records, std::int32_t& count, const Record& record) {
    records.push_back(record);
    count = static_cast<std::int32_t>(records.size());
}

// Removes the first record anchored at the cell by moving the last one into its place.
template <typename Record>
bool RemoveFirstAt(std::vector<Record>& records, std::int32_t& count, std::uint8_t x, std::uint8_t y) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].X == x && records[i].Y == y) {
            records[i] = records.back();
            records.pop_back();
            count = static_cast<std::int32_t>(records.size());
            return true;
        }
    }
    return false;
}

template <typename Record>
bool RemoveAnchoredIn(std::vector<Record>& records, std::int32_t& count, const TCellRect& rect) {
    const std::size_t removed =
        std::erase_if(records, [&](const Record& record) { return rect.Contains(record.X, record.Y); });
    count = static_cast<std::int32_t>(records.size());
    return removed > 0;
}

}  // namespace

TMap::TMap() {
    Reset();
}

void TMap::Reset() {
    TMapData data;
    const char first = static_cast<char>('0' + platform::Random(9));
    const char second = static_cast<char>('0' + platform::Random(9));
    data.Header.Version.Assign(std::string("v1_") + first + second);
    data.Header.SizeX = map_defaults::kNewMapSize;
    data.Header.SizeY = map_defaults::kNewMapSize;
    m_data = std::move(data);
    m_blendCurrent = true;
}

void TMap::NewMap() {
    if (OnNewMap) {
        OnNewMap();
    }
    Reset();
}

bool TMap::LoadMap(const std::string& fileName) {
    if (!platform::FileExists(fileName)) {
        return false;
    }
    std::optional<TMapData> loaded;
    try {
        loaded = DecodeMap(platform::ReadWholeFile(fileName));
    } catch (const platform::FileError& error) {
        throw MapFileError(error.what());
    }
    if (!loaded) {
        return false;
    }
    m_data = std::move(*loaded);
    m_blendCurrent = false;
    return true;
}

void TMap::SaveMap(const std::string& fileName) const {
    try {
        platform::WriteFileAtomically(fileName, EncodeMap(m_data));
    } catch (const platform::FileError& error) {
        throw MapFileError(error.what());
    }
}

void TMap::Assign(TMapData data) {
    data.Header.TileCount = static_cast<std::int32_t>(data.Tiles.size());
    data.Header.GroundCount = static_cast<std::int32_t>(data.Ground.size());
    data.Header.SpecialCount = static_cast<std::int32_t>(data.Specials.size());
    data.Header.AirCount = static_cast<std::int32_t>(data.Air.size());
    m_data = std::move(data);
    m_blendCurrent = false;
}

void TMap::SetSize(std::uint8_t sizeX, std::uint8_t sizeY) {
    m_data.Header.SizeX = sizeX;
    m_data.Header.SizeY = sizeY;
}

void TMap::SetSurface(std::uint8_t surface) {
    m_data.Header.Surface = surface;
}

bool TMap::FindTile(std::uint8_t kind, std::uint8_t x, std::uint8_t y) const {
    for (const TSurfaceTile& tile : m_data.Tiles) {
        if (tile.Kind == kind && tile.X == x && tile.Y == y) {
            return true;
        }
    }
    return false;
}

const TSurfaceTile* TMap::TopTileAt(std::uint8_t x, std::uint8_t y) const {
    for (auto tile = m_data.Tiles.rbegin(); tile != m_data.Tiles.rend(); ++tile) {
        if (tile->X == x && tile->Y == y) {
            return &*tile;
        }
    }
    return nullptr;
}

namespace {

// Sets each Blend vertex of the tile from whether its neighbour cells hold its kind.
template <typename HasTile>
void SetBlend(TSurfaceTile& tile, const HasTile& has) {
    for (std::size_t vertex = 0; vertex < kBlendNeighbours.size(); ++vertex) {
        bool covered = true;
        for (const Offset& offset : kBlendNeighbours[vertex]) {
            covered = covered && has(tile.Kind, static_cast<std::uint8_t>(tile.X + offset.dx),
                                     static_cast<std::uint8_t>(tile.Y + offset.dy));
        }
        tile.Blend[vertex] = covered ? map_layout::kOpaque : 0;
    }
}

// How far the cell lies from the origin along one axis, wrapping as the neighbours do.
int WrappedOffset(std::uint8_t origin, std::uint8_t cell) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(cell - origin));
}

}  // namespace

void TMap::UpdateTileBlend() {
    const TileIndex index(m_data.Tiles);
    for (TSurfaceTile& tile : m_data.Tiles) {
        SetBlend(tile, [&](std::uint8_t kind, std::uint8_t x, std::uint8_t y) { return index.Has(kind, x, y); });
    }
    m_blendCurrent = true;
}

void TMap::UpdateTileBlendAround(std::uint8_t x, std::uint8_t y) {
    if (!m_blendCurrent) {
        UpdateTileBlend();
        return;
    }
    // Only the tiles touching the cell see it as a neighbour; their own neighbours lie within two.
    std::vector<TSurfaceTile> near;
    std::vector<TSurfaceTile*> touching;
    for (TSurfaceTile& tile : m_data.Tiles) {
        const int dx = std::abs(WrappedOffset(x, tile.X));
        const int dy = std::abs(WrappedOffset(y, tile.Y));
        if (dx <= 2 && dy <= 2) {
            near.push_back(tile);
            if (dx <= 1 && dy <= 1) {
                touching.push_back(&tile);
            }
        }
    }
    const auto has = [&](std::uint8_t kind, std::uint8_t cellX, std::uint8_t cellY) {
        return std::any_of(near.begin(), near.end(), [&](const TSurfaceTile& tile) {
            return tile.Kind == kind && tile.X == cellX && tile.Y == cellY;
        });
    };
    for (TSurfaceTile* tile : touching) {
        SetBlend(*tile, has);
    }
}

void TMap::AddTile(std::uint8_t kind, std::uint8_t x, std::uint8_t y) {
    TSurfaceTile tile;
    tile.Kind = kind;
    tile.X = x;
    tile.Y = y;
    Append(m_data.Tiles, m_data.Header.TileCount, tile);
    UpdateTileBlendAround(x, y);
}

void TMap::AddTiles(std::span<const TSurfaceTile> tiles) {
    if (tiles.empty()) {
        return;
    }
    for (const TSurfaceTile& added : tiles) {
        TSurfaceTile tile;
        tile.Kind = added.Kind;
        tile.X = added.X;
        tile.Y = added.Y;
        Append(m_data.Tiles, m_data.Header.TileCount, tile);
    }
    UpdateTileBlend();
}

void TMap::AddGroundObject(const TGroundObject& object) {
    Append(m_data.Ground, m_data.Header.GroundCount, object);
}

void TMap::AddSpecialObject(const TSpecialObject& object) {
    Append(m_data.Specials, m_data.Header.SpecialCount, object);
}

void TMap::AddAirObject(const TAirObject& object) {
    Append(m_data.Air, m_data.Header.AirCount, object);
}

void TMap::DeleteTileAt(std::uint8_t x, std::uint8_t y) {
    if (RemoveFirstAt(m_data.Tiles, m_data.Header.TileCount, x, y)) {
        UpdateTileBlendAround(x, y);
    }
}

void TMap::DeleteGroundAt(std::uint8_t x, std::uint8_t y) {
    RemoveFirstAt(m_data.Ground, m_data.Header.GroundCount, x, y);
}

void TMap::DeleteSpecialAt(std::uint8_t x, std::uint8_t y) {
    RemoveFirstAt(m_data.Specials, m_data.Header.SpecialCount, x, y);
}

void TMap::DeleteAirAt(std::uint8_t x, std::uint8_t y) {
    RemoveFirstAt(m_data.Air, m_data.Header.AirCount, x, y);
}

void TMap::DeleteAnchoredIn(const TCellRect& rect) {
    const bool tilesWent = RemoveAnchoredIn(m_data.Tiles, m_data.Header.TileCount, rect);
    RemoveAnchoredIn(m_data.Ground, m_data.Header.GroundCount, rect);
    RemoveAnchoredIn(m_data.Specials, m_data.Header.SpecialCount, rect);
    RemoveAnchoredIn(m_data.Air, m_data.Header.AirCount, rect);
    if (tilesWent) {
        UpdateTileBlend();
    }
}

}  // namespace editor
