#include "game/session/command_line.h"
#include "game/session/game_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace tests {
namespace {

using game::ECommandLineError;
using game::EScriptError;
using game::ParseCommandLine;
using game::TScriptEvent;

TEST(CommandLine, TakesEveryOption) {
    const game::TGameOptions options =
        ParseCommandLine({"--windowed", "--seed", "7", "--fixed-step", "0.0166667", "--frames", "300", "--script",
                          "play.txt", "--screenshot", "end.png", "--stats", "s.json", "--mute", "--volume", "35",
                          "--audio-out", "mix.wav", "--survival", "--difficulty", "hard"});
    EXPECT_TRUE(options.Windowed);
    EXPECT_EQ(options.Seed, 7u);
    EXPECT_DOUBLE_EQ(options.FixedStep, 0.0166667);
    EXPECT_EQ(options.Frames, 300);
    EXPECT_EQ(options.Script, "play.txt");
    EXPECT_EQ(options.Screenshot, "end.png");
    EXPECT_EQ(options.Stats, "s.json");
    EXPECT_TRUE(options.Mute);
    EXPECT_EQ(options.Volume, 35);
    EXPECT_EQ(options.AudioOut, "mix.wav");
    EXPECT_EQ(options.Mode, game::TGameMode::Survival);
    EXPECT_EQ(options.Difficulty, game::TDifficulty::Hard);
    EXPECT_TRUE(ParseCommandLine({"--help"}).Help);
    for (const char* named : {"--survival", "--difficulty", "best-scores.json", "Home", "Delete", "  N  ", "  R  "}) {
        EXPECT_NE(game::UsageText().find(named), std::string::npos) << named;
    }
    EXPECT_TRUE(ParseCommandLine({"--windowed", "--version"}).Version);
    const game::TGameOptions plain = ParseCommandLine({});
    EXPECT_FALSE(plain.Windowed);
    EXPECT_FALSE(plain.Mute);
    EXPECT_EQ(plain.Volume, 80);
    EXPECT_TRUE(plain.AudioOut.empty());
    EXPECT_EQ(plain.Mode, game::TGameMode::Classic);
    EXPECT_EQ(plain.Difficulty, game::TDifficulty::Normal);
}

TEST(CommandLine, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> bad = {
        {"--fullscreen"}, {"--seed"},          {"--seed", "x"},        {"--seed", "-1"},
        {"--frames", "0"}, {"--frames", "1e3"}, {"--fixed-step", "0"}, {"--fixed-step", "nan"},
        {"--stats"},      {"stray"},          {"--volume", "101"},    {"--volume", "-1"},
        {"--volume", "5.5"}, {"--audio-out"},    {"--audio-out", ""},  {"--script", ""},
        {"--stats", ""},  {"--screenshot", ""}, {"--difficulty"},  {"--difficulty", "extreme"},
        {"--difficulty", "Hard"},
    };
    for (const auto& arguments : bad) {
        EXPECT_THROW(ParseCommandLine(arguments), ECommandLineError) << arguments[0];
    }
}

std::vector<TScriptEvent> Parse(const std::string& text) {
    std::istringstream in(text);
    return game::ParseScript(in, "play.txt", 800, 600);
}

TEST(Script, ReadsEveryEventSkippingCommentsAndBlankLines) {
    const std::vector<TScriptEvent> events = Parse(
        "# a game\n"
        "\n"
        "0 move 400 300   # centre\n"
        "0.5 click 408 550\n"
        "0.5 down right\n"
        "1 up middle\n"
        "1.5 wheel -120\n"
        "2 key w down\n"
        "2 key shift up\n"
        "2 key f12 down\n"
        "2.5 key home down\n"
        "2.5 key delete down\n"
        "2.5 key backspace up\n"
        "3 type 0\n"
        "3.5 close\n"
        "4 shot out.png\n");
    ASSERT_EQ(events.size(), 14u);
    using TKind = TScriptEvent::TKind;
    EXPECT_EQ(events[0].Kind, TKind::Move);
    EXPECT_EQ(events[0].X, 400);
    EXPECT_EQ(events[1].Kind, TKind::Click);
    EXPECT_EQ(events[1].Y, 550);
    EXPECT_EQ(events[2].Button, engine::mbRight);
    EXPECT_EQ(events[3].Kind, TKind::Up);
    EXPECT_EQ(events[4].WheelDelta, -120);
    EXPECT_EQ(events[5].Key, engine::VirtualKeyOfChar('W'));
    EXPECT_TRUE(events[5].KeyDown);
    EXPECT_EQ(events[6].Key, engine::vkShift);
    EXPECT_FALSE(events[6].KeyDown);
    EXPECT_EQ(events[7].Key, engine::vkF12);
    EXPECT_EQ(events[8].Key, engine::vkHome);
    EXPECT_EQ(events[9].Key, engine::vkDelete);
    EXPECT_EQ(events[10].Key, engine::vkBack);
    EXPECT_EQ(events[11].Character, '0');
    EXPECT_EQ(events[12].Kind, TKind::Close);
    EXPECT_EQ(events[13].File, "out.png");
    EXPECT_DOUBLE_EQ(events[13].Time, 4);
}

// A script that cannot be read is refused with the file's name and the reason, never played as an
// empty one.
TEST(Script, RefusesAFileItCannotReadByName) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "script-test-folder";
    std::filesystem::create_directories(folder);
    const std::pair<std::string, const char*> unreadable[] = {
        {folder.string(), "Is a directory"},
        {(folder / "missing.txt").string(), "No such file or directory"},
    };
    for (const auto& [path, reason] : unreadable) {
        try {
            game::LoadScript(path, 800, 600);
            ADD_FAILURE() << "read: " << path;
        } catch (const EScriptError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(path), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
    std::filesystem::remove_all(folder);
}

// A malformed line is reported with the file and its line number.
TEST(Script, NamesTheFileAndLineOfAMalformedEvent) {
    const std::pair<const char*, const char*> bad[] = {
        {"0 jump", "play.txt:1: unknown event 'jump'"},
        {"# ok\n0 move 800 10", "play.txt:2: x 800 lies off the screen"},
        {"0 move 10", "play.txt:1: missing y"},
        {"1 type 0\n0.5 type 0", "play.txt:2: events must come in time order"},
        {"0 key f13 down", "play.txt:1: unknown key 'f13'"},
        {"0 key w pressed", "play.txt:1: a key goes 'down' or 'up', not 'pressed'"},
        {"0 type ab", "play.txt:1: type takes one printable character"},
        {"-1 type 0", "play.txt:1: the time must be a number of seconds from 0 on"},
        {"0 down left extra", "play.txt:1: unexpected 'extra'"},
        {"x move 1 1", "play.txt:1: time is not a number: 'x'"},
    };
    for (const auto& [text, message] : bad) {
        try {
            Parse(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const EScriptError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

}  // namespace
}  // namespace tests
