#pragma once

#include <span>
#include <string>
#include <vector>

namespace tools {

// A catalogue text file: the lines in UTF-8, each ended by CR LF, no byte-order mark. Throws
// std::invalid_argument for a line that is not valid UTF-8 or holds a line break, since the
// editor would read it as something else.
std::string CatalogueText(std::span<const std::string> lines);

}  // namespace tools
