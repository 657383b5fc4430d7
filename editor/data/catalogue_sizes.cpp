#include "editor/data/catalogue_sizes.h"

#include "editor/data/catalogue_files.h"
#include "editor/data/package.h"

#include <string>
#include <vector>

namespace editor {
namespace {

using namespace catalogue_files;

template <typename ReadLines>
std::optional<std::size_t> CountLines(const ReadLines& read) {
    try {
        return read().size();
    } catch (const CatalogueError&) {
        return std::nullopt;
    } catch (const PackageError&) {
        return std::nullopt;
    }
}

}  // namespace

TCatalogueSizes ReadCatalogueSizes(const std::filesystem::path& folder) {
    const auto textFile = [&](const char* name) {
        return CountLines([&] { return ReadCatalogueFile(InDataFolder(folder, name)); });
    };
    const auto objectKinds = [&](const char* listName) -> std::optional<std::size_t> {
        const auto lines = CountLines([&] { return ReadObjectList(InDataFolder(folder, kObjects), listName); });
        return lines ? std::optional(*lines / 2) : std::nullopt;
    };
    TCatalogueSizes sizes;
    sizes.BaseSurfaces = textFile(kBaseSurfaces);
    sizes.Surfaces = textFile(kSurfaces);
    sizes.Ground = objectKinds(kGroundList);
    sizes.Air = objectKinds(kAirList);
    const auto specialLines = textFile(kSpecials);
    sizes.Specials = specialLines ? std::optional(*specialLines + 1) : std::nullopt;
    return sizes;
}

}  // namespace editor
