#include "platform/paths.h"
#include "platform/wav_decoder.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

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

    // Starts the game in the background with its errors in a file; answers its process.
    pid_t Start(const std::string& arguments) const {
        const std::string command = "exec '" + std::string(SKIRMISH_PROGRAM) + "' " + arguments;
        const std::string errors = File("stderr.txt").string();
        const pid_t pid = fork();
        if (pid == 0) {
            const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int null = open("/dev/null", O_WRONLY);
            dup2(err, 2);
            dup2(null, 1);
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }
    // Waits for the started game to end (killing it after a minute) and reads its errors.
    Result Finish(pid_t pid) const {
        int raw = 0;
        for (int i = 0; i < 600 && waitpid(pid, &raw, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        if (waitpid(pid, &raw, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &raw, 0);
        }
        Result result;
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        std::ifstream in(File("stderr.txt"));
        result.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return result;
    }
    // Waits until a file exists, for at most a minute.
    bool Await(const fs::path& file) const {
        for (int i = 0; i < 600 && !fs::exists(file); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return fs::exists(file);
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
    // The whole steps of 1/85 s in 150 frames of 1/60 s.
    EXPECT_NEAR(first["gameTime"].get<double>(), 212.0 / 85, 1e-6);
    EXPECT_EQ(first["money"], 490);
    EXPECT_EQ(first["moneyText"], ":490");
    EXPECT_EQ(first["towers"]["gatling"], 1);
    EXPECT_EQ(first["placing"], false);
    EXPECT_EQ(first["baseModel"], "base_d0");
    EXPECT_EQ(first["bugsAlive"], 40);
    EXPECT_EQ(first["nonFinite"], 0);
    EXPECT_NEAR(first["sunElevation"].get<double>(), 40 - 4 * 212.0 / 85, 1e-3);
    EXPECT_EQ(first["mode"], "classic");
    EXPECT_EQ(first["wave"], 0);
    EXPECT_EQ(first["defeated"], false);
    EXPECT_EQ(first["restarts"], 0);
    EXPECT_EQ(first["towersSold"], 0);
    EXPECT_NEAR(first["timeSurvived"].get<double>(), 212.0 / 85, 1e-6);
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
        EXPECT_TRUE(std::regex_match(name, std::regex(R"(skirmish-\d{8}-\d{6}\.png)"))) << name;
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
    EXPECT_EQ(first["sounds"].size(), 17u);
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

// A survival game at 3x with two gatling towers by the base: the first wave takes the base, the
// panel shows, the best score goes into the data folder (the broken file found there set aside, told
// in one line), and R starts the game again from nothing.
TEST_F(SkirmishRun, ASurvivalGameFallsKeepsItsBestScoreAndStartsAgain) {
    WriteScript(
        "0.1 key home down\n0.15 key home up\n"
        "0.3 move 408 550\n0.5 click 408 550\n0.7 move 230 300\n0.9 click 230 300\n"
        "1.2 click 408 550\n1.4 move 580 330\n1.6 click 580 330\n1.8 move 400 200\n"
        "2.0 key f7 down\n2.05 key f7 up\n2.1 key n down\n2.15 key n up\n"
        "22.8 shot " + File("fallen.png").string() + "\n"
        "23.5 key r down\n23.55 key r up\n");
    const fs::path scores = File("data") / "skirmish" / "best-scores.json";
    fs::create_directories(scores.parent_path());
    std::ofstream(scores) << "{broken";
    const Result result = Run("--windowed --survival --fixed-step 0.0166667 --seed 1 --frames 1500 --script '" +
                                  File("play.txt").string() + "' --stats '" + File("survival.json").string() + "'",
                              SKIRMISH_PROGRAM, "XDG_DATA_HOME='" + File("data").string() + "' ");
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1) << result.errors;
    EXPECT_NE(result.errors.find("best-scores.json: not a file of best scores, ignored"), std::string::npos);
    std::ifstream in(File("survival.json"));
    const nlohmann::json stats = nlohmann::json::parse(in, nullptr, false);
    ASSERT_TRUE(stats.is_object());
    EXPECT_EQ(stats["mode"], "survival");
    EXPECT_EQ(stats["restarts"], 1);
    EXPECT_EQ(stats["defeated"], false);
    EXPECT_EQ(stats["wave"], 0);
    EXPECT_LT(stats["timeSurvived"].get<double>(), 5);
    EXPECT_EQ(stats["money"], 500);
    EXPECT_EQ(stats["baseHealth"], 100);
    EXPECT_EQ(stats["towers"]["gatling"], 0);
    EXPECT_EQ(stats["sounds"]["fallen"], 1);
    EXPECT_EQ(stats["sounds"]["wave"], 1);
    std::ifstream best(scores);
    const nlohmann::json kept = nlohmann::json::parse(best, nullptr, false);
    ASSERT_TRUE(kept.is_object());
    EXPECT_GT(kept["normal"].get<int>(), 0);
    EXPECT_TRUE(fs::exists(scores.parent_path() / "best-scores.broken.json"));
    EXPECT_GT(fs::file_size(File("fallen.png")), 10000u);
}

TEST_F(SkirmishRun, AnswersItsCommandLine) {
    EXPECT_EQ(Run("--help").status, 0);
    for (const char* bad : {"--bogus", "--difficulty extreme"}) {
        const Result unknown = Run(bad);
        EXPECT_EQ(unknown.status, 2) << bad;
        EXPECT_NE(unknown.errors.find(std::string(bad).substr(0, 7)), std::string::npos) << unknown.errors;
    }
    WriteScript("0 move 400 300\n0.5 fly away\n");
    const Result badScript = Run("--frames 1 --script '" + File("play.txt").string() + "'");
    EXPECT_EQ(badScript.status, 2);
    EXPECT_NE(badScript.errors.find("play.txt:2: unknown event 'fly'"), std::string::npos) << badScript.errors;
}

// An input that cannot be read and an output that cannot be written are usage errors, told before
// the game starts, never a game played for nothing.
TEST_F(SkirmishRun, RefusesFilesItCannotUseBeforeTheGame) {
    const std::string folder = File("").string();
    const std::string missing = File("missing").string() + "/";
    std::ofstream(File("shoot.txt")) << "0.5 shot " << missing << "x.png\n";
    const std::pair<std::string, std::string> cases[] = {
        {"--script ''", "--script needs a file name"},
        {"--stats ''", "--stats needs a file name"},
        {"--screenshot ''", "--screenshot needs a file name"},
        {"--script '" + folder + "'", "Is a directory"},
        {"--script '" + missing + "play.txt'", "No such file or directory"},
        {"--stats '" + missing + "s.json'", "No such file or directory"},
        {"--screenshot '" + folder + "'", "Is a directory"},
        {"--script '" + File("shoot.txt").string() + "'", missing + "x.png"},
    };
    for (const auto& [arguments, told] : cases) {
        const Result result = Run("--windowed --frames 1 " + arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.errors.find(told), std::string::npos) << arguments << ": " << result.errors;
    }
}

// However many events fall due in one frame, every one is played.
TEST_F(SkirmishRun, PlaysEveryEventOfACrowdedFrame) {
    std::string script;
    for (int i = 0; i < 70000; ++i) {
        script += "0.1 move " + std::to_string(300 + i % 400) + " 400\n";
    }
    WriteScript(script + "0.1 move 123 45\n");
    const nlohmann::json stats = Play(20, "crowded.json");
    ASSERT_TRUE(stats.is_object());
    EXPECT_EQ(stats["mouse"], nlohmann::json::array({123, 45}));
}

// Ctrl+C, a kill and the window's close button end a running game as the quit key does: the figures
// are written and the status is 0.
TEST_F(SkirmishRun, EveryQuitRequestEndsTheGameAsTheQuitKeyDoes) {
    struct Case {
        const char* name;
        int signal;  // 0: the script closes the window
    };
    for (const Case& c : {Case{"SIGINT", SIGINT}, Case{"SIGTERM", SIGTERM}, Case{"close", 0}}) {
        SCOPED_TRACE(c.name);
        fs::remove(File("running.png"));
        fs::remove(File("quit.json"));
        WriteScript("0.3 shot " + File("running.png").string() + "\n" + (c.signal ? "" : "0.6 close\n"));
        const pid_t game = Start("--windowed --fixed-step 0.0166667 --seed 1 --script '" + File("play.txt").string() +
                                 "' --stats '" + File("quit.json").string() + "'");
        ASSERT_GT(game, 0);
        if (c.signal) {
            EXPECT_TRUE(Await(File("running.png"))) << "the game never ran";
            kill(game, c.signal);
        }
        const Result result = Finish(game);
        EXPECT_EQ(result.status, 0) << result.errors;
        std::ifstream in(File("quit.json"));
        const nlohmann::json stats = nlohmann::json::parse(in, nullptr, false);
        ASSERT_TRUE(stats.is_object());
        EXPECT_GT(stats["frames"].get<int>(), 0);
    }
}

// Without a display the game does not run unseen: it says so and fails.
TEST_F(SkirmishRun, SaysSoWhenThereIsNoDisplay) {
    const Result result = Run("--windowed --frames 5", SKIRMISH_PROGRAM, "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("no display"), std::string::npos) << result.errors;
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
