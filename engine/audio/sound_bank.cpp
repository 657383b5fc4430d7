#include "engine/audio/sound_bank.h"

#include "platform/paths.h"
#include "platform/wav_decoder.h"

namespace engine {

TSoundBank::TSoundBank(std::span<const TSoundTraits> table, const std::filesystem::path& folder) {
    m_sounds.resize(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string path = (folder / (std::string(table[i].Name) + ".wav")).string();
        try {
            m_sounds[i] = platform::DecodeWav(platform::ReadWholeFile(path));
        } catch (const platform::FileError& error) {
            m_problems.push_back(error.what());
        } catch (const platform::SoundError& error) {
            m_problems.push_back(path + ": " + error.what());
        }
    }
}

double TSoundBank::Duration(TSoundId id) const {
    const platform::PcmSound& sound = Sound(id);
    return sound.SampleRate > 0 ? static_cast<double>(sound.Frames()) / sound.SampleRate : 0.0;
}

}  // namespace engine
