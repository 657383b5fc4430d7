#include "engine/effects/animated_sprite.h"
#include "game/data_module.h"
#include "game/game_math.h"

namespace game {

using namespace engine;

namespace {

// Bounds included.
bool InsideFlightBox(const TGLCoordinates& p) {
    return p.X() >= -rules::MissileBoxXZ && p.X() <= rules::MissileBoxXZ && p.Z() >= -rules::MissileBoxXZ &&
           p.Z() <= rules::MissileBoxXZ && p.Y() >= rules::MissileBoxLowY && p.Y() <= rules::MissileBoxHighY;
}

}  // namespace

void TDataModule2::MissilesProgress(TComponent* sender, double deltaTime, double) {
    auto* missile = dynamic_cast<TGLBaseSceneObject*>(sender);
    if (!missile) {
        return;
    }
    missile->Advance(static_cast<float>(deltaTime) * rules::MissileSpeed);
    // Missiles has no transform of its own: the local position is the world position.
    if (!InsideFlightBox(missile->Position())) {
        missile->Free();
        return;
    }
    const TVec4 start = missile->GetWorldPosition();
    const TVec4 direction = Normalize(missile->GetWorldDirection());
    TVec4 hit;
    TVec4 normal;
    if (!Scene.terrain->OctreeRayCast(start, direction, &hit, &normal) ||
        Distance2(missile->GetWorldPosition(), hit) > rules::ImpactDistance2) {
        return;
    }
    Blast(hit);
    Explode(hit);
    // Safe from its own handler: the walk visits Missiles' children from the last to the first.
    missile->Free();
}

// Every bug within the blast radius loses more the nearer it stands; the dead are hit too, to no
// further effect.
void TDataModule2::Blast(const TVec4& hit) {
    for (int j = 1; j <= rules::BugCount; ++j) {
        TBugState& bug = State.BugTable[j];
        const float d = Distance2(hit, bug.Actor->GetWorldPosition());
        if (d < rules::BlastRadius2) {
            bug.Health -= (rules::BlastBase - d) * rules::BlastFactor;
        }
    }
}

void TDataModule2::Explode(const TVec4& hit) {
    auto* sprite = Scene.Explosions->CreateChild<TGLAnimatedSprite>();
    sprite->SetFrameRate(rules::ExplosionFrameRate);
    sprite->SetMaterialLibrary(&Scene.GLMaterialLibrary2);
    TSpriteAnimation& animation = sprite->Animations().Add();
    animation.SetFrameWidth(rules::ExplosionFrameSize);
    animation.SetFrameHeight(rules::ExplosionFrameSize);
    animation.SetFrameRate(rules::ExplosionFrameRate);
    animation.SetEndFrame(rules::ExplosionEndFrame);
    animation.SetLibMaterialName("boom");
    sprite->SetFrameRate(rules::ExplosionFrameRate);
    sprite->SetAnimationMode(samPlayOnce);
    sprite->SetAnimationIndex(0);
    sprite->SetScale(TVec4{rules::ExplosionScale, rules::ExplosionScale, rules::ExplosionScale, 0});
    sprite->SetWorldPosition(TVec4{hit.X, hit.Y + rules::ExplosionLift, hit.Z, 1});
    // Five units across, it would be cut by the ground and walls it bursts beside.
    sprite->SetPulledTowardsEye(true);
    WireExplosion(*sprite);
    sprite->SetRotation(rules::ExplosionStartRotation);
    ++Figures.Explosions;
    Sound().Play(gsBlast, hit);
}

void TDataModule2::ExplosionFrameChanged(TComponent* sender) {
    if (auto* sprite = dynamic_cast<TGLAnimatedSprite*>(sender)) {
        sprite->SetRotation(sprite->Rotation() + 1);
    }
}

void TDataModule2::ExplosionEndFrameReached(TComponent* sender) {
    if (auto* sprite = dynamic_cast<TGLAnimatedSprite*>(sender)) {
        sprite->SetAnimationMode(samNone);
    }
}

// A finished explosion is gone at the latest one frame after it finished.
void TDataModule2::ExplosionsProgress(TComponent*, double, double) {
    for (int i = Scene.Explosions->ChildCount() - 1; i >= 0; --i) {
        auto* sprite = dynamic_cast<TGLAnimatedSprite*>(Scene.Explosions->ChildAt(i));
        if (sprite && sprite->AnimationMode() == samNone) {
            sprite->Free();
        }
    }
}

}  // namespace game
