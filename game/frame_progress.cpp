#include "engine/effects/source_pfx_effect.h"
#include "game/data_module.h"
#include "game/game_math.h"
#include "game/tower_kinds.h"

#include <array>
#include <cmath>
#include <string>

namespace game {

using namespace engine;

void TDataModule2::GLCadencer1Progress(TComponent*, double deltaTime, double) {
    Figures.GameTime += deltaTime;
    State.TimeSurvived += deltaTime;
    TGLEarthSkyDome& dome = *Scene.GLEarthSkyDome1;
    if (dome.SunElevation() > rules::SunStop) {
        dome.SetSunElevation(dome.SunElevation() - rules::SunRate * static_cast<float>(deltaTime));
    }
    SurvivalProgress(deltaTime);
    if (OnWorldStep) {
        OnWorldStep();
    } else {
        ViewStep();
    }
}

void TDataModule2::ViewStep() {
    Scene.money->SetText(":" + std::to_string(State.Money));
    ShowHealth();
    ShowAffordability();
    TintPlacement();
    MoveCamera();
    WrapAndDragMouse();
    const TVec4& spin = State.SpinVelocity;
    if (std::abs(spin.X) >= rules::SpinThreshold || std::abs(spin.Y) >= rules::SpinThreshold) {
        Scene.cam->TurnBy(spin.X);
        Scene.GLCamera1->PitchBy(spin.Y);
    }
    ShowFeedback();
    // While the world stands, the stars twinkle and the signs stay up though nothing else changes.
    if (State.WorldStands()) {
        Scene.GLFullScreenViewer1.Invalidate();
    }
}

// A button the player cannot take is drawn dimmed; its cursor tells the same.
void TDataModule2::ShowAffordability() {
    for (int i = 0; i < Scene.gui_bar->ChildCount(); ++i) {
        auto* button = dynamic_cast<TGLHUDSprite*>(Scene.gui_bar->ChildAt(i));
        TGLLibMaterial* look = button ? button->Material().LibMaterial() : nullptr;
        if (look) {
            const TVec4& colour = ButtonRefused(i) ? rules::ButtonDimmed : rules::ButtonLit;
            look->Material().FrontProperties().Diffuse().SetColor(colour);
        }
    }
}

// The bar's width, and the base model, smoke and bar colour of the health band; each band acts only
// when the attached model is not already its own, so a change happens once.
void TDataModule2::ShowHealth() {
    const float health = Scene.base->TagFloat();
    Scene.bar->SetWidth(health / rules::HealthPerBarUnit);
    struct Band {
        bool applies;
        const rules::THealthBand& band;
        TGLFreeForm* model;
    };
    const std::array<Band, 3> bands{{
        {health >= rules::DamagedBelow, rules::IntactBand, Scene.base_d0},
        {health >= rules::WreckedBelow && health < rules::DamagedBelow, rules::DamagedBand, Scene.base_d1},
        {health < rules::WreckedBelow, rules::WreckedBand, Scene.base_d2},
    }};
    for (const Band& b : bands) {
        const TGLBaseSceneObject* attached = Scene.base->ChildAt(0);
        if (!b.applies || (attached && attached->Name() == b.band.Model)) {
            continue;
        }
        // Down from intact, or down to wrecked; a repair that lifts the band is no alarm.
        if (b.model == Scene.base_d2 || (b.model == Scene.base_d1 && attached == Scene.base_d0)) {
            Sound().Play(gsAlarm);
        }
        AttachBaseModel(*b.model);
        TGLSourcePFXEffect& smoke = SourceEffectOf(*Scene.base);
        if (b.band.Smoke) {
            smoke.SetPositionDispersion(b.band.SmokeDispersion);
        }
        smoke.SetEnabled(b.band.Smoke);
        Scene.bar->Material().FrontProperties().Diffuse().SetColor(b.band.BarColor);
    }
}

void TDataModule2::AttachBaseModel(TGLFreeForm& model) {
    if (TGLBaseSceneObject* attached = Scene.base->ChildAt(0)) {
        attached->Reparent(Scene.scene);
    }
    model.Reparent(Scene.base);
    for (TGLFreeForm* m : {Scene.base_d0, Scene.base_d1, Scene.base_d2}) {
        m->SetVisible(false);
    }
    Scene.base->ChildAt(0)->SetVisible(true);
}

// The rates decay by 15 % a view step; the camera never sinks closer than the clearance above the
// terrain under where it stood before this step's move, probed straight down from above.
void TDataModule2::MoveCamera() {
    TVec4& velocity = State.MoveVelocity;
    if (velocity.X == 0 && velocity.Y == 0 && velocity.Z == 0) {
        return;
    }
    velocity = Lerp(velocity, ZeroVector, rules::MoveDecay);
    TVec4 rayStart = Scene.cam->GetWorldPosition();
    rayStart.Y = rules::ProbeHeight;
    const TVec4 rayDir = Normalize(WorldDown);
    constexpr auto dt = static_cast<float>(rules::StepSeconds);
    Scene.cam->Advance(velocity.Z * dt);
    Scene.cam->Rise(velocity.Y * dt);
    Scene.cam->Strafe(velocity.X * dt);
    TVec4 hit;
    TVec4 normal;
    if (Scene.terrain->OctreeRayCast(rayStart, rayDir, &hit, &normal)) {
        TVec4 p = Scene.cam->GetWorldPosition();
        if (hit.Y + rules::CameraClearance > p.Y) {
            p.Y = hit.Y + rules::CameraClearance;
            Scene.cam->SetWorldPosition(p);
        }
    }
}

// A right-drag turns the camera by the pointer's motion since the last view step; at the screen's
// left and right edges the pointer jumps to the other side, so that the drag can go on.
void TDataModule2::WrapAndDragMouse() {
    const int width = Scene.GLFullScreenViewer1.Width();
    int x = State.MouseX;
    const int y = State.MouseY;
    if (State.MouseX == width - 1) {
        x = 1;
    } else if (State.MouseX == 0) {
        x = width - 2;
    }
    if (State.RightDown) {
        State.SpinVelocity =
            TVec4{static_cast<float>(rules::DragScale * (State.LastMouseX - State.MouseX)) * rules::DragDegreesPerPixel,
                  static_cast<float>(rules::DragScale * (State.MouseY - State.LastMouseY)) * rules::DragDegreesPerPixel,
                  0, 0};
        if (x == 1 || x == width - 2) {
            // The pointer is there from now on: a view step before its motion arrives must not see
            // it at the edge and wrap (and turn) once more.
            MoveSystemPointer(x, y);
            State.MouseX = x;
        }
    }
    State.LastMouseX = x;
    State.LastMouseY = y;
}

// The tower being placed shows its parts and its range ring in red while its spot is illegal: the
// ring shows the refusal where the tower itself is hidden, inside the base.
void TDataModule2::TintPlacement() {
    const int index = State.TowerCount - 1;
    const bool placing = State.Placing && index >= 1 && index <= rules::TowerCapacity;
    const TTowerState* tower = placing ? &State.TowerTable[index] : nullptr;
    const TTowerKind* kind = tower ? FindTowerKind(tower->Kind) : nullptr;
    const bool refused = kind && !State.PlaceValid;
    for (const char* ringName : kRingMaterials) {
        const bool tinted = refused && kind->Ring == ringName;
        Scene.GLMaterialLibrary3.FindMaterial(ringName)->Material().FrontProperties().Diffuse().SetColor(
            tinted ? rules::RefusedRing : rules::RingLit);
    }
    TGLProxyObject* root = tower ? tower->Proxy.Get() : nullptr;
    auto* gun = root ? dynamic_cast<TGLProxyObject*>(root->ChildAt(0)) : nullptr;
    if (!kind || !gun) {
        return;
    }
    const std::string tint = refused ? std::string(kRefusedSuffix) : "";
    root->SetMasterObject(Scene.Template(std::string(kind->BaseMaster) + tint));
    gun->SetMasterObject(Scene.Template(std::string(kind->GunMaster) + tint));
}

}  // namespace game
