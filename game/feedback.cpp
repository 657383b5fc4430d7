#include "game/data_module.h"
#include "game/tower_kinds.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace game {

using namespace engine;

namespace {

std::string OneDecimal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

// A tower's range as the player reads it: the distances between which it takes a bug.
std::string RangeText(const rules::TTowerRules& tower) {
    const std::string outer = OneDecimal(std::sqrt(static_cast<float>(tower.MaxRange2)));
    return tower.MinRange2 > 0 ? OneDecimal(std::sqrt(static_cast<float>(tower.MinRange2))) + " to " + outer
                               : "up to " + outer;
}

// A rocket's blast takes the most at the point it strikes.
std::string DamageText(const TTowerKind& kind) {
    switch (kind.Weapon) {
    case TTowerWeapon::Missile:
        return "up to " + std::to_string(std::lround(rules::BlastBase * rules::BlastFactor / kind.Rules.FireInterval)) +
               "/s, blast";
    case TTowerWeapon::Gun:
        return std::to_string(std::lround(rules::GatlingDamage / kind.Rules.FireInterval)) + "/s";
    case TTowerWeapon::Beam:
        return std::to_string(std::lround(rules::BeamDamagePerSecond)) + "/s";
    }
    return "";
}

std::string Plural(int count, const char* one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

}  // namespace

// The view's words and signs: what the button under the pointer does, the speed, the repair mode,
// the survival game's wave, the combat overlay. The pause's sign and dimming show with the pause.
void TDataModule2::ShowFeedback() {
    ShowTooltip();
    Hud.ShowSpeed(State.Speed);
    Hud.RepairBox->SetVisible(State.RepairMode);
    ShowWaveLine();
    ShowCombatOverlay();
}

// Once the pointer has rested on a button for a while, in the run's time, its tooltip shows.
void TDataModule2::ShowTooltip() {
    const int button = State.Defeated ? -1 : ButtonAt(State.MouseX, State.MouseY);
    if (button != m_hoveredButton) {
        m_hoveredButton = button;
        m_hoverSeconds = 0;
    } else if (button != -1) {
        m_hoverSeconds += rules::StepSeconds;
    }
    // A hair of tolerance: the steps' seconds add up to the delay with rounding.
    const bool shown = button != -1 && m_hoverSeconds >= rules::TooltipDelay - 1e-9;
    Hud.ShowTooltip(shown ? TooltipText(button) : "", shown ? Scene.gui_bar->ChildAt(button)->Position().X() : 0);
}

std::string TDataModule2::TooltipText(int button) const {
    const std::string price = "Price " + std::to_string(ButtonPrice(button));
    if (const TTowerKind* kind = TowerKindOfButton(button)) {
        return std::string(kind->Name) + "\r" + price + "\rRange " + RangeText(kind->Rules) + "\rDamage " +
               DamageText(*kind);
    }
    return "Repair the base\r" + price + "\rHealth +" + std::to_string(std::lround(rules::RepairHealth)) +
           ", up to " + std::to_string(std::lround(rules::BaseFullHealth));
}

void TDataModule2::ShowWaveLine() {
    const TWaveState& waves = State.Waves;
    if (m_setup.Mode != TGameMode::Survival || State.Defeated) {
        Hud.ShowWaveLine("");
    } else if (waves.Running) {
        Hud.ShowWaveLine("Wave " + std::to_string(waves.Wave) + " - " + Plural(BugsLeftInWave(), "bug") + " left");
    } else {
        const int seconds = static_cast<int>(std::ceil(waves.Countdown));
        Hud.ShowWaveLine("Wave " + std::to_string(waves.Wave + 1) + " in " + std::to_string(seconds) + " - N: now, +" +
                         std::to_string(EarlyCallBonus(waves.Countdown, m_setup.Difficulty)));
    }
}

// Bars over the living bugs that have lost health, and the rewards rising from the kills.
void TDataModule2::ShowCombatOverlay() {
    for (int i = 1; i <= rules::BugCount; ++i) {
        const TBugState& bug = State.BugTable[i];
        const bool wounded = State.CombatOverlay && !bug.Resting && bug.Health > 0 && bug.Health < bug.FullHealth;
        Hud.ShowBugBar(i, wounded ? std::optional<TVec4>(bug.Actor->GetWorldPosition()) : std::nullopt,
                       bug.FullHealth > 0 ? bug.Health / bug.FullHealth : 0);
    }
    Hud.StepPopups(rules::StepSeconds, [this](const TVec4& at) { return ScreenPointOf(at); });
}

void TDataModule2::ToggleCombatOverlay() {
    State.CombatOverlay = !State.CombatOverlay;
    if (!State.CombatOverlay) {
        Hud.ClearPopups();
    }
}

// Where a world point showed in the last frame, in the game's screen pixels (Y from the top); none
// when it lay behind the eye.
std::optional<TVec4> TDataModule2::ScreenPointOf(const TVec4& world) const {
    const TGLRenderBuffer& buffer = Scene.GLFullScreenViewer1.Buffer();
    const TVec4 clip = Transform(Transform(TVec4{world.X, world.Y, world.Z, 1}, buffer.ModelViewMatrix()),
                                 buffer.ProjectionMatrix());
    if (clip.W <= 0) {
        return std::nullopt;
    }
    const auto width = static_cast<float>(Scene.GLFullScreenViewer1.Width());
    const auto height = static_cast<float>(Scene.GLFullScreenViewer1.Height());
    return TVec4{(clip.X / clip.W + 1) / 2 * width, (1 - clip.Y / clip.W) / 2 * height, 0, 1};
}

}  // namespace game
