#include "engine/audio/voice_pool.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace engine {
namespace {

// A sound starts again within its MinInterval only when it is this much louder than its last start.
constexpr float kMuchLouder = 2.0f;

}  // namespace

float DistanceGain(float distance, float referenceDistance) {
    return distance <= referenceDistance || referenceDistance <= 0 ? 1.0f : referenceDistance / distance;
}

TVoicePool::TVoicePool(std::span<const TSoundTraits> table, std::vector<double> durations)
    : m_table(table), m_sounds(table.size()), m_starts(table.size(), 0) {
    if (durations.size() != table.size()) {
        throw std::invalid_argument("a voice pool needs one duration per sound");
    }
    for (std::size_t i = 0; i < table.size(); ++i) {
        m_sounds[i].FirstVoice = static_cast<int>(m_voices.size());
        m_sounds[i].Duration = durations[i];
        for (int v = 0; v < table[i].MaxVoices; ++v) {
            m_voices.push_back({static_cast<TSoundId>(i)});
        }
    }
}

bool TVoicePool::Playable(TSoundId sound, bool loop) const {
    return sound >= 0 && static_cast<std::size_t>(sound) < m_table.size() && Traits(sound).Loop == loop &&
           m_sounds[static_cast<std::size_t>(sound)].Duration > 0;
}

float TVoicePool::Audibility(TSoundId sound, const TVec3& position) const {
    const TSoundTraits& traits = Traits(sound);
    if (traits.Kind != skWorld) {
        return traits.Gain;
    }
    return traits.Gain * DistanceGain(Length(position - m_listener), traits.ReferenceDistance);
}

bool TVoicePool::Frozen(TSoundId sound) const { return m_paused && Traits(sound).Kind == skWorld; }

void TVoicePool::Play(TSoundId sound, const TVec3& position) {
    if (!Playable(sound, false) || Frozen(sound)) {
        return;
    }
    TSoundState& state = m_sounds[static_cast<std::size_t>(sound)];
    const float audibility = Audibility(sound, position);
    if (!state.Pending) {
        state.Pending = true;
        m_pendingOrder.push_back(sound);
    } else if (audibility <= state.Loudest.Audibility) {
        return;
    }
    state.Loudest = {sound, position, audibility};
}

std::vector<TVoicePool::TLoop>::iterator TVoicePool::FindLoop(TSoundId sound, int owner) {
    return std::find_if(m_loops.begin(), m_loops.end(),
                        [&](const TLoop& loop) { return loop.Sound == sound && loop.Owner == owner; });
}

void TVoicePool::StartLoop(TSoundId sound, int owner, const TVec3& position) {
    if (!Playable(sound, true)) {
        return;
    }
    const auto found = FindLoop(sound, owner);
    if (found == m_loops.end()) {
        m_loops.push_back({sound, owner, position});
    } else if (!(found->Position == position)) {
        found->Position = position;
        found->Moved = true;
    }
}

void TVoicePool::StopLoop(TSoundId sound, int owner) {
    const auto found = FindLoop(sound, owner);
    if (found == m_loops.end()) {
        return;
    }
    if (found->Voice >= 0) {
        m_voices[static_cast<std::size_t>(found->Voice)].Active = false;
        m_changes.push_back({TVoiceChange::vcStop, found->Voice, {}});
    }
    m_loops.erase(found);
}

void TVoicePool::Step(double seconds) {
    for (const TSoundId sound : m_pendingOrder) {
        StartPending(sound);
    }
    m_pendingOrder.clear();
    for (std::size_t sound = 0; sound < m_table.size(); ++sound) {
        if (m_table[sound].Loop && !Frozen(static_cast<TSoundId>(sound))) {
            AssignLoops(static_cast<TSoundId>(sound));
        }
    }
    Advance(seconds);
}

