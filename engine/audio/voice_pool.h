#pragma once

#include "engine/audio/sound_traits.h"
#include "engine/core/vector_math.h"

#include <cstdint>
#include <span>
#include <vector>

namespace engine {

// The level of a world sound at a distance: full within the reference distance, then falling as
// reference / distance (OpenAL's clamped inverse-distance model with a roll-off of 1, which the
// output uses too, so the pool ranks voices as the listener hears them).
float DistanceGain(float distance, float referenceDistance);

// What the pool asks of the output after a step, voice by voice.
struct TVoiceChange {
    enum TKind { vcStart, vcStop, vcMove };
    TKind Kind = vcStart;
    int Voice = 0;
    TVec3 Position;
};

// Decides what plays, without playing anything: a fixed set of voices, each bound to one sound
// (MaxVoices of each, consecutive), and the rules that keep the mix clean however many events the
// game raises. Events wait until the next Step; there the repeats of a sound are merged into its
// loudest, a sound does not start again within its MinInterval unless the new one is over twice as
// loud as its last start, and a sound whose voices are all busy takes over the one with the least
// left to give, or is dropped when even that one is louder. Loops are wanted by their owners;
// each step the loudest of them get the sound's voices. While paused the world's voices and
// loops stand still and world events are dropped; interface sounds and the ambience go on.
class TVoicePool {
public:
    // durations: seconds of each sound; a sound of no length never plays.
    TVoicePool(std::span<const TSoundTraits> table, std::vector<double> durations);

    void Play(TSoundId sound, const TVec3& position);
    // Wants the loop for the owner, or moves it; a second call for the same owner only moves it.
    void StartLoop(TSoundId sound, int owner, const TVec3& position);
    void StopLoop(TSoundId sound, int owner);
    void SetListener(const TVec3& position) { m_listener = position; }
    void SetPaused(bool paused) { m_paused = paused; }
    bool Paused() const { return m_paused; }

    // Settles this step's events and loops, then lets `seconds` of sound play.
    void Step(double seconds);
    // What the output must do, in order, since it last cleared them: a stopped loop's voice at
    // once, the rest at each Step.
    const std::vector<TVoiceChange>& Changes() const { return m_changes; }
    void ClearChanges() { m_changes.clear(); }

    int VoiceCount() const { return static_cast<int>(m_voices.size()); }
    TSoundId SoundOf(int voice) const { return m_voices[static_cast<std::size_t>(voice)].Sound; }
    // Voices of the sound playing now.
    int Playing(TSoundId sound) const;
    // How often each sound started a voice, by TSoundId.
    const std::vector<std::int64_t>& StartCounts() const { return m_starts; }

private:
    struct TVoice {
        TSoundId Sound = 0;
        bool Active = false;
        bool Looping = false;
        double Elapsed = 0;
        float Audibility = 0;  // at its start
    };
    struct TEvent {
        TSoundId Sound = 0;
        TVec3 Position;
        float Audibility = 0;
    };
    struct TLoop {
        TSoundId Sound = 0;
        int Owner = 0;
        TVec3 Position;
        bool Moved = false;
        int Voice = -1;
    };
    struct TSoundState {
        int FirstVoice = 0;
        double Duration = 0;
        double LastStart = -1e9;
        float LastAudibility = 0;
        bool Pending = false;
        TEvent Loudest;
    };

    bool Playable(TSoundId sound, bool loop) const;
    const TSoundTraits& Traits(TSoundId sound) const { return m_table[static_cast<std::size_t>(sound)]; }
    float Audibility(TSoundId sound, const TVec3& position) const;
    bool Frozen(TSoundId sound) const;
    std::vector<TLoop>::iterator FindLoop(TSoundId sound, int owner);
    void StartPending(TSoundId sound);
    int VoiceToTake(TSoundId sound, float audibility) const;
    void AssignLoops(TSoundId sound);
    void Advance(double seconds);

    std::span<const TSoundTraits> m_table;
    std::vector<TSoundState> m_sounds;
    std::vector<TVoice> m_voices;
    std::vector<TLoop> m_loops;
    std::vector<TVoiceChange> m_changes;
    std::vector<std::int64_t> m_starts;
    std::vector<TSoundId> m_pendingOrder;
    TVec3 m_listener;
    bool m_paused = false;
    double m_time = 0;
};

}  // namespace engine
