#include "game/cursor_slots.h"
#include "game/data_module.h"
#include "game/laser_beam.h"
#include "game/tower_kinds.h"

#include <algorithm>

namespace game {

using namespace engine;

namespace {

bool Inside(const TGLBaseSceneObject& button, int x, int y) {
    const TGLCoordinates& p = button.Position();
    const auto mx = static_cast<float>(x);
    const auto my = static_cast<float>(y);
    return p.X() - rules::ButtonHalfWidth < mx && mx < p.X() + rules::ButtonHalfWidth &&
           p.Y() - rules::ButtonReachAbove < my && my < p.Y() + rules::ButtonReachBelow;
}

// A pressed button sits right of and below its place.
void Press(TGLBaseSceneObject& button) {
    button.SetTag(1);
    button.Strafe(-rules::ButtonPressOffset);
    button.Rise(rules::ButtonPressOffset);
}

void Release(TGLBaseSceneObject& button) {
    button.SetTag(0);
    button.Strafe(rules::ButtonPressOffset);
    button.Rise(-rules::ButtonPressOffset);
}

}  // namespace

// The index of the button under a screen point, or -1.
int TDataModule2::ButtonAt(int x, int y) const {
    for (int i = 0; i < rules::ButtonCount && i < Scene.gui_bar->ChildCount(); ++i) {
        if (Inside(*Scene.gui_bar->ChildAt(i), x, y)) {
            return i;
        }
    }
    return -1;
}

void TDataModule2::gui_barProgress(TComponent*, double, double) {
    const int hovered = ButtonAt(State.MouseX, State.MouseY);
    const bool refusing = Scene.GLFullScreenViewer1.Cursor() == cursors::Refusing;
    for (int i = 0; i < rules::ButtonCount && i < Scene.gui_bar->ChildCount(); ++i) {
        TGLBaseSceneObject& button = *Scene.gui_bar->ChildAt(i);
        if (i == hovered) {
            if (!refusing && State.LeftDown && button.Tag() == 0) {
                Press(button);
            } else if (!refusing && !State.LeftDown && button.Tag() == 1) {
                Release(button);
            }
        } else if (button.Tag() == 1) {
            Release(button);
        }
    }
    Scene.gui_bar->SetTag(hovered);
    if (hovered != -1) {
        Scene.GLFullScreenViewer1.SetCursor(ButtonRefused(hovered) ? cursors::Refusing : cursors::Choose);
    }
}

// A button the player cannot afford, or a tower button when no tower record is left once the
// placement in progress is given up.
bool TDataModule2::ButtonRefused(int button) const {
    if (ButtonPrice(button) > State.Money) {
        return true;
    }
    const int freeRecordAt = State.Placing ? State.TowerCount - 1 : State.TowerCount;
    return TowerKindOfButton(button) && freeRecordAt > rules::TowerCapacity;
}

void TDataModule2::GLFullScreenViewer1Click(TComponent*) {
    // Nothing is bought or placed while the world stands still.
    if (State.WorldStands()) {
        Sound().Play(gsRefused);
        return;
    }
    const bool repairing = State.RepairMode;
    State.RepairMode = false;
    // Judged where the click is: the panel's hover of the last frame may be older than the pointer.
    const int button = ButtonAt(State.MouseX, State.MouseY);
    if (button == -1) {
        if (repairing) {
            Repair();
        }
        // The tower's frame judges the spot under the pointer and pays for it there (firebaseProgress).
        State.PlaceRequested = State.Placing;
        return;
    }
    if (ButtonRefused(button)) {
        Sound().Play(gsRefused);
        return;
    }
    if (State.Placing) {
        CancelPlacement();
    }
    if (const TTowerKind* kind = TowerKindOfButton(button)) {
        StartPlacement(*kind);
    } else if (button == rules::RepairButton) {
        State.RepairMode = true;
    }
    Sound().Play(gsPurchase);
}

// A click of repair mode on the base: 40 health back, up to the full 100, for the repair button's
// price. A base at full health, a click beside it or too little money changes nothing.
void TDataModule2::Repair() {
    const int price = ButtonPrice(rules::RepairButton);
    const float health = Scene.base->TagFloat();
    auto* model = dynamic_cast<TGLFreeForm*>(Scene.base->ChildAt(0));
    if (State.Money < price || health >= rules::BaseFullHealth || !model ||
        !model->OctreeRayCast(State.CameraPos, State.MouseRay, nullptr, nullptr)) {
        Sound().Play(gsRefused);
        return;
    }
    Scene.base->SetTagFloat(std::min(rules::BaseFullHealth, health + rules::RepairHealth));
    State.Money -= price;
    ++Figures.Repairs;
    Sound().Play(gsRepair);
}

// The tower that follows the mouse is the last child of Towers and the last record; both go,
// and nothing is charged.
void TDataModule2::CancelPlacement() {
    State.Placing = false;
    State.PlaceRequested = false;
    if (const TTowerKind* kind = FindTowerKind(State.TowerTable[State.TowerCount - 1].Kind)) {
        HideRing(kind->Ring);
    }
    if (Scene.Towers->ChildCount() == 0) {
        return;
    }
    TGLBaseSceneObject* root = Scene.Towers->ChildAt(Scene.Towers->ChildCount() - 1);
    if (TGLBaseSceneObject* gun = root->ChildAt(0)) {
        if (TGLBaseSceneObject* aim = gun->ChildAt(0)) {
            aim->Free();
        }
        gun->Free();
    }
    if (TGLProxyObject* proxy = State.TowerTable[State.TowerCount - 1].Proxy.Get()) {
        proxy->Free();
    }
    --State.TowerCount;
}

void TDataModule2::StartPlacement(const TTowerKind& kind) {
    if (State.TowerTableFull()) {
        return;
    }
    const int index = State.TowerCount;
    TTowerState& record = State.TowerTable[index];
    auto* root = Scene.Towers->CreateChild<TGLProxyObject>();
    record.Proxy.Set(root);
    State.PlaceValid = true;
    root->SetProxyOptions({pooObjects});
    root->SetVisible(true);
    record.Following = true;
    root->SetTag(index);
    TGLBaseSceneObject* base = Scene.Template(kind.BaseMaster);
    root->SetScale(base->Scale().AsVector());
    root->SetMasterObject(base);
    WireTower(*root);
    auto* gun = root->CreateChild<TGLProxyObject>();
    gun->SetMasterObject(Scene.Template(kind.GunMaster));
    gun->SetProxyOptions({pooObjects});
    gun->Position().SetY(rules::GunHeight);
    gun->SetVisible(true);
    if (kind.AimMaster.empty()) {
        gun->CreateChild<TGLDummyCube>()->SetVisible(false);
    } else {
        auto* muzzle = gun->CreateChild<TGLProxyObject>();
        muzzle->SetMasterObject(Scene.Template(kind.AimMaster));
        muzzle->SetProxyOptions({pooObjects});
        muzzle->SetVisible(false);
    }
    if (kind.Weapon == TTowerWeapon::Beam) {
        auto* beam = gun->CreateChild<TLaserBeam>();
        beam->SetName("beam");
        beam->Material().SetMaterialLibrary(&Scene.GLMaterialLibrary2);
        beam->Material().SetLibMaterialName("beam");
        beam->SetVisible(false);
    }
    State.PlacingKind = kind.Kind;
    record.Kind = kind.Kind;
    record.MaxRange2 = kind.Rules.MaxRange2;
    record.MinRange2 = kind.Rules.MinRange2;
    record.TurnRate = kind.Rules.TurnRate;
    record.FireInterval = kind.Rules.FireInterval;
    ++State.TowerCount;
    State.Placing = true;
}

void TDataModule2::GLFullScreenViewer1MouseDown(TComponent*, TMouseButton button, TShiftState, int x, int y) {
    ButtonHeld(button) = true;
    State.LastMouseX = x;
    State.LastMouseY = y;
}

void TDataModule2::GLFullScreenViewer1MouseUp(TComponent*, TMouseButton button, TShiftState, int, int) {
    ButtonHeld(button) = false;
}

bool& TDataModule2::ButtonHeld(TMouseButton button) {
    switch (button) {
    case mbRight:
        return State.RightDown;
    case mbMiddle:
        return State.MiddleDown;
    case mbLeft:
        break;
    }
    return State.LeftDown;
}

void TDataModule2::GLFullScreenViewer1MouseMove(TComponent*, TShiftState, int x, int y) {
    State.MouseX = x;
    State.MouseY = y;
}

void TDataModule2::GLFullScreenViewer1MouseEnter(TComponent*) {
    State.PointerInside = true;
}

void TDataModule2::GLFullScreenViewer1MouseLeave(TComponent*) {
    State.PointerInside = false;
}

// "0" ends the game; M, - and = are the sound keys; camera keys are sampled by the 15 ms timer, other
// characters do nothing.
void TDataModule2::GLFullScreenViewer1KeyPress(TComponent*, char& key) {
    SoundKey(key);
    if (key == '0') {
        key = '\0';
        EndGame();
    }
}

void TDataModule2::GLFullScreenViewer1Close(TComponent*) {
    EndGame();
}

// Every way out of the game (the quit key, the window's close button, a quit request of the system)
// ends it so: the screen is given back, the clock stops and the game loop ends.
void TDataModule2::EndGame() {
    Scene.GLFullScreenViewer1.SetScreenActive(false);
    Scene.GLCadencer1.SetEnabled(false);
}

// The keys of the game's comforts (pause, speed, window, screenshot, camera home, selling, the
// overlay) and of the survival game (the next wave, a new game once the base has fallen).
void TDataModule2::GLFullScreenViewer1KeyDown(TComponent*, TVirtualKey key, TShiftState) {
    if (key == VirtualKeyOfChar('H')) {
        ToggleCombatOverlay();
    } else if (key == VirtualKeyOfChar('N')) {
        CallNextWave();
    } else if (key == VirtualKeyOfChar('R') && State.Defeated) {
        // R flies the camera up; only on the fallen base's panel does it start a new game.
        NewGame();
    }
    switch (key) {
    case vkPause:
    case vkF9:
        if (!State.Defeated) {
            SetPaused(!State.Paused);
        }
        break;
    case vkF5:
    case vkF6:
    case vkF7:
        State.Speed = key - vkF5 + 1;
        break;
    case vkF11:
        Scene.GLFullScreenViewer1.SetWindowed(!Scene.GLFullScreenViewer1.Windowed());
        break;
    case vkF12:
        if (OnScreenshot) {
            OnScreenshot();
        }
        break;
    case vkHome:
        CameraHome();
        break;
    case vkDelete:
    case vkBack:
        SellHeldTower();
        break;
    default:
        break;
    }
}

void TDataModule2::SetPaused(bool paused) {
    State.Paused = paused;
    Scene.pause_sign->SetVisible(paused);
    Hud.PauseDim->SetVisible(paused);
    Sound().SetPaused(paused);
    Sound().Play(paused ? gsPause : gsResume);
}

}  // namespace game
