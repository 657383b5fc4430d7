#include "engine/effects/source_pfx_effect.h"
#include "game/data_module.h"
#include "game/game_math.h"
#include "game/laser_beam.h"
#include "game/tower_kinds.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace game {

using namespace engine;

TTerrainUV TerrainUV(const TVec4& point, const TVec3& origin, const TVec3& extent) {
    const TVec3 centre = (extent + origin) * 0.5f;
    const float dx = point.X - centre.X;
    const float dz = point.Z - centre.Z;
    return TTerrainUV{dx / (extent.X - origin.X) + 0.5f, -(dz / (extent.Z - origin.Z) + 0.5f)};
}

void TDataModule2::firebaseProgress(TComponent* sender, double deltaTime, double) {
    auto* root = dynamic_cast<TGLProxyObject*>(sender);
    const int index = root ? root->Tag() : 0;
    if (index < 1 || index > rules::TowerCapacity) {
        return;
    }
    TTowerState& tower = State.TowerTable[index];
    const TTowerKind* kind = FindTowerKind(tower.Kind);
    TGLBaseSceneObject* gun = root->ChildAt(0);
    TGLBaseSceneObject* aim = gun ? gun->ChildAt(0) : nullptr;
    if (!kind || !aim) {
        return;
    }
    if (tower.Following) {
        FollowMouse(*root, *kind);
        // A placement paid for here has cleared Placing: the tower stands where it was judged.
        tower.Following = State.Placing;
    } else {
        ShowPlacedRing(*root, *kind);
        ChooseTarget(*root, tower);
        if (tower.Target != 0) {
            TurnGun(*gun, *aim, tower, *kind);
            tower.Reload += static_cast<float>(deltaTime);
        } else {
            tower.Reload = 0;
        }
    }
    aim->SetVisible(false);
    if (kind->Weapon == TTowerWeapon::Beam) {
        Burn(*gun, tower, static_cast<float>(deltaTime));
    } else if (tower.Reload >= tower.FireInterval) {
        tower.Reload = 0;
        Fire(*gun, *aim, tower, *kind);
    }
}

// The beam is on while the tower has a target and its gun points within the beam's angle of it; the
// target then loses health by the second of game time, whatever the frame rate.
void TDataModule2::Burn(TGLBaseSceneObject& gun, TTowerState& tower, float deltaTime) {
    auto* beam = dynamic_cast<TLaserBeam*>(gun.ChildAt(1));
    if (!beam) {
        return;
    }
    bool on = false;
    if (!tower.Following && tower.Target >= 1 && tower.Target <= rules::BugCount) {
        TBugState& bug = State.BugTable[tower.Target];
        const TVec4 target = bug.Actor->GetWorldPosition();
        const TVec4 pointing = Normalize(gun.GetWorldDirection());
        const TVec4 wanted = Normalize(target - gun.GetWorldPosition());
        const float cosine = std::clamp(Dot(pointing, wanted), -1.0f, 1.0f);
        on = RadToDeg(std::acos(cosine)) <= rules::BeamAngle;
        if (on) {
            const float damage = rules::BeamDamagePerSecond * deltaTime;
            bug.Health -= damage;
            Figures.LaserDamage += damage;
            beam->SetEnds(gun.LocalToWorld(TVec4{0, 0, rules::BeamMuzzleZ, 1}), target);
            Sound().StartLoop(gsLaser, gun.Parent()->Tag(), beam->From());
        }
    }
    if (!on && beam->Visible()) {
        Sound().StopLoop(gsLaser, gun.Parent()->Tag());
    }
    beam->SetVisible(on);
}

// The tower stands on the terrain point under the pointer, upright to the slope, and its spot is
// judged where it now stands; a click since the last frame places it there when the spot is legal.
// With the pointer off the terrain (the sky, the void) the tower stays, the spot is refused and a
// click buys nothing.
void TDataModule2::FollowMouse(TGLProxyObject& root, const TTowerKind& kind) {
    const bool placeRequested = std::exchange(State.PlaceRequested, false);
    TVec4 hit;
    TVec4 normal;
    if (!Scene.terrain->OctreeRayCast(State.CameraPos, State.MouseRay, &hit, &normal)) {
        State.PlaceValid = false;
        if (placeRequested) {
            Sound().Play(gsRefused);
        }
        return;
    }
    hit.Y += kind.Rules.Height;
    root.SetWorldPosition(hit);
    root.SetWorldUp(normal);
    PlaceRing(hit, std::string(kind.Ring));
    State.PlaceValid = SpotIsLegal(root.GetWorldPosition(), kind);
    if (placeRequested && State.PlaceValid) {
        State.Money -= kind.Rules.Charge;
        State.Placing = false;
        Sound().Play(gsPlace);
    } else if (placeRequested) {
        Sound().Play(gsRefused);
    }
}

// Far enough from every other tower (by the spacing of the kind being placed) and from the base.
bool TDataModule2::SpotIsLegal(const TVec4& spot, const TTowerKind& kind) const {
    // The tower being placed is the last child of Towers.
    for (int i = 0; i < Scene.Towers->ChildCount() - 1; ++i) {
        if (Distance2(Scene.Towers->ChildAt(i)->GetWorldPosition(), spot) < kind.Rules.Spacing2) {
            return false;
        }
    }
    return Distance2(Scene.base->GetWorldPosition(), spot) >= rules::BaseDistance2;
}

