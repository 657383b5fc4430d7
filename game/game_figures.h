#pragma once

#include <cstdint>

namespace game {

// What happened in a game, for its final figures; the handlers count as they go.
struct TGameFigures {
    double GameTime = 0;  // the sum of the frames' deltaTime
    std::int64_t Kills = 0;
    std::int64_t MissilesFired = 0;
    std::int64_t Explosions = 0;
    std::int64_t GatlingShots = 0;
    double LaserDamage = 0;  // health taken by beams
    std::int64_t Repairs = 0;
    std::int64_t TowersSold = 0;
};

}  // namespace game
