#include "game/session/command_line.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace game {

namespace {

template <class T>
T NumberValue(const std::string& option, const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        throw ECommandLineError(option + ": not a number: '" + text + "'");
    }
    return value;
}

}  // namespace

TGameOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    TGameOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                throw ECommandLineError(option + " needs a value");
            }
            return arguments[++i];
        };
        const auto fileValue = [&]() -> const std::string& {
            const std::string& file = value();
            if (file.empty()) {
                throw ECommandLineError(option + " needs a file name, not an empty one");
            }
            return file;
        };
        if (option == "--help") {
            options.Help = true;
        } else if (option == "--version") {
            options.Version = true;
        } else if (option == "--windowed") {
            options.Windowed = true;
        } else if (option == "--seed") {
            options.Seed = NumberValue<std::uint32_t>(option, value());
        } else if (option == "--fixed-step") {
            options.FixedStep = NumberValue<double>(option, value());
            if (!std::isfinite(options.FixedStep) || options.FixedStep <= 0 || options.FixedStep > 1) {
                throw ECommandLineError(option + ": a step of more than 0 and at most 1 second is needed");
            }
        } else if (option == "--frames") {
            options.Frames = NumberValue<std::int64_t>(option, value());
            if (*options.Frames < 1) {
                throw ECommandLineError(option + ": at least one frame is needed");
            }
        } else if (option == "--script") {
            options.Script = fileValue();
        } else if (option == "--screenshot") {
            options.Screenshot = fileValue();
        } else if (option == "--stats") {
            options.Stats = fileValue();
        } else if (option == "--mute") {
            options.Mute = true;
        } else if (option == "--volume") {
            options.Volume = NumberValue<int>(option, value());
            if (options.Volume < 0 || options.Volume > 100) {
                throw ECommandLineError(option + ": a volume from 0 to 100 is needed");
            }
        } else if (option == "--audio-out") {
            options.AudioOut = fileValue();
        } else if (option == "--survival") {
            options.Mode = TGameMode::Survival;
        } else if (option == "--difficulty") {
            const std::string& name = value();
            const std::optional<TDifficulty> difficulty = DifficultyNamed(name);
            if (!difficulty) {
                throw ECommandLineError(option + ": easy, normal or hard, not '" + name + "'");
            }
            options.Difficulty = *difficulty;
        } else {
            throw ECommandLineError("unknown option '" + option + "'");
        }
    }
    return options;
}

std::string UsageText() {
    return "usage: skirmish [OPTION]...\n"
           "  --windowed            an 800 x 600 resizable window instead of full screen\n"
           "  --seed N              seed the random generator with N instead of the clock\n"
           "  --fixed-step S        every frame lasts exactly S seconds and takes the 1/85 s steps due; no\n"
           "                        frame cap, so that a run replays exactly\n"
           "  --frames N            end after N frames, as the quit key would\n"
           "  --script FILE         replay the timed input events of FILE\n"
           "  --screenshot FILE     write the last frame (800 x 600) as PNG when the game ends\n"
           "  --stats FILE          write the game's figures as JSON when the game ends\n"
           "  --mute                start with the sound off (M turns it on)\n"
           "  --volume N            the sound's volume in percent, 0 to 100 (default 80)\n"
           "  --audio-out FILE      write the whole mix to FILE as WAV (stereo, 44100 Hz) instead of playing it\n"
           "  --survival            the survival game: the bugs come in waves, more and tougher each time,\n"
           "                        until the base falls; the best score of each difficulty is kept in\n"
           "                        $XDG_DATA_HOME/skirmish/best-scores.json (else ~/.local/share/skirmish/)\n"
           "  --difficulty LEVEL    easy, normal (the default) or hard: the bugs' health and speed and the\n"
           "                        money (normal is the designed game's balance, and the survival game's own)\n"
           "  --help                show this text\n"
           "  --version             print the version and exit\n"
           "\n"
           "keys of every game, beside the flight (W A S D R F), the mouse, Pause, F5 to F12, M and 0:\n"
           "  Home                  the camera over the base, looking down on all of it\n"
           "  Delete, Backspace     with the left button held on a placed tower: sell it for half its price\n"
           "  H                     health bars over wounded bugs and the reward rising from each kill\n"
           "                        (off at start in the classic game, on in the survival game)\n"
           "keys of the survival game:\n"
           "  N                     the next wave now, for a bonus of money for the seconds left\n"
           "  R                     once the base has fallen: a new game (else R flies up); 0 quits\n";
}

}  // namespace game
