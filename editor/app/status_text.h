#pragma once

#include "editor/data/map_file.h"
#include "editor/document/tool_settings.h"

#include <string>

namespace editor {

// The status bar's line: the cell under the cursor, the map's size, the record counts and the
// file name, with "*" while the map differs from the file.
std::string StatusText(const TMapData& map, int cursorX, int cursorY, const std::string& fileName, bool modified);

// What the active block tool does and how it is used; empty for the tools that place one record a click.
std::string ToolHint(const TToolSettings& tools, bool pasting);

}  // namespace editor
