#include "tools/assetgen/game_models/game_models.h"

#include "tools/assetgen/game_models/model_parts.h"
#include "tools/writers/jpeg_writer.h"

namespace tools::assetgen {
namespace {

void Write(OutputFolder& output, const char* file, const Model3ds& model) {
    output.Write(file, Write3ds(model.Materials, model.Objects));
}

}  // namespace

void GenerateGameModels(OutputFolder& output) {
    Write(output, game_files::kTerrain, MakeTerrain());
    Write(output, game_files::kBase, MakeBase(0));
    Write(output, game_files::kBaseDamaged, MakeBase(1));
    Write(output, game_files::kBaseWrecked, MakeBase(2));
    Write(output, game_files::kRocketBase, MakeRocketBase());
    Write(output, game_files::kRocketLauncher, MakeRocketLauncher());
    Write(output, game_files::kGatlingBase, MakeGatlingBase());
    Write(output, game_files::kGatlingGun, MakeGatlingGun());
    Write(output, game_files::kGatlingMuzzle, MakeGatlingMuzzle());
    Write(output, game_files::kLaserBase, MakeLaserBase());
    Write(output, game_files::kLaserGun, MakeLaserGun());
    output.Write(game_files::kBug, WriteMd2(MakeBug()));
    for (const SkinFile& skin : {MakeBaseSkin(), MakeTowerSkin(), MakeFlashSkin(), MakeLaserSkin()}) {
        output.Write("textures/" + skin.Name, EncodeJpeg(skin.Picture));
    }
}

}  // namespace tools::assetgen
