#include "engine/audio/game_sounds.h"

#include <array>

namespace engine {
namespace {

// Levels leave headroom for the worst moment of a battle: every voice below at its loudest adds up
// to about full scale, and the device's limiter takes the rest. The gatling, fired by dozens of
// towers ten times a second, gets few voices and a retrigger gap; the base's hit and the alarm,
// raised every frame while they hold, are held back for seconds so they never tire.
constexpr std::array<TSoundTraits, gsCount> kTraits{{
    {"launch", skWorld, false, 4, 0.08, 0.5f, 10},
    {"blast", skWorld, false, 4, 0.06, 0.8f, 14},
    {"gatling", skWorld, false, 4, 0.03, 0.35f, 8},
    {"laser", skWorld, true, 3, 0, 0.3f, 8},
    {"bug_death", skWorld, false, 3, 0.06, 0.45f, 8},
    {"base_hit", skInterface, false, 1, 1.5, 0.35f, 0},
    {"alarm", skInterface, false, 1, 2.0, 0.5f, 0},
    {"purchase", skInterface, false, 2, 0.05, 0.5f, 0},
    {"refused", skInterface, false, 1, 0.15, 0.45f, 0},
    {"place", skInterface, false, 2, 0.05, 0.55f, 0},
    {"repair", skInterface, false, 1, 0.3, 0.5f, 0},
    {"pause", skInterface, false, 1, 0.05, 0.5f, 0},
    {"resume", skInterface, false, 1, 0.05, 0.5f, 0},
    {"ambience", skAmbience, true, 1, 0, 0.4f, 0},
    {"sell", skInterface, false, 2, 0.05, 0.5f, 0},
    {"wave", skInterface, false, 1, 0.5, 0.55f, 0},
    {"fallen", skInterface, false, 1, 1.0, 0.6f, 0},
}};

}  // namespace

std::span<const TSoundTraits> GameSoundTraits() { return kTraits; }

}  // namespace engine
