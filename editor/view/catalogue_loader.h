#pragma once

#include "editor/data/catalogue_files.h"
#include "editor/data/kind_catalogue.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// The entries of the palette's and the properties dialog's lists, in list order.
struct TCatalogueLists {
    std::vector<std::string> BaseSurfaces;
    std::vector<std::string> Surfaces;
    std::vector<std::string> Ground;
    std::vector<std::string> Air;
    std::vector<std::string> Specials;  // "Script" first, then the file's lines
};

// Reads the catalogues of the data folder (empty: the current folder) in their fixed order, loading
// every texture and mesh they name into the kinds, and the base texture of surface 0. Needs the
// view's context current. Throws on the first failure; a texture that fails to load only leaves its
// entry untextured. After the first few textures and meshes that fail, their boxes give way to one box
// that counts the rest.
TCatalogueLists LoadCatalogues(const std::filesystem::path& dataFolder, TKindCatalogues& kinds,
                               std::uint32_t& baseTexture);

// The base surface's texture: the surface's name + ".jpg" from the data folder's texture package.
// The previous texture stays when loading fails; a surface beyond the list throws CatalogueError.
void LoadBaseTexture(const std::filesystem::path& dataFolder, const std::vector<std::string>& baseSurfaces,
                     std::uint8_t surface, std::uint32_t& baseTexture);

// An object list entry: the mesh record name without its four-character extension.
std::string ObjectDisplayName(std::string_view meshName);

}  // namespace editor
