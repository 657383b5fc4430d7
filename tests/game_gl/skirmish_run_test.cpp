#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace tests {
namespace {

namespace fs = std::filesystem;

// Plays the built game headless (the tests run under a virtual display) and reads what it wrote.
class SkirmishRun : public ::testing::Test {
protected:
    struct Result {
        int status = -1;
        std::string errors;
    };

    SkirmishRun() : m_folder(fs::temp_directory_path() / ("skirmish-run-" + std::to_string(getpid()))) {
        fs::create_directories(m_folder);
    }
    ~SkirmishRun() override { fs::remove_all(m_folder); }

    fs::path File(const std::string& name) const { return m_folder / name; }

    void WriteScript(const std::string& text) const { std::ofstream(File("play.txt")) << text; }

    Result Run(const std::string& arguments, const fs::path& program = SKIRMISH_PROGRAM) const {
        const fs::path errors = File("stderr.txt");
        const std::string command = "'" + program.string() + "' " + arguments + " 2> '" + errors.string() + "' >/dev/null";
        const int raw = std::system(command.c_str());
        Result result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(errors);
        result.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return result;
    }

    // A replayable game: windowed, a fixed step of 1/60 s, seeded.
    nlohmann::json Play(int frames, const std::string& stats, const std::string& extra = "") const {
        const Result result = Run("--windowed --fixed-step 0.0166667 --seed 1 --frames " + std::to_string(frames) +
                                  " --script '" + File("play.txt").string() + "' --stats '" + File(stats).string() +
                                  "' " + extra);
        EXPECT_EQ(result.status, 0) << result.errors;
        std::ifstream in(File(stats));
        return nlohmann::json::parse(in, nullptr, false);
    }

private:
    fs::path m_folder;
};

// A gatling tower bought and placed in the first seconds; the figures follow the rules, and the
// same seed and script give the same game.
TEST_F(SkirmishRun, AScriptedGameReplaysExactly) {
    WriteScript(
        "0.2 move 408 550\n"
        "0.4 click 408 550\n"
        "0.6 move 620 380\n"
        "1.0 click 620 380\n"
        "1.2 move 400 300\n"
        "2.0 shot " + File("mid.png").string() + "\n");
    const nlohmann::json first = Play(150, "first.json", "--screenshot '" + File("end.png").string() + "'");
    ASSERT_TRUE(first.is_object());
    EXPECT_EQ(first["frames"], 150);
    EXPECT_NEAR(first["gameTime"].get<double>(), 150 * 0.0166667, 1e-6);
    EXPECT_EQ(first["money"], 490);
    EXPECT_EQ(first["moneyText"], ":490");
    EXPECT_EQ(first["towers"]["gatling"], 1);
    EXPECT_EQ(first["placing"], false);
    EXPECT_EQ(first["baseModel"], "base_d0");
    EXPECT_EQ(first["bugsAlive"], 40);
    EXPECT_EQ(first["nonFinite"], 0);
    EXPECT_NEAR(first["sunElevation"].get<double>(), 40 - 4 * 150 * 0.0166667, 1e-3);
    const std::string fps = first["fpsText"];
    EXPECT_FALSE(fps.empty());
    EXPECT_EQ(fps.find_first_not_of("0123456789"), std::string::npos) << fps;
    EXPECT_TRUE(fs::file_size(File("end.png")) > 10000);
    EXPECT_TRUE(fs::file_size(File("mid.png")) > 10000);

    const nlohmann::json second = Play(150, "second.json");
    for (const char* key : {"money", "baseHealth", "camera", "bugHealthMin", "towerCount", "sunElevation"}) {
        EXPECT_EQ(first[key], second[key]) << key;
    }
}

TEST_F(SkirmishRun, AnswersItsCommandLine) {
    EXPECT_EQ(Run("--help").status, 0);
    const Result unknown = Run("--bogus");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.errors.find("--bogus"), std::string::npos);
    WriteScript("0 move 400 300\n0.5 fly away\n");
    const Result badScript = Run("--frames 1 --script '" + File("play.txt").string() + "'");
    EXPECT_EQ(badScript.status, 2);
    EXPECT_NE(badScript.errors.find("play.txt:2: unknown event 'fly'"), std::string::npos) << badScript.errors;
}

// Without its data beside it the game ends at start-up with the loader's message and status 1.
TEST_F(SkirmishRun, EndsWithTheErrorWhenItsDataIsMissing) {
    const fs::path lonely = File("skirmish");
    fs::copy_file(SKIRMISH_PROGRAM, lonely);
    const Result result = Run("--windowed --frames 5", lonely);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("terrain.jpg"), std::string::npos) << result.errors;
}

}  // namespace
}  // namespace tests
