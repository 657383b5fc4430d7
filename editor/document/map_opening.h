#pragma once

#include "editor/data/map_file.h"

#include <stdexcept>
#include <string>

namespace editor {

// A map file the editor will not open; the message is the reason, in the mapper's words.
class MapOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The map in the file of exactly that name (a caller that wants the case-insensitive look-up
// resolves the name first), checked as far as the editor needs to show and edit it: it exists, can
// be read, is a map of version 1 and holds every record its header announces. A base surface the
// catalogue lacks is no reason to refuse it. Throws MapOpenError; nothing is changed either way.
TMapData ReadMapFile(const std::string& path);

// The error box's text for a map that did not open.
std::string OpenFailureMessage(const std::string& fileName, const std::string& reason);

}  // namespace editor
