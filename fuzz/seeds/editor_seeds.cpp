#include "editor/data/map.h"
#include "editor/data/package_writer.h"
#include "fuzz/seeds/seed_folder.h"
#include "tests/editor/data/qzm_samples.h"

namespace fuzz {
namespace {

void WriteMapSeeds(const SeedFolder& seeds) {
    editor::TMap map;
    seeds.Write("map", "new.map", editor::EncodeMap(map.Data()));
    for (std::uint8_t x = 1; x <= 3; ++x) {
        for (std::uint8_t y = 1; y <= 3; ++y) {
            map.AddTile(2, x, y);
        }
    }
    map.AddTile(5, 0, 0);
    map.AddGroundObject({3, 90, 2, 2, 3, 3, 2, {}});
    editor::TSpecialObject script{0, 6, 8, {}};
    script.Param.Assign("3|4|goo");
    map.AddSpecialObject(script);
    editor::TSpecialObject marker{2, 1, 1, {}};
    marker.Param.Assign("extra");
    map.AddSpecialObject(marker);
    map.AddAirObject({1, 180, -4, 5, 5, 2, 2, 3, 128, {}});
    map.SetSize(12, 9);
    seeds.Write("map", "filled.map", editor::EncodeMap(map.Data()));
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

void WritePackageSeeds(const SeedFolder& seeds) {
    const std::vector<editor::PackageRecord> records = {
        {"Info_ground.txt", Bytes("tree\r\ntree.qzm\r\n")},
        {"tree.qzm", Bytes(editor::qzm_samples::Object() + editor::qzm_samples::Texture())},
        {"EMPTY.BMP", {}},
        {"chunks.bin", std::vector<std::uint8_t>(4097, 7)},
    };
    seeds.Write("package", "records.qzp", editor::BuildPackage(records));
    seeds.Write("package", "empty.qzp", editor::BuildPackage({}));
}

void WriteQzmSeeds(const SeedFolder& seeds) {
    using namespace editor::qzm_samples;
    seeds.Write("qzm", "textured.qzm", Object() + Object() + Texture());
    seeds.Write("qzm", "untextured.qzm", Object() + Texture("texture vertices:"));
}

}  // namespace

void WriteEditorSeeds(const SeedFolder& seeds) {
    WriteMapSeeds(seeds);
    WritePackageSeeds(seeds);
    WriteQzmSeeds(seeds);
}

}  // namespace fuzz
