#pragma once

#include "game/survival_rules.h"
#include "platform/write_folder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace game {

// The best score of the survival games played at each difficulty, kept in one small JSON file of the
// player's data folder ({"easy": 1200, "normal": 3400}); the only file the survival game writes.
// A file that cannot be read as such is ignored, told in one line, and set aside when a best score
// is first written over it; a score that cannot be written is told and the game goes on.
class TBestScores {
public:
    // Where the file lives: $XDG_DATA_HOME/skirmish/, else ~/.local/share/skirmish/; none without
    // either (the scores are then kept for the run only).
    static std::optional<std::filesystem::path> DefaultFile(const platform::TUserFolders& user);

    // Reads the file, if there is one; `tell` hears each problem, one line each.
    TBestScores(std::optional<std::filesystem::path> file, std::function<void(const std::string&)> tell);

    std::int64_t Best(TDifficulty difficulty) const;
    // Counts a game's score: answers the best of the earlier games and writes the file when this one
    // beats it.
    std::int64_t Record(TDifficulty difficulty, std::int64_t score);

private:
    void Read();
    void Write();

    std::optional<std::filesystem::path> m_file;
    std::function<void(const std::string&)> m_tell;
    std::map<std::string, std::int64_t, std::less<>> m_best;
    // The file's other keys, kept as they were.
    std::string m_others = "{}";
    bool m_broken = false;
};

}  // namespace game
