#include "tools/assetinfo/info_kinds.h"

#include "editor/data/map_file.h"
#include "editor/data/special_param.h"
#include "platform/paths.h"
#include "platform/text_decoding.h"

#include <stdexcept>

namespace tools {

nlohmann::json InfoMap(const std::string& path) {
    const std::optional<editor::TMapData> map = editor::DecodeMap(platform::ReadWholeFile(path));
    if (!map) {
        throw std::runtime_error(kNotAMap);
    }
    nlohmann::json tiles = nlohmann::json::array();
    for (const editor::TSurfaceTile& tile : map->Tiles) {
        tiles.push_back({{"kind", tile.Kind}, {"x", tile.X}, {"y", tile.Y}, {"blend", tile.Blend}});
    }
    nlohmann::json ground = nlohmann::json::array();
    for (const editor::TGroundObject& object : map->Ground) {
        ground.push_back({{"kind", object.Kind},
                          {"angle", object.Angle},
                          {"x", object.X},
                          {"y", object.Y},
                          {"length", object.Length},
                          {"width", object.Width},
                          {"height", object.Height}});
    }
    nlohmann::json special = nlohmann::json::array();
    for (const editor::TSpecialObject& object : map->Specials) {
        special.push_back({{"kind", object.Kind},
                           {"x", object.X},
                           {"y", object.Y},
                           {"param", editor::SpecialParamText(object.Param)}});
    }
    nlohmann::json air = nlohmann::json::array();
    for (const editor::TAirObject& object : map->Air) {
        air.push_back({{"kind", object.Kind},
                       {"angle", object.Angle},
                       {"level", object.Level},
                       {"x", object.X},
                       {"y", object.Y},
                       {"length", object.Length},
                       {"width", object.Width},
                       {"height", object.Height},
                       {"opacity", object.Opacity}});
    }
    return {{"sizeX", map->Header.SizeX},
            {"sizeY", map->Header.SizeY},
            {"surface", map->Header.Surface},
            {"version", platform::DecodeTextLine(map->Header.Version.Text())},
            {"tiles", tiles},
            {"ground", ground},
            {"special", special},
            {"air", air}};
}

}  // namespace tools
