#pragma once

#include "editor/data/map_file.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace editor {

// A map file the editor will not open; the message is the reason, in the mapper's words.
class MapOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The map in the file, checked as far as the editor needs to show and edit it: it exists, can be
// read, is a map of version 1, holds every record its header announces and names a base surface
// of the catalogue. Throws MapOpenError; nothing is changed either way.
TMapData ReadMapFile(const std::string& fileName, std::size_t baseSurfaceCount);

// The error box's text for a map that did not open.
std::string OpenFailureMessage(const std::string& fileName, const std::string& reason);

}  // namespace editor
