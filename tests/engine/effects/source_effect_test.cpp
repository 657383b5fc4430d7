#include "engine/effects/source_pfx_effect.h"
#include "engine/scene/dummy_cube.h"
#include "engine/scene/world.h"
#include "platform/random.h"
#include "test_managers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace engine::test {
namespace {

class SourceEffect : public ::testing::Test {
protected:
    SourceEffect() {
        platform::SetRandomSeed(1234);
        owner = world.Objects().CreateChild<TGLDummyCube>();
        source = &SourceEffectOf(*owner);
        source->SetManager(&manager);
    }

    // One scene progress step, as the cadencer takes it.
    void Tick(double delta) {
        time += delta;
        world.AdvanceTime(delta, time);
    }

    std::vector<std::string> log;
    RecordingManager manager{log};
    TGLWorld world;
    TGLDummyCube* owner = nullptr;
    TGLSourcePFXEffect* source = nullptr;
    double time = 0.0;
};

TEST_F(SourceEffect, StartsWithItsDefaults) {
    TGLSourcePFXEffect fresh(owner);
    EXPECT_EQ(fresh.Manager(), nullptr);
    EXPECT_EQ(fresh.EffectScale(), 1.0f);
    EXPECT_EQ(fresh.ParticleInterval(), 0.1f);
    EXPECT_EQ(fresh.PositionDispersionRange(), (TVec3{1, 1, 1}));
    EXPECT_EQ(fresh.VelocityMode(), svmAbsolute);
    EXPECT_EQ(fresh.PositionMode(), spmAbsoluteOffset);
    EXPECT_EQ(fresh.DispersionMode(), sdmFast);
    EXPECT_TRUE(fresh.Enabled());
    EXPECT_FALSE(fresh.DisabledIfOwnerInvisible());
    EXPECT_STREQ(TGLSourcePFXEffect::FriendlyName, "PFX Source");
    fresh.SetParticleInterval(-1.0f);
    EXPECT_EQ(fresh.ParticleInterval(), 0.0f);
}

TEST_F(SourceEffect, FirstTickEmitsNothingThenOneParticlePerInterval) {
    source->SetParticleInterval(0.01f);
    Tick(0.01);
    EXPECT_EQ(manager.ParticleCount(), 0);
    for (int i = 2; i <= 50; ++i) {
        Tick(0.01);
        ASSERT_EQ(manager.ParticleCount(), i - 1) << "after tick " << i;
    }
    // The remainder settles just above one interval.
    EXPECT_GT(source->TimeRemainder(), 0.0099);
    EXPECT_LT(source->TimeRemainder(), 0.0101);
    EXPECT_DOUBLE_EQ(manager.Particles().Items(48)->CreationTime, time);
}

TEST_F(SourceEffect, ALongTickEmitsSeveralParticlesStampedWithItsTime) {
    source->SetParticleInterval(0.1f);
    Tick(0.55);
    EXPECT_EQ(manager.ParticleCount(), 4);
    EXPECT_NEAR(source->TimeRemainder(), 0.15, 1e-6);
    EXPECT_DOUBLE_EQ(manager.Particles().Items(3)->CreationTime, 0.55);
}

// However long the stall, it costs one burst of at most a second's particles, and the emission
// then goes on in step: no second burst, no gap.
TEST_F(SourceEffect, AStallEmitsAtMostASecondsParticles) {
    source->SetParticleInterval(0.01f);
    Tick(0.015);
    for (const double stall : {60.0, 1e9, 1e300, std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(stall);
        const int before = manager.ParticleCount();
        Tick(stall);
        ASSERT_LE(manager.ParticleCount() - before, 100);
        const int afterStall = manager.ParticleCount();
        for (int i = 0; i < 100; ++i) {
            Tick(0.01);
        }
        EXPECT_NEAR(manager.ParticleCount() - afterStall, 100, 1);
    }
}

TEST_F(SourceEffect, EmitsNothingWhenDisabledWithoutManagerOrIntervalOrWhileItsOwnerHides) {
    source->SetParticleInterval(0.01f);
    source->SetEnabled(false);
    Tick(1.0);
    source->SetEnabled(true);
    source->SetManager(nullptr);
    Tick(1.0);
    source->SetManager(&manager);
    source->SetParticleInterval(0.0f);
    Tick(1.0);
    EXPECT_EQ(manager.ParticleCount(), 0);
    EXPECT_EQ(source->TimeRemainder(), 0.0) << "skipped ticks add no time";
    source->SetParticleInterval(0.01f);
    source->SetDisabledIfOwnerInvisible(true);
    owner->SetVisible(false);
    Tick(1.0);
    EXPECT_EQ(manager.ParticleCount(), 0);
    source->SetDisabledIfOwnerInvisible(false);
    Tick(0.1);
    EXPECT_GT(manager.ParticleCount(), 0) << "an invisible owner still emits unless told otherwise";
}

TEST_F(SourceEffect, AManagerThatDiesLeavesTheSourceSilent) {
    auto doomed = std::make_unique<RecordingManager>(log);
    source->SetManager(doomed.get());
    doomed.reset();
    EXPECT_EQ(source->Manager(), nullptr);
    source->Burst(0.0, 3);
    Tick(1.0);
}

TEST_F(SourceEffect, AbsoluteOffsetAddsTheInitialPositionInWorldAxes) {
    owner->SetPosition(TVec4{1, -7, 3, 1});
    owner->SetDirection(TVec4{1, 0, 0, 0});
    source->SetInitialPosition(TVec3{0, 2, 0.5f});
    source->SetInitialVelocity(TVec3{0, 0, 4});
    source->SetEffectScale(2.5f);
    source->Burst(7.0, 2);
    ASSERT_EQ(manager.ParticleCount(), 2);
    const TGLParticle& p = *manager.Particles().Items(1);
    EXPECT_EQ(p.Position, (TVec3{1, -5, 3.5f}));
    EXPECT_EQ(p.Velocity, (TVec3{0, 0, 4}));
    EXPECT_EQ(p.EffectScale, 2.5f);
    EXPECT_EQ(p.CreationTime, 7.0);
}

TEST_F(SourceEffect, RelativeModesTurnWithTheOwner) {
    owner->SetPosition(TVec4{1, 0, 0, 1});
    owner->SetDirection(TVec4{1, 0, 0, 0});  // the owner's Z axis now points along world X
    source->SetInitialPosition(TVec3{0, 0, 2});
    source->SetInitialVelocity(TVec3{0, 0, 3});
    source->SetPositionMode(spmRelative);
    source->SetVelocityMode(svmRelative);
    source->Burst(0.0, 1);
    const TGLParticle& p = *manager.Particles().Items(0);
    EXPECT_NEAR(p.Position.X, 3.0f, 1e-5f);
    EXPECT_NEAR(p.Position.Z, 0.0f, 1e-5f);
    EXPECT_NEAR(p.Velocity.X, 3.0f, 1e-5f);
    EXPECT_NEAR(p.Velocity.Z, 0.0f, 1e-5f);
}

TEST_F(SourceEffect, FastDispersionFillsABoxAndIsotropicAnEllipsoid) {
    source->SetPositionDispersion(2.0f);
    source->SetPositionDispersionRange(TVec3{2.5f, 0, 3.5f});
    source->SetVelocityDispersion(1.0f);
    source->Burst(0.0, 500);
    TVec3 largest;
    for (int i = 0; i < manager.ParticleCount(); ++i) {
        const TGLParticle& p = *manager.Particles().Items(i);
        ASSERT_LE(std::fabs(p.Position.X), 5.0f);
        ASSERT_EQ(p.Position.Y, 0.0f);
        ASSERT_LE(std::fabs(p.Position.Z), 7.0f);
        ASSERT_LE(std::fabs(p.Velocity.X), 1.0f);
        largest =
            TVec3{std::fmax(largest.X, std::fabs(p.Position.X)), 0, std::fmax(largest.Z, std::fabs(p.Position.Z))};
    }
    EXPECT_GT(largest.X, 4.5f) << "the box is filled out to its half-extents";
    EXPECT_GT(largest.Z, 6.3f);

    manager.Particles().Clear();
    source->SetDispersionMode(sdmIsotropic);
    source->Burst(0.0, 500);
    for (int i = 0; i < manager.ParticleCount(); ++i) {
        const TGLParticle& p = *manager.Particles().Items(i);
        const float ex = p.Position.X / 5.0f;
        const float ez = p.Position.Z / 7.0f;
        ASSERT_LE(ex * ex + ez * ez, 1.0001f) << "inside the ellipse of semi-axes 5 and 7";
        const TVec3& v = p.Velocity;
        ASSERT_LE(Dot(v, v), 1.0001f);
    }
}

TEST_F(SourceEffect, SpreadsComeFromTheSharedGenerator) {
    source->SetPositionDispersion(1.0f);
    platform::SetRandomSeed(99);
    source->Burst(0.0, 3);
    platform::SetRandomSeed(99);
    source->Burst(0.0, 3);
    EXPECT_EQ(manager.Particles().Items(2)->Position, manager.Particles().Items(5)->Position);
    EXPECT_NE(manager.Particles().Items(1)->Position, manager.Particles().Items(2)->Position);
}

TEST_F(SourceEffect, SourceEffectOfFindsOrCreates) {
    EXPECT_EQ(&SourceEffectOf(*owner), source) << "the first source effect";
    TGLSourcePFXEffect& named = SourceEffectOf(*owner, "smoke");
    EXPECT_NE(&named, source);
    EXPECT_EQ(named.Name(), "smoke");
    EXPECT_EQ(&SourceEffectOf(*owner, "smoke"), &named);
    EXPECT_EQ(owner->Effects().Count(), 2);

    TGLDummyCube* bare = world.Objects().CreateChild<TGLDummyCube>();
    TGLSourcePFXEffect& created = SourceEffectOf(*bare);
    EXPECT_EQ(bare->Effects().Count(), 1);
    EXPECT_EQ(created.OwnerObject(), bare);
}

class NotASource : public TGLObjectPostEffect {
public:
    using TGLObjectPostEffect::TGLObjectPostEffect;
    std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const override {
        return std::make_unique<NotASource>(newOwner);
    }
};

TEST_F(SourceEffect, SourceEffectOfRefusesANameTakenByAnotherKindOfEffect) {
    owner->Effects().Add<NotASource>()->SetName("glow");
    EXPECT_THROW(SourceEffectOf(*owner, "glow"), std::invalid_argument);
    EXPECT_EQ(owner->Effects().Count(), 2);
}

TEST_F(SourceEffect, DeepCopiesOfTheOwnerCarryTheSourceAlong) {
    source->SetParticleInterval(0.005f);
    source->SetDispersionMode(sdmIsotropic);
    source->SetName("flame");
    TGLDummyCube* copy = world.Objects().CreateChild<TGLDummyCube>();
    copy->CopyFrom(*owner);
    TGLSourcePFXEffect& copied = SourceEffectOf(*copy);
    EXPECT_NE(&copied, source);
    EXPECT_EQ(copied.OwnerObject(), copy);
    EXPECT_EQ(copied.Name(), "flame");
    EXPECT_EQ(copied.Manager(), &manager);
    EXPECT_EQ(copied.ParticleInterval(), 0.005f);
    EXPECT_EQ(copied.DispersionMode(), sdmIsotropic);
}

}  // namespace
}  // namespace engine::test
