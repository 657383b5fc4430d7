#pragma once

#include "engine/audio/sound_bank.h"
#include "engine/audio/sound_traits.h"
#include "engine/audio/voice_pool.h"
#include "engine/core/vector_math.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {

// Thrown when OpenAL cannot give what was asked of it: a loopback device, a context, buffers.
class EAudioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one place that speaks OpenAL: a device and its context, one buffer per sound and one source
// per voice of the pool, bound to its sound's buffer once. It plays what the pool decides.
class TOpenALOutput {
public:
    // The system's default device, or nullptr when there is none (a server, a container). The
    // audio libraries' own complaints are kept off standard error.
    static std::unique_ptr<TOpenALOutput> OpenDevice();
    // A device that plays into memory, a step at a time, as stereo 16-bit at this rate: the mix
    // rendered in game time whether or not the machine has a sound card.
    static std::unique_ptr<TOpenALOutput> OpenLoopback(int sampleRate);
    ~TOpenALOutput();
    TOpenALOutput(const TOpenALOutput&) = delete;
    TOpenALOutput& operator=(const TOpenALOutput&) = delete;

    // Uploads the bank's sounds and makes the pool's voices.
    void Prepare(std::span<const TSoundTraits> table, const TSoundBank& bank, const TVoicePool& pool);
    void Apply(const TVoiceChange& change);
    void SetListener(const TVec3& position, const TVec3& forward, const TVec3& up);
    // Volume and mute: the level of everything.
    void SetMasterGain(float gain);
    // Pauses or resumes the world's voices; the ambience goes on at `ambienceGain` of its level.
    void SetWorldPaused(bool paused, float ambienceGain);

    // Loopback only: mixes the next frames and appends them, interleaved stereo, to `out`.
    void Render(std::size_t frames, std::vector<std::int16_t>& out);

private:
    explicit TOpenALOutput(ALCdevice* device);
    void MakeContext(std::vector<ALCint> attributes);

    struct TVoiceSource {
        ALuint Source = 0;
        TSoundKind Kind = skWorld;
        float Gain = 1;
    };

    ALCdevice* m_device = nullptr;
    ALCcontext* m_context = nullptr;
    LPALCRENDERSAMPLESSOFT m_render = nullptr;  // loopback devices only
    std::vector<ALuint> m_buffers;
    std::vector<TVoiceSource> m_voices;
    std::vector<float> m_renderBuffer;
};

}  // namespace engine
