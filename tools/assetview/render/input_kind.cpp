#include "tools/assetview/render/input_kind.h"

#include "engine/mesh/vector_file.h"

#include <algorithm>
#include <cctype>

namespace tools {

std::string LowerExtension(const std::string& path) {
    std::string extension = engine::FileExtension(path);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool IsPictureFile(const std::string& path) {
    const std::string extension = LowerExtension(path);
    return extension == "jpg" || extension == "jpeg" || extension == "bmp" || extension == "dds" || extension == "tga";
}

bool IsMapFile(const std::string& path) {
    return LowerExtension(path) == "map";
}

}  // namespace tools
