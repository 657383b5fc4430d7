#pragma once

#include "editor/data/catalogue_sizes.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

// assetinfo --check: the problems of map files, one JSON object each.
namespace tools {

// The sizes of the editor's catalogues in the folder (its System/ and Data/), read without a word
// about those that are missing: their kinds then go unchecked.
editor::TCatalogueSizes QuietlyReadCatalogueSizes(const std::filesystem::path& folder);

// One object per problem of the map file, {"file", "problem", "layer", "index", "x", "y",
// "message"} with null where no record or cell is meant; none for a map without any. A file that is no
// map gives the one object {"file", "error"}.
std::vector<nlohmann::json> CheckMapFileLines(const std::string& path, const editor::TCatalogueSizes& catalogues);

}  // namespace tools
