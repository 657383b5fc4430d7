#include "engine/audio/sound_system.h"

#include "platform/wav_writer.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

std::vector<double> Durations(const TSoundBank& bank) {
    std::vector<double> durations;
    for (TSoundId id = 0; id < bank.Count(); ++id) {
        durations.push_back(bank.Duration(id));
    }
    return durations;
}

}  // namespace

TSoundSystem::TSoundSystem(std::span<const TSoundTraits> table, const std::filesystem::path& folder,
                           const TAudioOptions& options)
    : m_table(table), m_options(options), m_bank(table, folder), m_pool(table, Durations(m_bank)),
      m_problems(m_bank.Problems()) {
    if (options.Output == aoDevice) {
        m_output = TOpenALOutput::OpenDevice();
        if (!m_output) {
            m_problems.insert(m_problems.begin(), "no sound device: playing silently");
        }
    } else if (options.Output == aoFile) {
        m_output = TOpenALOutput::OpenLoopback(kFileSampleRate);
    }
    if (m_output) {
        m_output->Prepare(table, m_bank, m_pool);
    }
    m_volume = std::clamp(options.Volume, 0, 100);
    m_muted = options.Muted;
    ApplyMasterGain();
}

std::string_view TSoundSystem::OutputName() const {
    if (m_options.Output == aoFile) {
        return "file";
    }
    return m_output ? "device" : "none";
}

void TSoundSystem::Play(TSoundId sound, const TVec3& position) { m_pool.Play(sound, position); }

void TSoundSystem::StartLoop(TSoundId sound, int owner, const TVec3& position) {
    m_pool.StartLoop(sound, owner, position);
}

void TSoundSystem::StopLoop(TSoundId sound, int owner) { m_pool.StopLoop(sound, owner); }

void TSoundSystem::SetListener(const TVec3& position, const TVec3& forward, const TVec3& up) {
    m_pool.SetListener(position);
    if (m_output) {
        m_output->SetListener(position, forward, up);
    }
}

void TSoundSystem::SetPaused(bool paused) {
    if (paused == m_pool.Paused()) {
        return;
    }
    m_pool.SetPaused(paused);
    if (m_output) {
        m_output->SetWorldPaused(paused, kPausedAmbience);
    }
}

void TSoundSystem::SetVolume(int percent) {
    m_volume = std::clamp(percent, 0, 100);
    ApplyMasterGain();
}

void TSoundSystem::SetMuted(bool muted) {
    m_muted = muted;
    ApplyMasterGain();
}

void TSoundSystem::ApplyMasterGain() {
    if (m_output) {
        m_output->SetMasterGain(m_muted ? 0.0f : static_cast<float>(m_volume) / 100.0f);
    }
}

void TSoundSystem::Step(double seconds) {
    seconds = std::max(0.0, seconds);
    m_pool.Step(seconds);
    if (m_output) {
        for (const TVoiceChange& change : m_pool.Changes()) {
            m_output->Apply(change);
        }
    }
    m_pool.ClearChanges();
    if (m_options.Output == aoFile) {
        // Frames counted from the start, so that steps of any length never drift from the clock.
        m_renderedSeconds += seconds;
        const auto total = static_cast<std::size_t>(std::llround(m_renderedSeconds * kFileSampleRate));
        m_output->Render(total - m_recording.Frames(), m_recording.Samples);
    }
}

std::vector<std::pair<std::string_view, std::int64_t>> TSoundSystem::StartCounts() const {
    std::vector<std::pair<std::string_view, std::int64_t>> counts;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        counts.emplace_back(m_table[i].Name, m_pool.StartCounts()[i]);
    }
    return counts;
}

void TSoundSystem::Finish() const {
    if (m_options.Output == aoFile) {
        platform::WriteWav(m_options.File, m_recording);
    }
}

}  // namespace engine