void TVoicePool::StartPending(TSoundId sound) {
    TSoundState& state = m_sounds[static_cast<std::size_t>(sound)];
    state.Pending = false;
    const TEvent& event = state.Loudest;
    const bool tooSoon = m_time - state.LastStart < Traits(sound).MinInterval;
    if (tooSoon && event.Audibility <= kMuchLouder * state.LastAudibility) {
        return;
    }
    const int voice = VoiceToTake(sound, event.Audibility);
    if (voice < 0) {
        return;
    }
    m_voices[static_cast<std::size_t>(voice)] = {sound, true, false, 0.0, event.Audibility};
    state.LastStart = m_time;
    state.LastAudibility = event.Audibility;
    ++m_starts[static_cast<std::size_t>(sound)];
    m_changes.push_back({TVoiceChange::vcStart, voice, event.Position});
}

// A free voice of the sound, else the one with the least left to give (its level at its start
// times the part of it still to play) when the new event is louder than that.
int TVoicePool::VoiceToTake(TSoundId sound, float audibility) const {
    const TSoundState& state = m_sounds[static_cast<std::size_t>(sound)];
    int weakest = -1;
    float weakestLeft = std::numeric_limits<float>::max();
    for (int v = state.FirstVoice; v < state.FirstVoice + Traits(sound).MaxVoices; ++v) {
        const TVoice& voice = m_voices[static_cast<std::size_t>(v)];
        if (!voice.Active) {
            return v;
        }
        const float left = voice.Audibility * static_cast<float>(std::max(0.0, 1.0 - voice.Elapsed / state.Duration));
        if (left < weakestLeft) {
            weakest = v;
            weakestLeft = left;
        }
    }
    return audibility > weakestLeft ? weakest : -1;
}

void TVoicePool::AssignLoops(TSoundId sound) {
    struct TRanked {
        TLoop* Loop;
        float Audibility;
    };
    std::vector<TRanked> ranked;
    for (TLoop& loop : m_loops) {
        if (loop.Sound == sound) {
            ranked.push_back({&loop, Audibility(sound, loop.Position)});
        }
    }
    // Stable, so that of equally loud loops the one wanted first keeps its voice.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const TRanked& a, const TRanked& b) { return a.Audibility > b.Audibility; });
    const std::size_t kept = std::min(ranked.size(), static_cast<std::size_t>(Traits(sound).MaxVoices));
    for (std::size_t i = kept; i < ranked.size(); ++i) {
        TLoop& loop = *ranked[i].Loop;
        if (loop.Voice >= 0) {
            m_voices[static_cast<std::size_t>(loop.Voice)].Active = false;
            m_changes.push_back({TVoiceChange::vcStop, loop.Voice, {}});
            loop.Voice = -1;
        }
    }
    for (std::size_t i = 0; i < kept; ++i) {
        TLoop& loop = *ranked[i].Loop;
        if (loop.Voice >= 0) {
            if (loop.Moved) {
                m_changes.push_back({TVoiceChange::vcMove, loop.Voice, loop.Position});
            }
        } else {
            loop.Voice = VoiceToTake(sound, std::numeric_limits<float>::max());
            m_voices[static_cast<std::size_t>(loop.Voice)] = {sound, true, true, 0.0, ranked[i].Audibility};
            ++m_starts[static_cast<std::size_t>(sound)];
            m_changes.push_back({TVoiceChange::vcStart, loop.Voice, loop.Position});
        }
        loop.Moved = false;
    }
}

void TVoicePool::Advance(double seconds) {
    m_time += seconds;
    for (TVoice& voice : m_voices) {
        if (!voice.Active || voice.Looping || Frozen(voice.Sound)) {
            continue;
        }
        voice.Elapsed += seconds;
        voice.Active = voice.Elapsed < m_sounds[static_cast<std::size_t>(voice.Sound)].Duration;
    }
}

int TVoicePool::Playing(TSoundId sound) const {
    return static_cast<int>(std::count_if(m_voices.begin(), m_voices.end(), [&](const TVoice& voice) {
        return voice.Sound == sound && voice.Active;
    }));
}

}  // namespace engine
