#pragma once

#include "game/survival_rules.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace game {

// The game's command line: without options the game plays exactly as designed; the options let a
// machine check and replay it.
struct TGameOptions {
    bool Windowed = false;
    std::optional<std::uint32_t> Seed;
    double FixedStep = 0;  // seconds of the run's time a frame; 0: the real clock
    std::optional<std::int64_t> Frames;
    std::string Script;
    std::string Screenshot;
    std::string Stats;
    bool Mute = false;
    int Volume = 80;       // percent
    std::string AudioOut;  // a WAV of the whole mix instead of the sound device
    TGameMode Mode = TGameMode::Classic;
    TDifficulty Difficulty = TDifficulty::Normal;
    bool Help = false;
    bool Version = false;
};

// An option that is unknown, misses its value or has a bad one.
class ECommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

TGameOptions ParseCommandLine(const std::vector<std::string>& arguments);
// Every option, one line each, and the keys of the game.
std::string UsageText();

}  // namespace game
