#include "editor/data/catalogue_files.h"

#include "editor/data/package.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"

#include <cstdint>
#include <string_view>

namespace editor {
namespace {

std::vector<std::string> DecodeLines(const std::vector<std::uint8_t>& bytes) {
    return platform::DecodeCatalogueText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

std::string InDataFolder(const std::filesystem::path& folder, std::string_view name) {
    return folder.empty() ? std::string(name) : folder.string() + "/" + std::string(name);
}

std::vector<std::string> ReadCatalogueFile(const std::string& path) {
    try {
        return DecodeLines(platform::ReadWholeFile(path));
    } catch (const platform::FileError& error) {
        throw CatalogueError(error.what());
    }
}

std::vector<std::string> ReadObjectList(const std::string& package, const std::string& listName) {
    const auto record = ExtractRecord(package, listName);
    if (!record) {
        throw CatalogueError("No " + listName + " in " + package);
    }
    return DecodeLines(*record);
}

}  // namespace editor
