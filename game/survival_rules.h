#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace game {

// The classic game is the one designed, without end; the survival game sends the bugs in waves until
// the base falls.
enum class TGameMode { Classic, Survival };
std::string_view GameModeName(TGameMode mode);

// How hard a game is: the bugs' health and speed, and the money (the start and the bonuses; prices and
// the reward for a kill stay). Normal is each mode's own balance, the designed one in the classic mode.
enum class TDifficulty { Easy, Normal, Hard };
struct TDifficultyRules {
    std::string_view Name;
    float Health;
    float Speed;
    float Money;
};
const TDifficultyRules& DifficultyRules(TDifficulty difficulty);
std::optional<TDifficulty> DifficultyNamed(std::string_view name);

namespace rules {
// The waves: the first of a few bugs, each later one more, up to every bug of the table.
inline constexpr int FirstWaveSize = 4;
inline constexpr int WaveSizeGrowth = 4;
// Each wave's bugs have this much more health than the last one's, and a little more speed, up to a cap.
inline constexpr float WaveHealthGrowth = 1.2f;
inline constexpr float WaveSpeedGrowth = 0.04f;
inline constexpr float MostWaveSpeed = 1.5f;
// Game seconds before each wave, and between two bugs of a wave leaving their nests.
inline constexpr double WaveCountdown = 20;
inline constexpr double SpawnInterval = 0.5;
// Money for each second of the countdown left when the player calls the wave early (N).
inline constexpr float EarlyCallBonusPerSecond = 2;
// The score: so much a kill and so much a wave survived.
inline constexpr std::int64_t ScorePerKill = 10;
inline constexpr std::int64_t ScorePerWave = 100;
}  // namespace rules

// The number of bugs of a wave (waves count from 1).
int WaveSize(int wave);

// What the bugs of a wave are made of: their full health and the factor on their walking pace.
struct TBugStrength {
    float Health;
    float Speed;
};
// A wave's bugs at a difficulty; the classic game's bugs are always those of the first wave.
TBugStrength BugStrength(int wave, TDifficulty difficulty);

// The money at the start of a game.
int StartMoney(TDifficulty difficulty);
// The bonus for calling the next wave with so many seconds of its countdown left.
int EarlyCallBonus(double secondsLeft, TDifficulty difficulty);
std::int64_t Score(std::int64_t kills, int wavesSurvived);

}  // namespace game
