#include "editor/data/map_check.h"

#include "editor/data/cell_rect.h"
#include "editor/data/map_records.h"
#include "platform/binary_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <tuple>

namespace editor {
namespace {

struct LayerWords {
    const char* One;
    const char* Many;
    const char* Kinds;  // what the layer's catalogue lists
};

// Indexed by TMapLayer.
constexpr std::array<LayerWords, 5> kWords = {{
    {"header", "", "base surfaces"},
    {"tile", "tiles", "surfaces"},
    {"ground object", "ground objects", "ground kinds"},
    {"special object", "special objects", "special kinds (Script and the list)"},
    {"air object", "air objects", "air kinds"},
}};

const LayerWords& Words(TMapLayer layer) {
    return kWords[static_cast<std::size_t>(layer)];
}

std::string Named(TMapLayer layer, std::size_t index) {
    return std::string(Words(layer).One) + " " + std::to_string(index);
}

std::string Numbers(std::int64_t count, const char* things) {
    return std::to_string(count) + " " + things;
}

bool BeyondCatalogue(std::int64_t kind, const std::optional<std::size_t>& size) {
    return size && (kind < 0 || static_cast<std::uint64_t>(kind) >= *size);
}

std::string BeyondMessage(std::int64_t kind, TMapLayer layer, std::size_t catalogueSize) {
    return std::to_string(kind) + " is beyond the catalogue's " + Numbers(static_cast<std::int64_t>(catalogueSize),
                                                                          Words(layer).Kinds);
}

int WholeTurnAngle(std::int32_t angle) {
    return (angle % 360 + 360) % 360;
}

// What makes two objects of a layer one and the same on the map.
auto SameObjectKey(const TGroundObject& o) {
    return std::tuple(o.Kind, WholeTurnAngle(o.Angle), o.X, o.Y, o.Length, o.Width, o.Height);
}
auto SameObjectKey(const TSpecialObject& o) {
    return std::tuple(o.Kind, o.X, o.Y, o.Param.Text());
}
auto SameObjectKey(const TAirObject& o) {
    return std::tuple(o.Kind, WholeTurnAngle(o.Angle), o.Level, o.X, o.Y, o.Length, o.Width, o.Height);
}

template <typename Record>
TMapProblem ProblemOf(const Record& record, std::size_t index, TMapLayer layer, TProblem problem,
                      const std::string& message) {
    return {problem, layer, static_cast<int>(index), record.X, record.Y, Named(layer, index) + ": " + message};
}

template <typename Record>
void CheckLayer(const std::vector<Record>& records, TMapLayer layer, const TMapHeader& header,
                const std::optional<std::size_t>& kinds, std::vector<TMapProblem>& problems) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& record = records[i];
        if (!InMap(header, record.X, record.Y)) {
            problems.push_back(ProblemOf(record, i, layer, TProblem::Outside,
                                         "(" + std::to_string(record.X) + ", " + std::to_string(record.Y) +
                                             ") is off the " + std::to_string(header.SizeX) + " x " +
                                             std::to_string(header.SizeY) + " map"));
        }
        if (BeyondCatalogue(record.Kind, kinds)) {
            problems.push_back(
                ProblemOf(record, i, layer, TProblem::Kind, "kind " + BeyondMessage(record.Kind, layer, *kinds)));
        }
    }
}

// CheckLayer, and each object that repeats an earlier one; a record's problems stay together.
// Tiles are never duplicates: stacking them is what the surface tool does.
template <typename Record>
void CheckObjectLayer(const std::vector<Record>& records, TMapLayer layer, const TMapHeader& header,
                      const std::optional<std::size_t>& kinds, std::vector<TMapProblem>& problems) {
    const std::size_t first = problems.size();
    CheckLayer(records, layer, header, kinds, problems);
    std::map<decltype(SameObjectKey(records.front())), std::size_t> firstOfKey;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto [earlier, isNew] = firstOfKey.emplace(SameObjectKey(records[i]), i);
        if (!isNew) {
            problems.push_back(
                ProblemOf(records[i], i, layer, TProblem::Duplicate, "repeats " + Named(layer, earlier->second)));
        }
    }
    std::stable_sort(problems.begin() + static_cast<std::ptrdiff_t>(first), problems.end(),
                     [](const TMapProblem& a, const TMapProblem& b) { return a.Index < b.Index; });
}

struct CountField {
    TMapLayer Layer;
    std::size_t Offset;
    std::size_t RecordSize;
};

