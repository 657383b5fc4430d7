#pragma once

#include "editor/data/map_check.h"
#include "editor/data/map_file.h"

#include <string>

namespace editor {

// The problem as the editor's list says it, in Russian: which record, where it lies and what is
// wrong, with the kind or the map's size read from the map the problem was found in.
std::string ProblemText(const TMapProblem& problem, const TMapData& map);

}  // namespace editor
