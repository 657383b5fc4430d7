#include "engine/effects/particle_fx_renderer.h"
#include "engine/timing/cadencer.h"
#include "test_managers.h"

#include <gtest/gtest.h>

#include <memory>

namespace engine::test {
namespace {

class ParticleManager : public ::testing::Test {
protected:
    std::vector<std::string> log;
    RecordingManager manager{log, 2.0};
};

TEST_F(ParticleManager, CreatesParticlesWithSerialIDsTheCadencersTimeAndTheEvent) {
    TGLCadencer cadencer;
    cadencer.SetMode(cmManual);
    cadencer.SetTimeReference(cmExternal);
    cadencer.SetCurrentTime(0.0);
    cadencer.Tick();
    cadencer.SetCurrentTime(4.5);
    cadencer.Tick();
    manager.SetCadencer(&cadencer);
    std::vector<int> seen;
    manager.OnCreateParticle = [&](TGLParticle& p) { seen.push_back(p.ID); };
    const TGLParticle& first = manager.CreateParticle();
    const TGLParticle& second = manager.CreateParticle();
    EXPECT_EQ(first.ID, 0);
    EXPECT_EQ(second.ID, 1);
    EXPECT_EQ(first.Manager, &manager);
    EXPECT_DOUBLE_EQ(second.CreationTime, cadencer.CurrentTime());
    EXPECT_GT(second.CreationTime, 0.0);
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(manager.ParticleCount(), 2);
    EXPECT_EQ(manager.NextID(), 2);
}

TEST_F(ParticleManager, MovesThenAcceleratesEachTick) {
    manager.SetAcceleration(TVec3{0, 1, 0});
    TGLParticle& p = manager.Place(TVec3{1, 2, 3});
    p.Velocity = TVec3{2, 0, 0};
    manager.DoProgress(TProgressTimes{0.5, 0.5});
    // The position moves with the velocity from before this tick's acceleration.
    EXPECT_FLOAT_EQ(p.Position.X, 2.0f);
    EXPECT_FLOAT_EQ(p.Position.Y, 2.0f);
    EXPECT_FLOAT_EQ(p.Velocity.Y, 0.5f);
    manager.DoProgress(TProgressTimes{0.5, 1.0});
    EXPECT_FLOAT_EQ(p.Position.Y, 2.25f);
    EXPECT_DOUBLE_EQ(manager.CurrentTime(), 1.0);
}

TEST_F(ParticleManager, FrictionOneLeavesVelocityAloneAndHalfHalvesItPerSecond) {
    TGLParticle& p = manager.Place(TVec3{});
    p.Velocity = TVec3{0.3f, 0, 0};
    manager.DoProgress(TProgressTimes{0.7, 0.7});
    EXPECT_EQ(p.Velocity.X, 0.3f);
    manager.SetFriction(0.5f);
    manager.DoProgress(TProgressTimes{1.0, 1.7});
    EXPECT_FLOAT_EQ(p.Velocity.X, 0.15f);
    manager.DoProgress(TProgressTimes{2.0, 3.7 - 2.0});
    EXPECT_FLOAT_EQ(p.Velocity.X, 0.0375f);
}

TEST_F(ParticleManager, AParticleDiesInTheTickItReachesTheMaximumAgeExactly) {
    manager.Place(TVec3{}, 0.0);
    manager.Place(TVec3{}, 0.5);
    manager.Place(TVec3{}, 1.0);
    manager.DoProgress(TProgressTimes{1.999, 1.999});
    EXPECT_EQ(manager.ParticleCount(), 3);
    manager.DoProgress(TProgressTimes{0.001, 2.0});
    ASSERT_EQ(manager.ParticleCount(), 2);
    // The survivors keep their order after packing.
    EXPECT_EQ(manager.Particles().Items(0)->ID, 1);
    EXPECT_EQ(manager.Particles().Items(1)->ID, 2);
    manager.DoProgress(TProgressTimes{1.0, 3.0});
    ASSERT_EQ(manager.ParticleCount(), 0);
}

TEST(ParticleList, EmptiedSlotsStayUntilPacked) {
    TGLParticleList list;
    for (int i = 0; i < 70; ++i) {
        auto p = std::make_unique<TGLParticle>();
        p->ID = i;
        list.AddItem(std::move(p));
    }
    list.KillItem(3);
    list.KillItem(69);
    list.KillItem(500);
    EXPECT_EQ(list.ItemCount(), 70);
    EXPECT_EQ(list.Items(3), nullptr);
    list.Pack();
    ASSERT_EQ(list.ItemCount(), 68);
    EXPECT_EQ(list.Items(3)->ID, 4);
    EXPECT_EQ(list.Items(67)->ID, 68);
    EXPECT_EQ(list.Items(68), nullptr);
}

TEST_F(ParticleManager, RendererLinksAreKeptOnBothSides) {
    std::vector<std::string> otherLog;
    RecordingManager other(otherLog);
    auto first = std::make_unique<TGLParticleFXRenderer>();
    TGLParticleFXRenderer second;
    manager.SetRenderer(first.get());
    other.SetRenderer(first.get());
    EXPECT_EQ(first->ManagerCount(), 2);
    manager.SetRenderer(&second);
    EXPECT_EQ(first->ManagerCount(), 1);
    EXPECT_EQ(second.Managers(0), &manager);
    first.reset();
    EXPECT_EQ(other.Renderer(), nullptr);
    {
        std::vector<std::string> shortLog;
        RecordingManager shortLived(shortLog);
        shortLived.SetRenderer(&second);
        EXPECT_EQ(second.ManagerCount(), 2);
    }
    EXPECT_EQ(second.ManagerCount(), 1);
}

}  // namespace
}  // namespace engine::test