// A placed tower shows its ring while the left button is held on it; a tower not under the mouse
// asks for its kind's ring to be hidden.
void TDataModule2::ShowPlacedRing(TGLProxyObject& root, const TTowerKind& kind) {
    if (root.IntersectRay(State.CameraPos, State.MouseRay, nullptr, nullptr)) {
        if (State.LeftDown && !State.Placing) {
            PlaceRing(root.GetWorldPosition(), std::string(kind.Ring));
        }
    } else {
        Scene.GLMaterialLibrary3.FindMaterial(std::string(kind.Ring))->TextureOffset().SetComponent(2, 0);
    }
}

// The nearest living bug so far is kept; it becomes the target only when it lies between the two
// ranges. Ties keep the earlier index.
void TDataModule2::ChooseTarget(TGLProxyObject& root, TTowerState& tower) {
    const TVec4 position = root.GetWorldPosition();
    float best = rules::TargetSearchStart;
    tower.Target = 0;
    for (int j = 1; j <= rules::BugCount; ++j) {
        const TBugState& bug = State.BugTable[j];
        const float d = Distance2(position, bug.Actor->GetWorldPosition());
        if (d < best && bug.Health > 0) {
            best = d;
            if (static_cast<float>(tower.MinRange2) < d && d < static_cast<float>(tower.MaxRange2)) {
                tower.Target = j;
            }
        }
    }
}

// The gun turns towards the aim node's direction by the turn rate, then its up vector the same way.
void TDataModule2::TurnGun(TGLBaseSceneObject& gun, TGLBaseSceneObject& aim, const TTowerState& tower,
                           const TTowerKind& kind) {
    const TGLActor& target = *State.BugTable[tower.Target].Actor.Get();
    const TGLBaseSceneObject* marker = target.ChildAt(0);
    const bool ahead = kind.AimsAhead && marker && target.ActiveAnimationName() == bug_animations::Run;
    aim.AimAt(ahead ? marker->GetWorldPosition() : target.GetWorldPosition(), WorldUp);
    gun.SetWorldDirection(TurnTowards(gun.GetWorldDirection(), aim.GetWorldDirection(), tower.TurnRate));
    // Read after the gun's new direction has carried the aim node with it.
    gun.SetWorldUp(TurnTowards(gun.GetWorldUp(), aim.GetWorldUp(), tower.TurnRate));
}

void TDataModule2::Fire(TGLBaseSceneObject& gun, TGLBaseSceneObject& aim, const TTowerState& tower,
                        const TTowerKind& kind) {
    switch (kind.Weapon) {
    case TTowerWeapon::Missile:
        LaunchMissile(gun);
        break;
    case TTowerWeapon::Gun:
        if (tower.Target >= 1 && tower.Target <= rules::BugCount) {
            aim.SetVisible(true);
            State.BugTable[tower.Target].Health -= rules::GatlingDamage;
            ++Figures.GatlingShots;
            Sound().Play(gsGatling, gun.GetWorldPosition());
        }
        break;
    case TTowerWeapon::Beam:
        break;
    }
}

// A missile starts with the gun's world transform, two units out of the barrel, trailing flame.
void TDataModule2::LaunchMissile(const TGLBaseSceneObject& gun) {
    auto* missile = Scene.Missiles->CreateChild<TGLDummyCube>();
    TGLSourcePFXEffect& flame = SourceEffectOf(*missile);
    flame.SetDispersionMode(sdmIsotropic);
    flame.SetDisabledIfOwnerInvisible(true);
    flame.SetManager(&Scene.GLPerlinPFXManager1);
    flame.SetParticleInterval(rules::MissileFlameInterval);
    flame.SetVelocityMode(svmRelative);
    missile->SetLocalTransform(gun.WorldTransform());
    missile->SetTag(0);
    missile->Advance(rules::MissileStartOffset);
    missile->SetCubeSize(rules::MissileCubeSize);
    WireMissile(*missile);
    ++Figures.MissilesFired;
    Sound().Play(gsLaunch, missile->GetWorldPosition());
}

void TDataModule2::HideRing(std::string_view ringName) {
    if (TGLLibMaterial* ring = Scene.GLMaterialLibrary3.FindMaterial(std::string(ringName))) {
        ring->TextureOffset().SetAll(TVec4{rules::RingHiddenOffset, rules::RingHiddenOffset, 1, 0});
    }
}

void TDataModule2::PlaceRing(const TVec4& point, const std::string& ringName) {
    TGLLibMaterial* ring = Scene.GLMaterialLibrary3.FindMaterial(ringName);
    if (!ring) {
        return;
    }
    const TTerrainUV uv = TerrainUV(point, State.TerrainOrigin, State.TerrainExtent);
    const auto grid = static_cast<float>(rules::RingGrid);
    State.RingTexelX = static_cast<std::int32_t>(std::trunc(grid * uv.U + grid / 2));
    State.RingTexelY = static_cast<std::int32_t>(std::trunc(grid * uv.V + grid / 2));
    const float sx = static_cast<float>(State.RingTexelX) / (grid / ring->TextureScale().X());
    const float sy = static_cast<float>(State.RingTexelY) / (grid / ring->TextureScale().Y());
    ring->TextureOffset().SetAll(TVec4{0.5f - sx, 0.5f - sy, 1, 0});
}

}  // namespace game
