#pragma once

#include "editor/data/catalogue_sizes.h"
#include "editor/data/map_file.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Finding what is wrong with a map: what the editor would not draw, could not load or would never
// have made. Objects reaching past the map's edge and tiles stacked on a cell are not problems:
// the editor's own tools make them.
namespace editor {

enum class TProblem {
    Outside,    // a record whose anchor cell is off the map
    Kind,       // a kind the catalogues do not have, so nothing draws it
    Duplicate,  // an object that repeats an earlier one of its layer exactly
    Header,     // the header's counts disagree with the records the file holds
};

enum class TMapLayer { Header, Tiles, Ground, Special, Air };

struct TMapProblem {
    TProblem Problem = TProblem::Outside;
    TMapLayer Layer = TMapLayer::Header;
    int Index = -1;  // the record's index in its layer; -1 where no record is meant
    int X = -1;      // the record's anchor cell; -1 where no record is meant
    int Y = -1;
    std::string Message;

    bool operator==(const TMapProblem&) const = default;
};

// The names the problems and layers go by in the tools' output: "outside", "kind", "duplicate",
// "header"; "header", "tiles", "ground", "special", "air".
const char* ProblemName(TProblem problem);
const char* LayerName(TMapLayer layer);

// The problems of a map in memory, layer by layer in record order: records off the map, kinds
// beyond the catalogues whose sizes are known (the base surface in the header too), and objects
// equal to an earlier one of their layer in kind, cell, extent, height, angle (in whole turns) and,
// in the air, level.
std::vector<TMapProblem> CheckMap(const TMapData& map, const TCatalogueSizes& catalogues = {});

// The problems of a map file: first the header's counts that the bytes after it disagree with (a
// record cut short or missing, a negative count, bytes after the last counted record), then those
// of CheckMap on every record the file holds in full. Nothing when the version mark is not "1";
// MapFileError "Read beyond end of file" when the bytes are shorter than a header.
std::optional<std::vector<TMapProblem>> CheckMapFile(std::span<const std::uint8_t> bytes,
                                                     const TCatalogueSizes& catalogues = {});

}  // namespace editor
