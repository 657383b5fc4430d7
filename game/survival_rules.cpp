#include "game/survival_rules.h"

#include "game/game_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace game {

namespace {
constexpr std::array<TDifficultyRules, 3> kDifficulties{{
    {"easy", 0.75f, 0.9f, 1.5f},
    {"normal", 1, 1, 1},
    {"hard", 1.4f, 1.15f, 0.7f},
}};
}  // namespace

std::string_view GameModeName(TGameMode mode) {
    return mode == TGameMode::Survival ? "survival" : "classic";
}

const TDifficultyRules& DifficultyRules(TDifficulty difficulty) {
    return kDifficulties[static_cast<std::size_t>(difficulty)];
}

std::optional<TDifficulty> DifficultyNamed(std::string_view name) {
    for (std::size_t i = 0; i < kDifficulties.size(); ++i) {
        if (kDifficulties[i].Name == name) {
            return static_cast<TDifficulty>(i);
        }
    }
    return std::nullopt;
}

int WaveSize(int wave) {
    return std::clamp(rules::FirstWaveSize + rules::WaveSizeGrowth * (wave - 1), 1, rules::BugCount);
}

TBugStrength BugStrength(int wave, TDifficulty difficulty) {
    const TDifficultyRules& d = DifficultyRules(difficulty);
    const int later = std::max(0, wave - 1);
    const float growth = std::pow(rules::WaveHealthGrowth, static_cast<float>(later));
    const float pace = std::min(1 + rules::WaveSpeedGrowth * static_cast<float>(later), rules::MostWaveSpeed);
    return TBugStrength{rules::BugHealth * growth * d.Health, pace * d.Speed};
}

int StartMoney(TDifficulty difficulty) {
    return static_cast<int>(std::lround(static_cast<float>(rules::StartMoney) * DifficultyRules(difficulty).Money));
}

int EarlyCallBonus(double secondsLeft, TDifficulty difficulty) {
    const double bonus = std::max(0.0, secondsLeft) * rules::EarlyCallBonusPerSecond * DifficultyRules(difficulty).Money;
    return static_cast<int>(std::floor(bonus));
}

std::int64_t Score(std::int64_t kills, int wavesSurvived) {
    return kills * rules::ScorePerKill + static_cast<std::int64_t>(wavesSurvived) * rules::ScorePerWave;
}

}  // namespace game
