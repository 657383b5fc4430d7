#include "game/data_module.h"
#include "game/game_math.h"
#include "platform/random.h"

#include <array>
#include <cmath>
#include <string>

namespace game {

using namespace engine;

namespace {

float RandomUnit() {
    return static_cast<float>(platform::RandomFloat());
}

// The up hint a group's bugs aim with, by the group's Tag.
TVec4 AimHint(const TGLBaseSceneObject* group) {
    const int tag = group ? group->Tag() : 0;
    return tag == 2 || tag == 3 ? TVec4{1, 0, 0, 0} : TVec4{-1, 0, 0, 0};
}

}  // namespace

// Bugs1 holds bugs 3, 7, ..., 39; Bugs2 2, 6, ..., 38; Bugs3 1, 5, ..., 37; Bugs4 4, 8, ..., 40.
std::array<int, rules::BugCount> PopulationOrder() {
    std::array<int, rules::BugCount> order{};
    for (int rank = 1, at = 0; rank <= rules::BugsPerGroup; ++rank) {
        for (const int index : {4 * rank - 1, 4 * rank - 2, 4 * rank - 3, 4 * rank}) {
            order[static_cast<std::size_t>(at++)] = index;
        }
    }
    return order;
}

void TDataModule2::PopulateBugs() {
    const TVec4 basePosition = Scene.base->GetWorldPosition();
    for (TGLDummyCube* group : Scene.Bugs) {
        group->AimAt(basePosition, WorldUp);
    }
    const std::array<int, rules::BugCount> order = PopulationOrder();
    for (std::size_t at = 0; at < order.size(); ++at) {
        const int index = order[at];
        auto* actor = Scene.Bugs[at % rules::SpawnGroupCount]->CreateChild<TGLActor>();
        State.BugTable[index].Actor.Set(actor);
        actor->CopyFrom(*Scene.Bug);
        auto* marker = actor->CreateChild<TGLDummyCube>();
        marker->Strafe(-rules::LeadMarkerOffset);
        actor->SetVisible(true);
        WireBug(*actor);
        RespawnBug(index);
        actor->SetTag(index);
        actor->SelectAnimation(bug_animations::Run);
    }
}

void TDataModule2::RespawnBug(int index) {
    TBugState& bug = State.BugTable[index];
    TGLActor& actor = *bug.Actor.Get();
    const float r1 = RandomUnit();
    const float r2 = RandomUnit();
    const float r3 = RandomUnit();
    const float r4 = RandomUnit();
    actor.SetPosition(TVec4{rules::SpawnWidth * r1 - rules::SpawnWidth / 2, 0, rules::SpawnDepth * r2, 1});
    TVec4 target = Scene.base->GetWorldPosition();
    target.X += rules::TargetJitterX * r3 + rules::TargetJitterXLow;
    target.Z += rules::TargetJitterZ * r4 + rules::TargetJitterZLow;
    actor.AimAt(target, WorldUp);
    const TVec4 start = actor.GetWorldPosition();
    const TVec4 direction = Normalize(actor.GetWorldDirection());
    // The bug runs to the point of the base's surface on its line of sight, when there is one.
    TVec4 hit;
    TVec4 normal;
    if (auto* model = dynamic_cast<TGLFreeForm*>(Scene.base->ChildAt(0));
        model && model->OctreeRayCast(start, direction, &hit, &normal)) {
        target = hit;
    }
    bug.Slowness = platform::Random(rules::MaxSlowness) + 1;
    bug.Target = target;
    // A faster bug runs its animation faster too.
    const TBugStrength strength = SpawnStrength();
    const int interval = rules::RunIntervalBase + rules::RunIntervalPerSlowness * bug.Slowness;
    actor.SetInterval(static_cast<int>(std::lround(static_cast<float>(interval) / strength.Speed)));
    actor.SelectAnimation(bug_animations::Run);
    actor.SetAnimationMode(aamLoop);
    actor.SetTagFloat(0);
    bug.Health = strength.Health;
    bug.FullHealth = strength.Health;
    bug.SpeedFactor = strength.Speed;
    bug.CorpseTime = rules::CorpseWait;
}

void TDataModule2::BugProgress(TComponent* sender, double deltaTime, double) {
    auto* actor = dynamic_cast<TGLActor*>(sender);
    const int index = actor ? actor->Tag() : 0;
    if (index < 1 || index > rules::BugCount) {
        return;
    }
    TBugState& bug = State.BugTable[index];
    if (bug.Resting) {
        return;
    }
    const auto dt = static_cast<float>(deltaTime);
    if (bug.Health > 0) {
        // Direction x Up points away from the target, so the negative sideways step runs towards it.
        if (actor->ActiveAnimationName() != bug_animations::Attack) {
            actor->Strafe((-rules::BugStepPerFrame - rules::BugSpeed * dt / static_cast<float>(bug.Slowness)) *
                          bug.SpeedFactor);
        }
        actor->AimAt(bug.Target, AimHint(actor->Parent()));
        if (Distance2(actor->GetWorldPosition(), bug.Target) < rules::AttackDistance2) {
            if (actor->ActiveAnimationName() != bug_animations::Attack) {
                actor->SelectAnimation(bug_animations::Attack);
            }
            Scene.base->SetTagFloat(Scene.base->TagFloat() - rules::BaseDamagePerFrame);
            Sound().Play(gsBaseHit);
        }
        TVec4 rayStart = actor->GetWorldPosition();
        rayStart.Y = rules::ProbeHeight;
        TVec4 hit;
        TVec4 normal;
        if (Scene.terrain->OctreeRayCast(rayStart, WorldDown, &hit, &normal)) {
            TVec4 p = actor->GetWorldPosition();
            normal.Z = actor->GetWorldDirection().Z;
            p.Y = hit.Y + rules::BugGroundOffset;
            actor->SetWorldPosition(p);
            // The model's own Z axis, its up, follows the slope.
            actor->SetWorldDirection(normal);
        }
        return;
    }
    if (actor->TagFloat() == 0) {
        actor->SetTagFloat(1);
        actor->SetInterval(rules::DeathInterval);
        actor->SelectAnimation(bug_animations::Death);
        actor->SetAnimationMode(aamPlayOnce);
        actor->Advance(rules::CorpseLift);
        State.Money += rules::KillReward;
        ++Figures.Kills;
        Sound().Play(gsBugDeath, actor->GetWorldPosition());
        if (State.CombatOverlay) {
            Hud.AddPopup(actor->GetWorldPosition(), "+" + std::to_string(rules::KillReward));
        }
    }
    bug.CorpseTime -= dt;
    if (bug.CorpseTime <= 0) {
        actor->Advance(-dt * rules::SinkSpeed);
    }
    // A survival game sends its bugs in waves, not again as soon as they have sunk.
    if (bug.CorpseTime < -rules::SinkTime) {
        if (m_setup.Mode == TGameMode::Survival) {
            RestBug(index);
        } else {
            RespawnBug(index);
        }
    }
}

}  // namespace game
