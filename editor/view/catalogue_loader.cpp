#include "editor/view/catalogue_loader.h"

#include "editor/data/failure_boxes.h"
#include "editor/data/mesh_table.h"
#include "editor/data/message_reporter.h"
#include "editor/data/package.h"
#include "editor/data/texture_loader.h"
#include "editor/document/editor_texts.h"
#include "editor/view/draw3d.h"
#include "platform/paths.h"

#include <string_view>

namespace editor {
namespace {

using namespace catalogue_files;

constexpr std::size_t kExtensionLength = 4;
constexpr char kErrorCaption[] = "Error";

std::uint32_t LoadKindTexture(TFailureBoxes& failures, const std::string& package, const std::string& record) {
    std::uint32_t texture = 0;
    failures.Run(record, [&] { LoadTexture(package, record, texture, 0, colours::kMiddleGrey); });
    return texture;
}

// The mesh is read from the package's record in memory: nothing is written beside the data.
int LoadObjectMesh(TFailureBoxes& failures, const std::string& package, const std::string& record) {
    int slot = -1;
    failures.Run(record, [&] {
        const auto bytes = ExtractRecord(package, record);
        if (!bytes) {
            throw CatalogueError("No " + record + " in " + package);
        }
        slot = LoadMeshRecord(record, *bytes);
    });
    return slot;
}

// Pairs of lines: mesh record, texture record. An odd last line is listed but has no kind.
std::vector<std::string> LoadObjectList(TFailureBoxes& failures, const std::string& package, const char* listName,
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
        entry.Texture = static_cast<std::int32_t>(LoadKindTexture(failures, package, lines[2 * k + 1]));
        entry.Mesh = LoadObjectMesh(failures, package, lines[2 * k]);
        kinds.push_back(entry);
    }
    return names;
}

// One box for the failures whose own boxes were held back.
void ShowHeldBackFailures(const TFailureBoxes& failures) {
    if (failures.HeldBack() == 0) {
        return;
    }
    std::string text = texts::kMoreLoadFailures + std::to_string(failures.HeldBack()) + ":";
    for (const std::string& name : failures.HeldBackNames()) {
        text += "\n" + name;
    }
    if (failures.HeldBack() > failures.HeldBackNames().size()) {
        text += "\n…";
    }
    ShowMessage(kErrorCaption, text);
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
    TFailureBoxes failures(failure_boxes::kShownFailures);
    TCatalogueLists lists;
    lists.BaseSurfaces = ReadCatalogueFile(InDataFolder(dataFolder, kBaseSurfaces));
    failures.Run(lists.BaseSurfaces.empty() ? "" : lists.BaseSurfaces[0] + ".jpg",
                 [&] { LoadBaseTexture(dataFolder, lists.BaseSurfaces, 0, baseTexture); });

    const std::string textures = InDataFolder(dataFolder, kTextures);
    lists.Surfaces = ReadCatalogueFile(InDataFolder(dataFolder, kSurfaces));
    kinds.SurfaceKinds.clear();
    for (std::size_t i = 0; i < lists.Surfaces.size(); ++i) {
        TKindEntry entry;
        entry.Id = static_cast<std::int32_t>(i);
        entry.Texture = static_cast<std::int32_t>(LoadKindTexture(failures, textures, lists.Surfaces[i] + ".bmp"));
        kinds.SurfaceKinds.push_back(entry);
    }

    const std::string objects = InDataFolder(dataFolder, kObjects);
    lists.Ground = LoadObjectList(failures, objects, kGroundList, kinds.GroundKinds);
    lists.Air = LoadObjectList(failures, objects, kAirList, kinds.AirKinds);

    lists.Specials = ReadCatalogueFile(InDataFolder(dataFolder, kSpecials));
    lists.Specials.insert(lists.Specials.begin(), texts::kScriptEntry);
    ShowHeldBackFailures(failures);
    return lists;
}

}  // namespace editor
