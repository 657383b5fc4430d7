#pragma once

#include <string>

// What assetview makes of its input is told by the file's extension, in any case.
namespace tools {

// The extension without its dot, in lower case ("" when there is none).
std::string LowerExtension(const std::string& path);

// One of the picture formats the engine reads: decoded, not rendered.
bool IsPictureFile(const std::string& path);

// An editor map: drawn from above with the editor's data.
bool IsMapFile(const std::string& path);

}  // namespace tools
