#include "engine/audio/openal_output.h"

#include "engine/audio/silenced_stderr.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

ALenum FormatOf(const platform::PcmSound& sound) {
    return sound.Channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

template <typename Function>
Function Extension(ALCdevice* device, const char* name) {
    auto* function = reinterpret_cast<Function>(alcGetProcAddress(device, name));
    if (function == nullptr) {
        throw EAudioError(std::string("OpenAL lacks ") + name);
    }
    return function;
}

}  // namespace

std::unique_ptr<TOpenALOutput> TOpenALOutput::OpenDevice() {
    ALCdevice* device = nullptr;
    {
        const TSilencedStderr quiet;
        device = alcOpenDevice(nullptr);
    }
    if (device == nullptr) {
        return nullptr;
    }
    std::unique_ptr<TOpenALOutput> output(new TOpenALOutput(device));
    // The limiter catches what the voice limits let through, so a full battle never clips.
    output->MakeContext({ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0});
    return output;
}

std::unique_ptr<TOpenALOutput> TOpenALOutput::OpenLoopback(int sampleRate) {
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") == ALC_FALSE) {
        throw EAudioError("OpenAL has no loopback device (ALC_SOFT_loopback)");
    }
    auto open = Extension<LPALCLOOPBACKOPENDEVICESOFT>(nullptr, "alcLoopbackOpenDeviceSOFT");
    ALCdevice* device = open(nullptr);
    if (device == nullptr) {
        throw EAudioError("OpenAL could not open a loopback device");
    }
    std::unique_ptr<TOpenALOutput> output(new TOpenALOutput(device));
    output->m_render = Extension<LPALCRENDERSAMPLESSOFT>(device, "alcRenderSamplesSOFT");
    auto supported = Extension<LPALCISRENDERFORMATSUPPORTEDSOFT>(device, "alcIsRenderFormatSupportedSOFT");
    if (supported(device, sampleRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) == ALC_FALSE) {
        throw EAudioError("OpenAL cannot render stereo float samples at " + std::to_string(sampleRate) + " Hz");
    }
    // Float samples, turned into 16 bits here: no dither, so the same events give the same bytes
    // and silence is exact zeros. No HRTF, whatever the user's configuration, for the same reason.
    output->MakeContext({ALC_FREQUENCY, sampleRate, ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT,
                         ALC_FLOAT_SOFT, ALC_HRTF_SOFT, ALC_FALSE, ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0});
    return output;
}

TOpenALOutput::TOpenALOutput(ALCdevice* device) : m_device(device) {}

void TOpenALOutput::MakeContext(std::vector<ALCint> attributes) {
    m_context = alcCreateContext(m_device, attributes.data());
    if (m_context == nullptr || alcMakeContextCurrent(m_context) == ALC_FALSE) {
        throw EAudioError("OpenAL could not make a context on its device");
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alDopplerFactor(0.0f);
}

TOpenALOutput::~TOpenALOutput() {
    if (m_context != nullptr) {
        alcMakeContextCurrent(m_context);
        for (const TVoiceSource& voice : m_voices) {
            alDeleteSources(1, &voice.Source);
        }
        if (!m_buffers.empty()) {
            alDeleteBuffers(static_cast<ALsizei>(m_buffers.size()), m_buffers.data());
        }
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
    }
    alcCloseDevice(m_device);
}

void TOpenALOutput::Prepare(std::span<const TSoundTraits> table, const TSoundBank& bank, const TVoicePool& pool) {
    alcMakeContextCurrent(m_context);
    m_buffers.assign(table.size(), 0);
    alGenBuffers(static_cast<ALsizei>(m_buffers.size()), m_buffers.data());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const platform::PcmSound& sound = bank.Sound(static_cast<TSoundId>(i));
        alBufferData(m_buffers[i], FormatOf(sound), sound.Samples.data(),
                     static_cast<ALsizei>(sound.Samples.size() * sizeof(std::int16_t)), std::max(sound.SampleRate, 1));
    }
    for (int v = 0; v < pool.VoiceCount(); ++v) {
        const TSoundTraits& traits = table[static_cast<std::size_t>(pool.SoundOf(v))];
        TVoiceSource voice{0, traits.Kind, traits.Gain};
        alGenSources(1, &voice.Source);
        alSourcei(voice.Source, AL_BUFFER, static_cast<ALint>(m_buffers[static_cast<std::size_t>(pool.SoundOf(v))]));
        alSourcei(voice.Source, AL_LOOPING, traits.Loop ? AL_TRUE : AL_FALSE);
        alSourcef(voice.Source, AL_GAIN, traits.Gain);
        const bool atListener = traits.Kind != skWorld;
        alSourcei(voice.Source, AL_SOURCE_RELATIVE, atListener ? AL_TRUE : AL_FALSE);
        alSourcef(voice.Source, AL_REFERENCE_DISTANCE, atListener ? 1.0f : traits.ReferenceDistance);
        alSourcef(voice.Source, AL_ROLLOFF_FACTOR, atListener ? 0.0f : 1.0f);
        m_voices.push_back(voice);
    }
    if (alGetError() != AL_NO_ERROR) {
        throw EAudioError("OpenAL refused the sounds or their voices");
    }
}

