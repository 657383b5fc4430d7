#pragma once

#include "editor/data/map_records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace editor {

// A map file that cannot be read or written; the message is what the editor's error box shows.
class MapFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Everything a .map file holds. The header's counts equal the arrays' lengths.
struct TMapData {
    TMapHeader Header;
    std::vector<TSurfaceTile> Tiles;
    std::vector<TGroundObject> Ground;
    std::vector<TSpecialObject> Specials;
    std::vector<TAirObject> Air;
};

// The file's bytes: the header as it stands, then tiles, ground, special and air records.
std::vector<std::uint8_t> EncodeMap(const TMapData& map);

// The map in the bytes, or nothing when the version mark is not "1". Throws MapFileError "Read
// beyond end of file" when the bytes are shorter than the header or than its counts announce, and
// for a negative count; nothing is allocated before the counts have been checked against the size.
// Bytes after the last record are ignored.
std::optional<TMapData> DecodeMap(std::span<const std::uint8_t> bytes);

}  // namespace editor
