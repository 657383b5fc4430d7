#pragma once

#include "engine/audio/sound_spec.h"

#include <span>

namespace engine {

// The game's sounds, in the order of their specs.
enum TGameSound : TSoundId {
    gsLaunch,
    gsBlast,
    gsGatling,
    gsLaser,
    gsBugDeath,
    gsBaseHit,
    gsAlarm,
    gsPurchase,
    gsRefused,
    gsPlace,
    gsRepair,
    gsPause,
    gsResume,
    gsAmbience,
    gsSell,
    gsWave,
    gsFallen,
    gsCount
};

// The specs of the game's sounds, indexed by TGameSound.
std::span<const TSoundSpec> GameSoundSpecs();

}  // namespace engine
