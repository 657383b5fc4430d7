#pragma once

#include "engine/hud/bitmap_font.h"
#include "engine/hud/hud_sprite.h"
#include "engine/hud/hud_text.h"
#include "engine/hud/sprite.h"
#include "engine/scene/dummy_cube.h"
#include "game/game_rules.h"

#include <array>
#include <optional>
#include <string>

namespace game {

struct TDesignedScene;

// The game's own words and signs on screen, beside the designed HUD (which stays as it is): the
// tooltips of the panel's buttons, the speed and repair signs, the dimmed scene and words of the
// pause, the survival game's wave line and its panel when the base has fallen, and the combat
// overlay (health bars over wounded bugs, a reward rising from each kill). They write with a font of
// their own, since the designed one has only digits. Every node is made once, here, and shown or
// hidden; the overlay's bars stand in the world and draw before the HUD, the rest are HUD objects
// drawn after the designed ones.
struct TGameHud {
    explicit TGameHud(TDesignedScene& scene);
    ~TGameHud();
    TGameHud(const TGameHud&) = delete;
    TGameHud& operator=(const TGameHud&) = delete;

    // Several lines above the button at x, kept on the screen; an empty text hides it.
    void ShowTooltip(const std::string& text, float buttonX);
    // "2x" or "3x" at the top right, nothing at 1x.
    void ShowSpeed(int speed);
    void ShowWaveLine(const std::string& text);
    // The fallen base's panel over the dimmed scene; an empty body hides it.
    void ShowDefeat(const std::string& body);
    // A bug's bar above a point, as long as the share of its health left; none hides it.
    void ShowBugBar(int bug, const std::optional<engine::TVec4>& above, float share);
    // A reward rising from above a bug at a world point; the oldest gives way when all are in use.
    void AddPopup(const engine::TVec4& at, const std::string& text);
    // Ages the rewards by the seconds and places them where the point shows on screen (none: behind
    // the eye, hidden).
    template <class Project>
    void StepPopups(double seconds, Project&& project) {
        for (TPopup& popup : m_popups) {
            popup.Age += seconds;
            const bool living = popup.Age < PopupSeconds;
            const std::optional<engine::TVec4> at = living ? project(popup.At) : std::nullopt;
            popup.Text->SetVisible(at.has_value());
            if (at) {
                PlacePopup(popup, *at);
            }
        }
    }
    void ClearPopups();
    int PopupsShown() const;

    static constexpr double PopupSeconds = 1.2;
    static constexpr int PopupCount = 16;

    engine::TGLBitmapFont TextFont;
    engine::TGLDummyCube* Root = nullptr;   // the HUD objects, last under the scene's root
    engine::TGLDummyCube* Bars = nullptr;   // the overlay's bars, last under `scene`
    // The dimmed scene and words of the pause, shown with the designed sign and drawn before it.
    engine::TGLDummyCube* PauseDim = nullptr;
    engine::TGLHUDSprite* TooltipBox = nullptr;
    engine::TGLHUDText* Tooltip = nullptr;
    engine::TGLHUDText* SpeedSign = nullptr;
    engine::TGLHUDSprite* RepairBox = nullptr;
    engine::TGLHUDText* RepairSign = nullptr;
    engine::TGLHUDText* WaveLine = nullptr;
    engine::TGLHUDSprite* DefeatDim = nullptr;
    engine::TGLHUDSprite* DefeatBox = nullptr;
    engine::TGLHUDText* DefeatTitle = nullptr;
    engine::TGLHUDText* DefeatBody = nullptr;
    engine::TGLHUDText* DefeatKeys = nullptr;
    struct TBugBar {
        engine::TGLSprite* Frame = nullptr;
        engine::TGLSprite* Fill = nullptr;
    };
    std::array<TBugBar, rules::BugCount + 1> BugBars{};  // by bug index; 0 unused

private:
    struct TPopup {
        engine::TGLHUDText* Text = nullptr;
        engine::TVec4 At;
        double Age = PopupSeconds;
    };
    void PlacePopup(TPopup& popup, const engine::TVec4& screen);

    std::array<TPopup, PopupCount> m_popups{};
    int m_nextPopup = 0;
};

}  // namespace game
