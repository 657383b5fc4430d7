// The .map reader over any bytes, and the round trip of what it reads: a map read is saved as the
// editor saves it and read again, and must come back record for record, byte for byte.
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
    std::optional<editor::TMapData> map;
    try {
        map = editor::DecodeMap({data, size});
    } catch (const editor::MapFileError&) {
        return 0;
    }
    if (!map) {
        return 0;
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