void TOpenALOutput::Apply(const TVoiceChange& change) {
    alcMakeContextCurrent(m_context);
    const TVoiceSource& voice = m_voices.at(static_cast<std::size_t>(change.Voice));
    switch (change.Kind) {
        case TVoiceChange::vcStart:
            if (voice.Kind == skWorld) {
                alSource3f(voice.Source, AL_POSITION, change.Position.X, change.Position.Y, change.Position.Z);
            }
            alSourcePlay(voice.Source);
            break;
        case TVoiceChange::vcStop:
            alSourceStop(voice.Source);
            break;
        case TVoiceChange::vcMove:
            alSource3f(voice.Source, AL_POSITION, change.Position.X, change.Position.Y, change.Position.Z);
            break;
    }
}

void TOpenALOutput::SetListener(const TVec3& position, const TVec3& forward, const TVec3& up) {
    alcMakeContextCurrent(m_context);
    alListener3f(AL_POSITION, position.X, position.Y, position.Z);
    const ALfloat orientation[6] = {forward.X, forward.Y, forward.Z, up.X, up.Y, up.Z};
    alListenerfv(AL_ORIENTATION, orientation);
}

void TOpenALOutput::SetMasterGain(float gain) {
    alcMakeContextCurrent(m_context);
    alListenerf(AL_GAIN, gain);
}

void TOpenALOutput::SetWorldPaused(bool paused, float ambienceGain) {
    alcMakeContextCurrent(m_context);
    for (const TVoiceSource& voice : m_voices) {
        if (voice.Kind == skAmbience) {
            alSourcef(voice.Source, AL_GAIN, voice.Gain * (paused ? ambienceGain : 1.0f));
            continue;
        }
        if (voice.Kind != skWorld) {
            continue;
        }
        ALint state = AL_STOPPED;
        alGetSourcei(voice.Source, AL_SOURCE_STATE, &state);
        // Only a paused source resumes; playing a stopped one would start it over.
        if (paused && state == AL_PLAYING) {
            alSourcePause(voice.Source);
        } else if (!paused && state == AL_PAUSED) {
            alSourcePlay(voice.Source);
        }
    }
}

void TOpenALOutput::Render(std::size_t frames, std::vector<std::int16_t>& out) {
    if (m_render == nullptr) {
        throw EAudioError("only a loopback device renders into memory");
    }
    if (frames == 0) {
        return;
    }
    alcMakeContextCurrent(m_context);
    m_renderBuffer.resize(2 * frames);
    m_render(m_device, m_renderBuffer.data(), static_cast<ALCsizei>(frames));
    for (const float sample : m_renderBuffer) {
        out.push_back(static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f)));
    }
}

}  // namespace engine
