#include "game/session/game_audio.h"

#include "engine/hud/hud_text.h"
#include "game/data_module.h"

#include <string>

namespace game {

using namespace engine;

TGameAudio::TGameAudio(TDataModule2& game, const std::filesystem::path& folder, const TAudioOptions& options)
    : m_game(game), m_system(GameSoundTraits(), folder, options) {
    TDesignedScene& scene = game.Scene;
    // Beside the designed nodes, in the designed font: the money and frame-rate texts stay as they are.
    m_levelText = scene.World1.Objects().CreateChild<TGLHUDText>();
    m_levelText->SetName("sound_level");
    m_levelText->SetBitmapFont(&scene.GLBitmapFont1);
    m_levelText->SetPosition(TVec4{792, 8, 0, 1});
    m_levelText->SetAlignment(taRightJustify);
    m_levelText->SetLayout(tlTop);
    m_levelText->SetVisible(false);
    m_system.StartLoop(gsAmbience, 0);
    game.SetSoundSink(this);
}

TGameAudio::~TGameAudio() {
    m_game.SetSoundSink(nullptr);
    m_levelText->Free();
}

void TGameAudio::AfterPass(double seconds) {
    if (m_levelShownFor > 0) {
        m_levelShownFor -= seconds;
        m_levelText->SetVisible(m_levelShownFor > 0);
    }
    const TGLCamera& camera = *m_game.Scene.GLCamera1;
    m_system.SetListener(Affine(camera.GetWorldPosition()), Normalize(Affine(camera.GetWorldDirection())),
                         Normalize(Affine(camera.GetWorldUp())));
    m_system.Step(seconds);
}

nlohmann::json TGameAudio::Report() const {
    nlohmann::json sounds = nlohmann::json::object();
    for (const auto& [name, count] : m_system.StartCounts()) {
        sounds[std::string(name)] = count;
    }
    return {{"sounds", sounds}, {"audio", m_system.OutputName()}};
}

void TGameAudio::Play(TGameSound sound, const TVec4& at) { m_system.Play(sound, Affine(at)); }

void TGameAudio::StartLoop(TGameSound sound, int owner, const TVec4& at) {
    m_system.StartLoop(sound, owner, Affine(at));
}

void TGameAudio::StopLoop(TGameSound sound, int owner) { m_system.StopLoop(sound, owner); }

void TGameAudio::SetPaused(bool paused) { m_system.SetPaused(paused); }

void TGameAudio::ToggleMuted() {
    m_system.SetMuted(!m_system.Muted());
    ShowLevel();
}

// A player who turns the volume wants to hear it: the volume keys also end a mute.
void TGameAudio::ChangeVolume(int percent) {
    m_system.SetVolume(m_system.Volume() + percent);
    m_system.SetMuted(false);
    ShowLevel();
}

void TGameAudio::ShowLevel() {
    m_levelText->SetText(std::to_string(m_system.Muted() ? 0 : m_system.Volume()));
    m_levelText->SetVisible(true);
    m_levelShownFor = kLevelShownSeconds;
}

}  // namespace game