constexpr std::array<CountField, 4> kCountFields = {{
    {TMapLayer::Tiles, offsetof(TMapHeader, TileCount), map_layout::kTileSize},
    {TMapLayer::Ground, offsetof(TMapHeader, GroundCount), map_layout::kGroundSize},
    {TMapLayer::Special, offsetof(TMapHeader, SpecialCount), map_layout::kSpecialSize},
    {TMapLayer::Air, offsetof(TMapHeader, AirCount), map_layout::kAirSize},
}};

void PutI32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}

// Sets each count in the bytes to the records the file holds in full, and tells where the
// header said otherwise. Once a layer is cut short the later layers hold nothing.
std::vector<TMapProblem> HoldCountsToTheRecords(std::vector<std::uint8_t>& bytes) {
    std::vector<TMapProblem> problems;
    platform::BinaryReader header(bytes);
    std::size_t remaining = bytes.size() - map_layout::kHeaderSize;
    bool cut = false;
    for (const CountField& field : kCountFields) {
        header.Seek(field.Offset);
        const std::int32_t counted = header.I32();
        const std::size_t wanted = counted < 0 ? 0 : static_cast<std::size_t>(counted);
        const std::size_t held = cut ? 0 : std::min(wanted, remaining / field.RecordSize);
        remaining -= held * field.RecordSize;
        cut = cut || held < wanted;
        if (static_cast<std::int64_t>(held) != counted) {
            problems.push_back({TProblem::Header, field.Layer, counted < 0 ? -1 : static_cast<int>(held), -1, -1,
                                "header: counts " + Numbers(counted, Words(field.Layer).Many) +
                                    ", the file holds " + std::to_string(held)});
        }
        PutI32(bytes, field.Offset, static_cast<std::int32_t>(held));
    }
    if (!cut && remaining > 0) {
        problems.push_back({TProblem::Header, TMapLayer::Header, -1, -1, -1,
                            "header: " + Numbers(static_cast<std::int64_t>(remaining), "bytes") +
                                " follow the last record it counts"});
    }
    return problems;
}

}  // namespace

const char* ProblemName(TProblem problem) {
    switch (problem) {
    case TProblem::Outside: return "outside";
    case TProblem::Kind: return "kind";
    case TProblem::Duplicate: return "duplicate";
    case TProblem::Header: return "header";
    }
    return "";
}

const char* LayerName(TMapLayer layer) {
    switch (layer) {
    case TMapLayer::Header: return "header";
    case TMapLayer::Tiles: return "tiles";
    case TMapLayer::Ground: return "ground";
    case TMapLayer::Special: return "special";
    case TMapLayer::Air: return "air";
    }
    return "";
}

std::vector<TMapProblem> CheckMap(const TMapData& map, const TCatalogueSizes& catalogues) {
    std::vector<TMapProblem> problems;
    const TMapHeader& header = map.Header;
    if (BeyondCatalogue(header.Surface, catalogues.BaseSurfaces)) {
        problems.push_back({TProblem::Kind, TMapLayer::Header, -1, -1, -1,
                            "header: base surface " +
                                BeyondMessage(header.Surface, TMapLayer::Header, *catalogues.BaseSurfaces)});
    }
    CheckLayer(map.Tiles, TMapLayer::Tiles, header, catalogues.Surfaces, problems);
    CheckObjectLayer(map.Ground, TMapLayer::Ground, header, catalogues.Ground, problems);
    CheckObjectLayer(map.Specials, TMapLayer::Special, header, catalogues.Specials, problems);
    CheckObjectLayer(map.Air, TMapLayer::Air, header, catalogues.Air, problems);
    return problems;
}

std::optional<std::vector<TMapProblem>> CheckMapFile(std::span<const std::uint8_t> bytes,
                                                     const TCatalogueSizes& catalogues) {
    std::vector<std::uint8_t> held(bytes.begin(), bytes.end());
    std::vector<TMapProblem> problems;
    if (held.size() >= map_layout::kHeaderSize) {
        problems = HoldCountsToTheRecords(held);
    }
    const std::optional<TMapData> map = DecodeMap(held);
    if (!map) {
        return std::nullopt;
    }
    std::vector<TMapProblem> recordProblems = CheckMap(*map, catalogues);
    problems.insert(problems.end(), recordProblems.begin(), recordProblems.end());
    return problems;
}

}  // namespace editor
