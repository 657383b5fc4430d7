#include "platform/paths.h"
#include "platform/wav_decoder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
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

    // OpenAL's null device stands for a sound card, so that the runs stay quiet on a machine that has
    // one; the environment given comes after it and may choose another.
    Result Run(const std::string& arguments, const fs::path& program = SKIRMISH_PROGRAM,
               const std::string& environment = "") const {
        const fs::path errors = File("stderr.txt");
        const std::string command = "ALSOFT_DRIVERS=null " + environment + "'" + program.string() + "' " + arguments +
                                    " 2> '" + errors.string() + "' >/dev/null";
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

// The figures of the rules, without the machine's timing and the sound's own keys.
nlohmann::json Rules(nlohmann::json stats) {
    for (const char* key : {"fps", "fpsText", "logicMs", "renderMs", "rssMiB", "peakRssMiB", "audio"}) {
        stats.erase(key);
    }
    return stats;
}

// The mix rendered in game time: the same script writes the same bytes, muted it writes silence of
// the same length, and neither muting nor a missing device changes a rule or a count of the sounds.
TEST_F(SkirmishRun, TheGamesSoundReplaysExactlyAndNeverChangesTheGame) {
    WriteScript(
        "0.2 move 408 550\n"
        "0.4 click 408 550\n"
        "0.6 move 620 380\n"
        "0.9 click 620 380\n"
        "1.0 key pause down\n"
        "1.1 key pause up\n");
    const auto out = [&](const char* name) { return "--audio-out '" + File(name).string() + "'"; };
    const nlohmann::json first = Play(90, "first.json", out("first.wav"));
    const nlohmann::json again = Play(90, "again.json", out("again.wav"));
    const nlohmann::json muted = Play(90, "muted.json", out("muted.wav") + " --mute");
    ASSERT_TRUE(first.is_object() && again.is_object() && muted.is_object());
    EXPECT_EQ(first["audio"], "file");
    EXPECT_EQ(first["sounds"].size(), 14u);
    for (const char* sound : {"ambience", "purchase", "place", "pause"}) {
        EXPECT_EQ(first["sounds"][sound], 1) << sound;
    }
    EXPECT_EQ(first["sounds"]["gatling"], first["gatlingShots"]);
    EXPECT_EQ(Rules(first), Rules(muted));

    const auto bytes = [&](const char* name) { return platform::ReadWholeFile(File(name).string()); };
    EXPECT_EQ(bytes("first.wav"), bytes("again.wav"));
    const platform::PcmSound mix = platform::DecodeWav(bytes("first.wav"));
    const platform::PcmSound silence = platform::DecodeWav(bytes("muted.wav"));
    EXPECT_EQ(mix.SampleRate, 44100);
    EXPECT_EQ(mix.Channels, 2);
    EXPECT_EQ(mix.Frames(), 66150u) << "90 frames of 1/60 s";
    EXPECT_EQ(silence.Frames(), mix.Frames());
    EXPECT_TRUE(std::any_of(mix.Samples.begin(), mix.Samples.end(), [](std::int16_t s) { return s != 0; }));
    EXPECT_TRUE(std::all_of(silence.Samples.begin(), silence.Samples.end(), [](std::int16_t s) { return s == 0; }));

    // No sound device at all: one line says so and the game plays on.
    const Result alone = Run("--windowed --fixed-step 0.0166667 --seed 1 --frames 90 --script '" +
                                 File("play.txt").string() + "' --stats '" + File("alone.json").string() + "'",
                             SKIRMISH_PROGRAM, "ALSOFT_DRIVERS=none ");
    EXPECT_EQ(alone.status, 0);
    EXPECT_EQ(alone.errors, "skirmish: no sound device: playing silently\n");
    std::ifstream in(File("alone.json"));
    const nlohmann::json silent = nlohmann::json::parse(in, nullptr, false);
    ASSERT_TRUE(silent.is_object());
    EXPECT_EQ(silent["audio"], "none");
    EXPECT_EQ(Rules(silent), Rules(first));
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
