#include "engine/mesh/vector_file.h"

#include "engine/mesh/mesh_errors.h"

#include <algorithm>
#include <cctype>

namespace engine {

namespace {

std::vector<TVectorFileFormat>& Registry() {
    static std::vector<TVectorFileFormat> formats;
    return formats;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

std::string FileExtension(const std::string& fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t separator = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return "";
    }
    return fileName.substr(dot + 1);
}

void RegisterMeshFormat(const std::string& extension, const std::string& description, TVectorFileClass fileClass) {
    std::string stored = Lower(extension);
    if (!stored.empty() && stored.front() == '.') {
        stored.erase(0, 1);
    }
    Registry().push_back(TVectorFileFormat{stored, description, 0, std::move(fileClass)});
}

const std::vector<TVectorFileFormat>& RegisteredMeshFormats() {
    return Registry();
}

const TVectorFileClass& FormatForFile(const std::string& fileName) {
    const std::string extension = Lower(FileExtension(fileName));
    const auto& formats = Registry();
    for (auto it = formats.rbegin(); it != formats.rend(); ++it) {
        if (it->Extension == extension) {
            return it->VectorFileClass;
        }
    }
    throw EInvalidVectorFile("Unknown file extension (" + extension +
                             "), maybe you forgot to add the support unit to your uses? (GLFile" + Upper(extension) +
                             "?)");
}

}  // namespace engine
