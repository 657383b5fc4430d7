#pragma once

#include "engine/audio/sound_system.h"
#include "game/sound_sink.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace engine {
class TGLHUDText;
}

namespace game {

class TDataModule2;

// The game's sound for one run: the sound system the command line asks for, listening to the
// game's handlers, with the wind over the valley from the start. Once a pass of the game loop it
// takes the camera as its listener and lets the pass's seconds play, so that at a higher game
// speed the extra steps' events gather into the same seconds and nothing plays faster. The sound
// keys change the level and show it for a second at the top right (0 while muted: the font has only
// digits). It must die before the game.
class TGameAudio final : public TSoundSink {
public:
    static constexpr double kLevelShownSeconds = 1.0;

    // Reads the sounds from `folder`; throws engine::EAudioError when a file output cannot be made.
    TGameAudio(TDataModule2& game, const std::filesystem::path& folder, const engine::TAudioOptions& options);
    ~TGameAudio() override;
    TGameAudio(const TGameAudio&) = delete;
    TGameAudio& operator=(const TGameAudio&) = delete;

    // Lines the user should read: no device, sounds that did not load.
    const std::vector<std::string>& Problems() const { return m_system.Problems(); }
    // After each pass of the game loop, paused ones too.
    void AfterPass(double seconds);
    // "sounds": how often each effect started, by name; "audio": where the mix went.
    nlohmann::json Report() const;
    // Writes the file output, replacing the file atomically. Throws platform::FileError.
    void Finish() const { m_system.Finish(); }
    const engine::TSoundSystem& System() const { return m_system; }

    void Play(engine::TGameSound sound, const engine::TVec4& at) override;
    void StartLoop(engine::TGameSound sound, int owner, const engine::TVec4& at) override;
    void StopLoop(engine::TGameSound sound, int owner) override;
    void SetPaused(bool paused) override;
    void ToggleMuted() override;
    void ChangeVolume(int percent) override;

private:
    void ShowLevel();

    TDataModule2& m_game;
    engine::TSoundSystem m_system;
    engine::TGLHUDText* m_levelText = nullptr;
    double m_levelShownFor = 0;
};

}  // namespace game
