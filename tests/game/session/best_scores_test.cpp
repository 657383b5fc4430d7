#include "game/session/best_scores.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <nlohmann/json.hpp>

namespace tests {
namespace {

namespace fs = std::filesystem;
using game::TBestScores;
using game::TDifficulty;

class BestScoresTest : public ::testing::Test {
protected:
    BestScoresTest() : folder(fs::temp_directory_path() / ("best-scores-" + std::to_string(getpid()))) {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    ~BestScoresTest() override { fs::remove_all(folder); }

    fs::path File() const { return folder / "skirmish" / "best-scores.json"; }
    void Write(const std::string& text) const {
        fs::create_directories(File().parent_path());
        std::ofstream(File()) << text;
    }
    std::string Read(const fs::path& file) const {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    TBestScores Scores() {
        return TBestScores(File(), [this](const std::string& line) { told.push_back(line); });
    }

    fs::path folder;
    std::vector<std::string> told;
};

// The folder follows XDG_DATA_HOME when it is an absolute path, else the home's ~/.local/share.
TEST_F(BestScoresTest, TheFileLivesInTheXdgDataFolderElseUnderTheHome) {
    struct Case {
        platform::TUserFolders user;
        std::optional<fs::path> file;
    };
    const Case cases[] = {
        {{"/data", "/home/player"}, "/data/skirmish/best-scores.json"},
        {{"relative/data", "/home/player"}, "/home/player/.local/share/skirmish/best-scores.json"},
        {{"", "/home/player"}, "/home/player/.local/share/skirmish/best-scores.json"},
        {{"", ""}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TBestScores::DefaultFile(c.user), c.file) << c.user.DataHome << " " << c.user.Home;
    }
}

// A better score is written, per difficulty, with the folder made as needed; a worse one changes
// nothing; the answer is always the best of the earlier games. The file's other keys stay.
TEST_F(BestScoresTest, OnlyABetterScoreIsWrittenAndTheRestOfTheFileStays) {
    {
        TBestScores scores = Scores();
        EXPECT_EQ(scores.Record(TDifficulty::Normal, 300), 0);
        EXPECT_EQ(scores.Record(TDifficulty::Normal, 200), 300);
        EXPECT_EQ(scores.Record(TDifficulty::Hard, 50), 0);
    }
    EXPECT_EQ(nlohmann::json::parse(Read(File())), (nlohmann::json{{"normal", 300}, {"hard", 50}}));
    Write(R"({"normal": 300, "player": "Ann", "easy": -5, "hard": "many"})");
    TBestScores scores = Scores();
    EXPECT_EQ(scores.Best(TDifficulty::Normal), 300);
    EXPECT_EQ(scores.Best(TDifficulty::Easy), 0);
    EXPECT_EQ(scores.Record(TDifficulty::Normal, 301), 300);
    const nlohmann::json written = nlohmann::json::parse(Read(File()));
    EXPECT_EQ(written["normal"], 301);
    EXPECT_EQ(written["player"], "Ann");
    EXPECT_TRUE(told.empty());
}

// A file that is no file of scores is ignored with one line, never a crash, and is set aside (not
// lost) when a score is first written; a score that cannot be written is told and the game goes on.
TEST_F(BestScoresTest, ABrokenFileIsIgnoredToldAndSetAsideNotLost) {
    for (const std::string& broken : {std::string("{\"normal\": 12"), std::string("[1, 2]"), std::string("\xff\xfe")}) {
        Write(broken);
        told.clear();
        TBestScores scores = Scores();
        ASSERT_EQ(told.size(), 1u) << broken;
        EXPECT_NE(told[0].find(File().string()), std::string::npos);
        EXPECT_EQ(scores.Best(TDifficulty::Normal), 0);
        EXPECT_EQ(scores.Record(TDifficulty::Normal, 40), 0);
        EXPECT_EQ(Read(folder / "skirmish" / "best-scores.broken.json"), broken);
        EXPECT_EQ(nlohmann::json::parse(Read(File())), (nlohmann::json{{"normal", 40}}));
        fs::remove(File());
    }
    if (geteuid() != 0) {
        fs::permissions(File().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
        told.clear();
        TBestScores scores = Scores();
        EXPECT_EQ(scores.Record(TDifficulty::Easy, 10), 0);
        EXPECT_EQ(scores.Best(TDifficulty::Easy), 10) << "kept for the run";
        EXPECT_EQ(told.size(), 1u);
        fs::permissions(File().parent_path(), fs::perms::owner_all);
    }
}

}  // namespace
}  // namespace tests
