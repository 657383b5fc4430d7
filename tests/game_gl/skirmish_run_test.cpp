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

    Result Run(const std::string& arguments, const fs::path& program = SKIRMISH_PROGRAM,
               const std::string& environment = "") const {
        const fs::path errors = File("stderr.txt");
        const std::string command =
            environment + "'" + program.string() + "' " + arguments + " 2> '" + errors.string() + "' >/dev/null";
        const int raw = std::system(command.c_str());
        Result result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(errors);
        result.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return result;
    }

    // A replayable game: windowed, a fixed step of 1/60 s, seeded.
    nlohmann::json Play(int frames, const std::string& stats, const std::string& extra = "",
                        const std::string& environment = "") const {
        const Result result = Run("--windowed --fixed-step 0.0166667 --seed 1 --frames " + std::to_string(frames) +
                                      " --script '" + File("play.txt").string() + "' --stats '" + File(stats).string() +
                                      "' " + extra,
                                  SKIRMISH_PROGRAM, environment);
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

// Clicks as a quick player makes them, each in the pass that moves the pointer there: a button is
// taken where it is clicked, a click on the sky while placing buys nothing, and the next button gives
// that placement up for nothing.
TEST_F(SkirmishRun, ClicksActWhereTheyAre) {
    WriteScript(
        "0.2 move 400 300\n"
        "0.5 click 408 550\n"
        "0.8 click 400 100\n"
        "1.0 click 280 550\n"
        "1.2 move 620 380\n"
        "1.5 click 620 380\n");
    const nlohmann::json stats = Play(100, "clicks.json");
    ASSERT_TRUE(stats.is_object());
    EXPECT_EQ(stats["money"], 400);
    EXPECT_EQ(stats["towers"]["rocket"], 1);
    EXPECT_EQ(stats["towers"]["gatling"], 0);
    EXPECT_EQ(stats["placing"], false);
}

// A laser tower for 50, a screenshot by its key into the pictures folder, a pause that stops the
// game's time while frames go on, and three steps a frame at the highest speed.
TEST_F(SkirmishRun, TheComfortKeysPauseSpeedUpAndTakePictures) {
    WriteScript(
        "0.2 move 344 550\n"
        "0.4 click 344 550\n"
        "0.6 move 600 380\n"
        "1.0 click 600 380\n"
        "1.2 move 400 200\n"
        "1.3 key f12 down\n"
        "1.35 key f12 up\n"
        "1.5 key pause down\n"
        "1.55 key pause up\n"
        "2.5 key f9 down\n"
        "2.55 key f9 up\n"
        "2.6 key f7 down\n"
        "2.65 key f7 up\n");
    const nlohmann::json stats =
        Play(180, "comforts.json", "", "XDG_PICTURES_DIR='" + File("pictures").string() + "' ");
    ASSERT_TRUE(stats.is_object());
    EXPECT_EQ(stats["money"], 450);
    EXPECT_EQ(stats["towers"]["laser"], 1);
    EXPECT_EQ(stats["paused"], false);
    EXPECT_EQ(stats["speed"], 3);
    EXPECT_EQ(stats["frames"], 180);
    // 91 frames of one step, 60 paused, 6 of one step, 23 of three.
    EXPECT_NEAR(stats["gameTime"].get<double>(), 166 * 0.0166667, 2 * 0.0166667);
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(File("pictures"))) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.rfind("skirmish-", 0), 0u) << name;
        EXPECT_EQ(entry.path().extension(), ".png");
        EXPECT_GT(fs::file_size(entry.path()), 10000u);
        ++pictures;
    }
    EXPECT_EQ(pictures, 1);
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
