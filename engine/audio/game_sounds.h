#pragma once

#include "engine/audio/sound_traits.h"

#include <span>

namespace engine {

// The game's sounds, in the order of their traits table.
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

// The traits of the game's sounds, indexed by TGameSound.
std::span<const TSoundTraits> GameSoundTraits();

}  // namespace engine
