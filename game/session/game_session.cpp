#include "game/session/game_session.h"

#include "engine/platform/application.h"
#include "engine/platform/keyboard_state.h"
#include "engine/platform/sdl_video.h"
#include "game/data_module.h"
#include "game/session/best_scores.h"
#include "game/session/command_line.h"
#include "game/session/game_audio.h"
#include "game/session/game_clock.h"
#include "game/session/game_script.h"
#include "game/session/run_stats.h"
#include "game/session/screen_capture.h"
#include "platform/data_folder.h"
#include "platform/paths.h"
#include "platform/png_writer.h"
#include "platform/version.h"
#include "platform/write_folder.h"

#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <optional>

namespace game {

namespace {

constexpr const char* kProgramName = "skirmish";

// Errors that reach the application loop while the game runs: told, and the game goes on.
void ReportToUser(const std::string& message, bool unattended) {
    std::cerr << kProgramName << ": " << message << '\n';
    if (!unattended) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kProgramName, message.c_str(), nullptr);
    }
}

void WriteText(const std::string& path, const std::string& text) {
    platform::WriteFileAtomically(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

engine::TAudioOptions AudioOptions(const TGameOptions& options) {
    engine::TAudioOptions audio;
    audio.Output = options.AudioOut.empty() ? engine::aoDevice : engine::aoFile;
    audio.File = options.AudioOut;
    audio.Volume = options.Volume;
    audio.Muted = options.Mute;
    return audio;
}

// Every file the run will write, made absolute (the game moves to its own folder) and checked before
// the game starts, so that a long game does not end with nowhere to put what it was asked for.
void PrepareOutputs(TGameOptions& options, std::vector<TScriptEvent>& script) {
    std::vector<std::string*> outputs{&options.Screenshot, &options.Stats, &options.AudioOut};
    for (TScriptEvent& event : script) {
        if (event.Kind == TScriptEvent::TKind::Shot) {
            outputs.push_back(&event.File);
        }
    }
    for (std::string* path : outputs) {
        if (!path->empty()) {
            *path = std::filesystem::absolute(*path).string();
            platform::CheckWritable(*path);
        }
    }
}

// The display, held for the whole run, so that its absence is told before anything is loaded. SDL
// would fall back to a driver that shows nothing and reads no input, and the game would run unseen.
class TDisplay {
public:
    TDisplay() : m_held(engine::AcquireSdlVideo()) {}
    ~TDisplay() {
        if (m_held) {
            engine::ReleaseSdlVideo();
        }
    }
    TDisplay(const TDisplay&) = delete;
    TDisplay& operator=(const TDisplay&) = delete;
    bool Held() const { return m_held; }

private:
    bool m_held;
};

struct TRunResult {
    nlohmann::json Stats;
    platform::Image LastFrame;
};

void Tell(const std::string& line) {
    std::cerr << kProgramName << ": " << line << '\n';
}

TRunResult Play(const TGameOptions& options, std::vector<TScriptEvent> script, const std::filesystem::path& folder) {
    TDataModule2 game(TGameSetup{folder, options.Seed, options.Windowed, options.Mode, options.Difficulty});
    // Only the survival game keeps scores: a game that falls counts, and so does one the player leaves.
    std::optional<TBestScores> scores;
    if (options.Mode == TGameMode::Survival) {
        scores.emplace(TBestScores::DefaultFile(platform::CurrentUserFolders()), Tell);
        game.OnFallen = [&](std::int64_t score) { return scores->Record(options.Difficulty, score); };
    }
    TGameClock clock(game, options.FixedStep);
    TRunStats stats(game);
    TScreenCapture capture(game, !options.Screenshot.empty());
    TGameAudio audio(game, folder / "sounds", AudioOptions(options));
    for (const std::string& problem : audio.Problems()) {
        Tell(problem);
    }
    TScriptPlayer player(std::move(script));
    game.OnScreenshot = [&capture] { capture.Request(ScreenshotPath(), true); };
    game.OnWarning = Tell;
    game.OnBeforePass = [&] {
        // The script's input follows what the pass pumps of the real input (the pointer's echo of
        // the game's own moves), as it would have queued behind it, and comes before the clock's calls.
        engine::Application().MainThreadCalls().Post([&] {
            player.Deliver(clock.RunTime(), game.Scene.GLFullScreenViewer1,
                           [&](const std::string& path) { capture.Request(path); });
        });
        clock.BeforePass();
        stats.BeforePass();
    };
    game.OnAfterPass = [&] {
        stats.AfterPass();
        audio.AfterPass(clock.PassSeconds());
        if (options.Frames && stats.Frames() >= *options.Frames && game.Scene.GLFullScreenViewer1.ScreenActive()) {
            char quit = '0';
            game.GLFullScreenViewer1KeyPress(&game.Scene.GLFullScreenViewer1, quit);
        }
        clock.AfterPass();
    };
    game.DataModuleCreate();
    if (scores && !game.State.Defeated) {
        scores->Record(options.Difficulty, game.Score());
    }
    engine::ReleaseScriptedKeys();
    audio.Finish();
    nlohmann::json figures = stats.Report();
    figures.update(audio.Report());
    return TRunResult{figures, capture.LastFrame()};
}

}  // namespace

int RunSkirmish(const std::string& programPath, const std::vector<std::string>& arguments) {
    TGameOptions options;
    std::vector<TScriptEvent> script;
    try {
        options = ParseCommandLine(arguments);
        if (options.Help) {
            std::cout << UsageText();
            return 0;
        }
        if (options.Version) {
            std::cout << platform::VersionLine(kProgramName);
            return 0;
        }
        if (!options.Script.empty()) {
            script = LoadScript(std::filesystem::absolute(options.Script), 800, 600);
        }
        PrepareOutputs(options, script);
    } catch (const std::exception& error) {
        std::cerr << kProgramName << ": " << error.what() << '\n';
        return 2;
    }
    const TDisplay display;
    if (!display.Held()) {
        std::cerr << kProgramName << ": no display to show the game on (neither DISPLAY nor WAYLAND_DISPLAY "
                                     "leads to one)\n";
        return 1;
    }
    const bool unattended = options.Frames.has_value();
    engine::Application().OnException = [unattended](const std::exception& error) {
        ReportToUser(error.what(), unattended);
    };
    std::optional<TRunResult> result;
    try {
        // The data lies beside the program in the build tree and in ../share/skirmish/ when installed.
        result = Play(options, std::move(script),
                      platform::FindDataFolder(platform::ProgramFolder(programPath), kProgramName, "models"));
    } catch (const std::exception& error) {
        // The game is gone by now and the desktop's display mode is back.
        ReportToUser(error.what(), unattended);
        return 1;
    }
    try {
        if (!options.Screenshot.empty() && result->LastFrame.Width > 0) {
            platform::WritePng(options.Screenshot, result->LastFrame);
        }
        if (!options.Stats.empty()) {
            WriteText(options.Stats, result->Stats.dump(2) + "\n");
        }
    } catch (const std::exception& error) {
        std::cerr << kProgramName << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace game
