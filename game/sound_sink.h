#pragma once

#include "engine/audio/game_sounds.h"
#include "engine/core/vector_math.h"

namespace game {

// Where the game's handlers send what should be heard. The handlers only raise events; whoever
// listens (the session's sound system, a test's recorder) decides what plays, so the rules never
// wait for sound and run the same without it. This plain sink hears nothing: a game that nobody
// listens to is silent.
class TSoundSink {
public:
    virtual ~TSoundSink() = default;

    // A one-shot sound at a world point; the interface's cues ignore the point.
    virtual void Play(engine::TGameSound /*sound*/, const engine::TVec4& /*at*/ = {}) {}
    // A loop held by its owner: raised every step while it sounds, which also moves it.
    virtual void StartLoop(engine::TGameSound /*sound*/, int /*owner*/, const engine::TVec4& /*at*/) {}
    virtual void StopLoop(engine::TGameSound /*sound*/, int /*owner*/) {}
    // The world stands still or goes on; its sounds do the same.
    virtual void SetPaused(bool /*paused*/) {}
    // The player's sound keys: mute on or off, the volume a number of percent up or down.
    virtual void ToggleMuted() {}
    virtual void ChangeVolume(int /*percent*/) {}
};

}  // namespace game
