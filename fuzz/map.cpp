// The .map reader over any bytes, and the round trip of what it reads: a map read is saved as the
// editor saves it and read again, and must come back record for record, byte for byte. The map
// checker reads the same bytes: it refuses what the reader refuses by its version mark, and on a
// file the reader takes whole it finds what it finds in the map read.
#include "editor/data/map_check.h"
#include "editor/data/map_file.h"
#include "fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

template <typename Record>
bool SameRecords(const std::vector<Record>& a, const std::vector<Record>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(Record)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<std::vector<editor::TMapProblem>> problems;
    try {
        problems = editor::CheckMapFile({data, size});
    } catch (const editor::MapFileError&) {
        fuzz::Require(size < editor::map_layout::kHeaderSize, "the checker refuses a whole header");
        return 0;
    }
    std::optional<editor::TMapData> map;
    try {
        map = editor::DecodeMap({data, size});
    } catch (const editor::MapFileError&) {
        return 0;
    }
    fuzz::Require(map.has_value() == problems.has_value(), "the checker and the reader disagree on the version");
    if (!map) {
        return 0;
    }
    if (editor::EncodeMap(*map).size() == size) {
        fuzz::Require(*problems == editor::CheckMap(*map), "the checker finds more in the file than in its map");
    }
    const std::vector<std::uint8_t> saved = editor::EncodeMap(*map);
    std::optional<editor::TMapData> again;
    try {
        again = editor::DecodeMap(saved);
    } catch (const editor::MapFileError&) {
        fuzz::Require(false, "a saved map does not read again");
    }
    fuzz::Require(again.has_value(), "a saved map is refused by its version mark");
    fuzz::Require(std::memcmp(&map->Header, &again->Header, sizeof map->Header) == 0, "the header changed");
    fuzz::Require(SameRecords(map->Tiles, again->Tiles) && SameRecords(map->Ground, again->Ground) &&
                      SameRecords(map->Specials, again->Specials) && SameRecords(map->Air, again->Air),
                  "the records changed");
    return 0;
}
