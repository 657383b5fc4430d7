#include "tools/assetgen/game_sounds/game_sounds.h"

#include "platform/wav_writer.h"
#include "tools/assetgen/game_sounds/effect_recipes.h"

#include <stdexcept>

namespace tools::assetgen {

void GenerateGameSounds(OutputFolder& output) {
    using namespace game_sound_files;
    // In the order of kNames.
    const std::array<platform::PcmSound (*)(), kNames.size()> recipes{
        MakeLaunch, MakeBlast,  MakeGatling, MakeLaser,  MakeBugDeath, MakeBaseHit, MakeAlarm,
        MakePurchase, MakeRefused, MakePlace, MakeRepair, MakePause,   MakeResume,  MakeAmbience,
        MakeSell,     MakeWave,    MakeFallen};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        output.Write(std::string(kFolder) + kNames[i] + kExtension, platform::EncodeWav(recipes[i]()));
    }
}

}  // namespace tools::assetgen
