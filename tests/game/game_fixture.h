#pragma once

#include "engine/platform/application.h"
#include "engine/platform/keyboard_state.h"
#include "game/data_module.h"
#include "game/session/game_clock.h"
#include "tools/assetgen/game_images/game_images.h"
#include "tools/assetgen/game_models/game_models.h"
#include "tools/assetgen/game_sounds/game_sounds.h"
#include "tools/writers/output_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace tests {

// The game's data folder: the build's own when the build generated it, otherwise a copy generated
// once for the test program.
inline std::filesystem::path GameDataFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path built = GAME_BUILD_BIN;
        if (std::filesystem::exists(built / "models" / "terrain_low.3ds") &&
            std::filesystem::exists(built / "textures" / "terrain.jpg") &&
            std::filesystem::exists(built / "sounds" / "ambience.wav")) {
            return built;
        }
        const std::filesystem::path generated = std::filesystem::temp_directory_path() / "skirmish-test-data";
        tools::OutputFolder output(generated);
        tools::assetgen::GenerateGameImages(output);
        tools::assetgen::GenerateGameModels(output);
        tools::assetgen::GenerateGameSounds(output);
        return generated;
    }();
    return folder;
}

// A started game without a screen: every start-up step has run, the frame clock is on, and frames
// are made by the loop's own passes with a fixed step of 1/85 s, one world and one view step each.
class GameTest : public ::testing::Test {
protected:
    static constexpr double kStep = game::rules::StepSeconds;

    GameTest() { Restart(kStep); }
    // A new game of the mode whose passes last the step.
    void Restart(double step, game::TGameMode mode = game::TGameMode::Classic) {
        clock.reset();
        game.reset();
        // No screen is taken; without a display SDL would try every video system for each cursor.
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        game = std::make_unique<game::TDataModule2>(game::TGameSetup{GameDataFolder(), 1, false, mode});
        clock = std::make_unique<game::TGameClock>(*game, step);
        game->StartUp();
        game->Scene.GLCadencer1.SetEnabled(true);
    }
    ~GameTest() override {
        engine::ReleaseScriptedKeys();
        clock.reset();
        game.reset();
    }

    // One pass of the game loop: timers due, input, the frame.
    void Frame(int count = 1) {
        for (int i = 0; i < count; ++i) {
            clock->BeforePass();
            engine::Application().ProcessMessages();
        }
    }

    game::TGameState& State() { return game->State; }
    game::TDesignedScene& Scene() { return game->Scene; }

    std::unique_ptr<game::TDataModule2> game;
    std::unique_ptr<game::TGameClock> clock;
};

}  // namespace tests
