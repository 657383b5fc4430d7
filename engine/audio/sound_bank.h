#pragma once

#include "engine/audio/sound_traits.h"
#include "platform/pcm_sound.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace engine {

// The decoded sounds of a traits table, read from FOLDER/<name>.wav. A file that is missing or
// unreadable leaves its sound empty (it never plays) and adds a line to Problems(); the others load.
class TSoundBank {
public:
    TSoundBank(std::span<const TSoundTraits> table, const std::filesystem::path& folder);

    int Count() const { return static_cast<int>(m_sounds.size()); }
    const platform::PcmSound& Sound(TSoundId id) const { return m_sounds.at(static_cast<std::size_t>(id)); }
    // Seconds of the sound; 0 for one that did not load.
    double Duration(TSoundId id) const;
    // One line for each sound that did not load: the file and the reader's reason.
    const std::vector<std::string>& Problems() const { return m_problems; }

private:
    std::vector<platform::PcmSound> m_sounds;
    std::vector<std::string> m_problems;
};

}  // namespace engine
