#pragma once

#include "tools/writers/output_folder.h"

#include <array>

// The game's sound effects in sounds/: 16-bit PCM WAV files at 44,100 Hz, made by the synthesiser.
namespace tools::assetgen {

namespace game_sound_files {
constexpr const char* kFolder = "sounds/";
constexpr std::array<const char*, 17> kNames{"launch",  "blast",   "gatling",  "laser",   "bug_death", "base_hit",
                                             "alarm",   "purchase", "refused", "place",   "repair",    "pause",
                                             "resume",  "ambience", "sell",    "wave",    "fallen"};
constexpr const char* kExtension = ".wav";
}  // namespace game_sound_files

// Writes every sound the game plays.
void GenerateGameSounds(OutputFolder& output);

}  // namespace tools::assetgen
