#pragma once

#include "engine/audio/openal_output.h"
#include "engine/audio/sound_bank.h"
#include "engine/audio/sound_traits.h"
#include "engine/audio/voice_pool.h"
#include "engine/core/vector_math.h"
#include "platform/pcm_sound.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace engine {

// Where the mix goes.
enum TAudioOutput {
    aoDevice,  // the system's sound device; none there: silence
    aoFile,    // a WAV file, rendered in the time the game steps, with or without a device
    aoNone     // nowhere; the events are still counted
};

struct TAudioOptions {
    TAudioOutput Output = aoDevice;
    std::string File;  // aoFile: the WAV the whole mix is written to by Finish
    int Volume = 80;   // percent
    bool Muted = false;
};

// The game's sound: what its handlers raise events into, never blocking the frame. Play and the
// loops only note what is wanted; Step, once per pass of the game loop with the seconds the pass
// stands for, lets the voice pool settle them, starts and stops the voices and, for a file,
// renders those seconds of the mix. Sound follows the steps: a paused game stops the world's
// sounds (the ambience plays on, softer), and a faster game raises more events per step at the
// same pitch, since nothing here ever changes a sound's speed.
class TSoundSystem {
public:
    static constexpr int kFileSampleRate = 44100;
    // The ambience's level while the game is paused.
    static constexpr float kPausedAmbience = 0.4f;

    // Loads FOLDER/<name>.wav for every sound of the table. A missing device means silence and a
    // line in Problems(); a file output that OpenAL cannot render throws EAudioError.
    TSoundSystem(std::span<const TSoundTraits> table, const std::filesystem::path& folder, const TAudioOptions& options);

    // "device", "file" or "none": where the mix goes.
    std::string_view OutputName() const;
    // What the user should hear about, a line each: no device, sounds that did not load.
    const std::vector<std::string>& Problems() const { return m_problems; }

    // A one-shot sound at a world point (interface and ambience sounds ignore the point).
    void Play(TSoundId sound, const TVec3& position = {});
    // A looping sound for an owner, such as a burning beam; calling again moves it.
    void StartLoop(TSoundId sound, int owner, const TVec3& position = {});
    void StopLoop(TSoundId sound, int owner);
    // The camera: where it is and where it looks.
    void SetListener(const TVec3& position, const TVec3& forward, const TVec3& up);
    void SetPaused(bool paused);
    bool Paused() const { return m_pool.Paused(); }
    // Percent, held to 0..100.
    void SetVolume(int percent);
    int Volume() const { return m_volume; }
    void SetMuted(bool muted);
    bool Muted() const { return m_muted; }

    void Step(double seconds);

    // How often each sound started a voice, by name, in the order of the table.
    std::vector<std::pair<std::string_view, std::int64_t>> StartCounts() const;
    // The file output's mix so far: stereo at kFileSampleRate.
    const platform::PcmSound& Recording() const { return m_recording; }
    // Writes the file output's mix, replacing the file atomically; nothing for other outputs.
    // Throws platform::FileError.
    void Finish() const;

private:
    void ApplyMasterGain();

    std::span<const TSoundTraits> m_table;
    TAudioOptions m_options;
    TSoundBank m_bank;
    TVoicePool m_pool;
    std::unique_ptr<TOpenALOutput> m_output;
    std::vector<std::string> m_problems;
    int m_volume = 0;
    bool m_muted = false;
    double m_renderedSeconds = 0;
    platform::PcmSound m_recording{kFileSampleRate, 2, {}};
};

}  // namespace engine
