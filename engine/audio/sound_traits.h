#pragma once

#include <string_view>

namespace engine {

// An index into the traits table a sound system is made with.
using TSoundId = int;

// Where a sound belongs in the mix.
enum TSoundKind {
    skWorld,      // at a point in the world, fainter with distance; stops while the game is paused
    skInterface,  // at the listener, whatever the camera does; plays on while paused
    skAmbience    // at the listener, under everything; plays on, softer, while paused
};

// How one sound is played: its file, its level and how much of it the mix takes at once.
struct TSoundTraits {
    std::string_view Name;  // the file in the sound folder, without ".wav"
    TSoundKind Kind = skWorld;
    bool Loop = false;
    int MaxVoices = 1;        // of this sound at once
    double MinInterval = 0;   // seconds before it starts again, unless the new one is much louder
    float Gain = 1;           // its level in the mix, before distance
    float ReferenceDistance = 10;  // world sounds: full level within it, half at twice the distance
};

}  // namespace engine
