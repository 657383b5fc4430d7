#include "editor/app/catalogue_loader.h"

#include "editor/app/draw3d.h"
#include "editor/data/mesh_table.h"
#include "editor/data/package.h"
#include "editor/data/texture_loader.h"
#include "editor/document/editor_texts.h"
#include "platform/paths.h"

#include <filesystem>
#include <string_view>

namespace editor {
namespace {

using namespace catalogue_files;

constexpr std::size_t kExtensionLength = 4;

std::uint32_t LoadKindTexture(const std::string& package, const std::string& record) {
    std::uint32_t texture = 0;
    LoadTexture(package, record, texture, 0, colours::kMiddleGrey);
    return texture;
}

// The mesh goes through a temporary file, which is removed whether or not it loads.
int LoadObjectMesh(const std::string& package, const std::string& record) {
    struct RemoveTemporary {
        ~RemoveTemporary() {
            std::error_code ignored;
            std::filesystem::remove(platform::ResolvePath(kTemporaryMesh), ignored);
        }
    } removeTemporary;
    ExtractRecordToFile(package, record, kTemporaryMesh);
    return LoadMesh(kTemporaryMesh);
}

// Pairs of lines: mesh record, texture record. An odd last line is listed but has no kind.
std::vector<std::string> LoadObjectList(const std::string& package, const char* listName,
                                        std::vector<TKindEntry>& kinds) {
    const std::vector<std::string> lines = ReadObjectList(package, listName);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        names.push_back(ObjectDisplayName(lines[i]));
    }
    kinds.clear();
    for (std::size_t k = 0; k < lines.size() / 2; ++k) {
        TKindEntry entry;
        entry.Id = static_cast<std::int32_t>(k);
        entry.Texture = static_cast<std::int32_t>(LoadKindTexture(package, lines[2 * k + 1]));
        entry.Mesh = LoadObjectMesh(package, lines[2 * k]);
        kinds.push_back(entry);
    }
    return names;
}

}  // namespace

std::string ObjectDisplayName(std::string_view meshName) {
    // Characters, not bytes: a name may be Cyrillic.
    std::size_t end = meshName.size();
    for (std::size_t dropped = 0; dropped < kExtensionLength && end > 0; ++dropped) {
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(meshName[end]) & 0xC0) == 0x80);
    }
    return std::string(meshName.substr(0, end));
}

void LoadBaseTexture(const std::filesystem::path& dataFolder, const std::vector<std::string>& baseSurfaces,
                     std::uint8_t surface, std::uint32_t& baseTexture) {
    if (surface >= baseSurfaces.size()) {
        throw CatalogueError("Base surface " + std::to_string(surface) + " is not in " + kBaseSurfaces);
    }
    LoadTexture(InDataFolder(dataFolder, kTextures), baseSurfaces[surface] + ".jpg", baseTexture, 0,
                colours::kMiddleGrey);
}

TCatalogueLists LoadCatalogues(const std::filesystem::path& dataFolder, TKindCatalogues& kinds,
                               std::uint32_t& baseTexture) {
    TCatalogueLists lists;
    lists.BaseSurfaces = ReadCatalogueFile(InDataFolder(dataFolder, kBaseSurfaces));
    LoadBaseTexture(dataFolder, lists.BaseSurfaces, 0, baseTexture);

    const std::string textures = InDataFolder(dataFolder, kTextures);
    lists.Surfaces = ReadCatalogueFile(InDataFolder(dataFolder, kSurfaces));
    kinds.SurfaceKinds.clear();
    for (std::size_t i = 0; i < lists.Surfaces.size(); ++i) {
        TKindEntry entry;
        entry.Id = static_cast<std::int32_t>(i);
        entry.Texture = static_cast<std::int32_t>(LoadKindTexture(textures, lists.Surfaces[i] + ".bmp"));
        kinds.SurfaceKinds.push_back(entry);
    }

    const std::string objects = InDataFolder(dataFolder, kObjects);
    lists.Ground = LoadObjectList(objects, kGroundList, kinds.GroundKinds);
    lists.Air = LoadObjectList(objects, kAirList, kinds.AirKinds);

    lists.Specials = ReadCatalogueFile(InDataFolder(dataFolder, kSpecials));
    lists.Specials.insert(lists.Specials.begin(), texts::kScriptEntry);
    return lists;
}

}  // namespace editor
