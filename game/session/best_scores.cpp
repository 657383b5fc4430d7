#include "game/session/best_scores.h"

#include "platform/paths.h"
#include "platform/write_folder.h"

#include <nlohmann/json.hpp>

#include <system_error>
#include <vector>

namespace game {

namespace fs = std::filesystem;

namespace {
constexpr const char* kFileName = "best-scores.json";
constexpr const char* kBrokenName = "best-scores.broken.json";
}  // namespace

std::optional<fs::path> TBestScores::DefaultFile(const platform::TUserFolders& user) {
    try {
        return platform::UserDataHome(user) / "skirmish" / kFileName;
    } catch (const platform::FileError&) {
        return std::nullopt;
    }
}

TBestScores::TBestScores(std::optional<fs::path> file, std::function<void(const std::string&)> tell)
    : m_file(std::move(file)), m_tell(std::move(tell)) {
    if (!m_file) {
        m_tell("neither XDG_DATA_HOME nor HOME is set: the best scores are kept for this run only");
        return;
    }
    Read();
}

void TBestScores::Read() {
    std::error_code error;
    if (!fs::exists(*m_file, error)) {
        return;
    }
    nlohmann::json scores;
    try {
        const std::vector<std::uint8_t> bytes = platform::ReadWholeFile(m_file->string(), 1 << 20);
        scores = nlohmann::json::parse(bytes.begin(), bytes.end());
    } catch (const std::exception& problem) {
        m_broken = true;
        m_tell(m_file->string() + ": not a file of best scores, ignored (" + problem.what() + ")");
        return;
    }
    if (!scores.is_object()) {
        m_broken = true;
        m_tell(m_file->string() + ": not a file of best scores, ignored (no JSON object)");
        return;
    }
    for (const auto& [name, value] : scores.items()) {
        if (DifficultyNamed(name) && value.is_number_integer() && value.get<std::int64_t>() >= 0) {
            m_best[name] = value.get<std::int64_t>();
        }
    }
    for (const auto& [name, value] : m_best) {
        scores.erase(name);
    }
    m_others = scores.dump();
}

std::int64_t TBestScores::Best(TDifficulty difficulty) const {
    const auto found = m_best.find(DifficultyRules(difficulty).Name);
    return found == m_best.end() ? 0 : found->second;
}

std::int64_t TBestScores::Record(TDifficulty difficulty, std::int64_t score) {
    const std::int64_t earlier = Best(difficulty);
    if (score > earlier) {
        m_best[std::string(DifficultyRules(difficulty).Name)] = score;
        Write();
    }
    return earlier;
}

void TBestScores::Write() {
    if (!m_file) {
        return;
    }
    nlohmann::json scores = nlohmann::json::parse(m_others);
    for (const auto& [name, value] : m_best) {
        scores[name] = value;
    }
    const std::string text = scores.dump(2) + "\n";
    try {
        std::error_code error;
        fs::create_directories(m_file->parent_path(), error);
        if (m_broken) {
            fs::rename(*m_file, m_file->parent_path() / kBrokenName, error);
            if (error) {
                throw platform::FileError(m_file->string() + ": cannot be set aside: " + error.message());
            }
            m_broken = false;
        }
        platform::WriteFileAtomically(m_file->string(), std::vector<std::uint8_t>(text.begin(), text.end()));
    } catch (const std::exception& problem) {
        m_tell(std::string("the best score is not kept: ") + problem.what());
    }
}

}  // namespace game
