#include "engine/scene/dummy_cube.h"
#include "engine/scene/light_source.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace engine {
namespace {

using test::CountingBuffer;

TEST(LightSlots, NineLightsFillEightSlotsAndTheNinthStaysUnlit) {
    TGLWorld world;
    std::vector<TGLLightSource*> lights;
    for (int i = 0; i < 9; ++i) {
        lights.push_back(world.Objects().CreateChild<TGLLightSource>());
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(lights[i]->LightSlot(), i);
        EXPECT_EQ(world.Light(i), lights[i]);
    }
    EXPECT_EQ(lights[8]->LightSlot(), -1);

    // Freeing the fourth frees slot 3 for a light added later; the ninth does not move up.
    lights[3]->Free();
    EXPECT_EQ(world.Light(3), nullptr);
    EXPECT_EQ(lights[8]->LightSlot(), -1);
    auto* later = world.Objects().CreateChild<TGLLightSource>();
    EXPECT_EQ(later->LightSlot(), 3);
}

TEST(LightSlots, LightsInASubtreeJoinAndLeaveWithIt) {
    TGLWorld world;
    TGLWorld other;
    auto owned = std::make_unique<TGLDummyCube>();
    auto* light = owned->CreateChild<TGLDummyCube>()->CreateChild<TGLLightSource>();
    EXPECT_EQ(light->LightSlot(), -1);  // no scene yet
    TGLDummyCube* group = owned.get();
    world.Objects().AppendChild(std::move(owned));
    EXPECT_EQ(light->LightSlot(), 0);

    group->Reparent(&other.Objects());
    EXPECT_EQ(world.Light(0), nullptr);
    EXPECT_EQ(other.Light(0), light);

    auto detached = group->Reparent(nullptr);
    EXPECT_EQ(other.Light(0), nullptr);
    EXPECT_EQ(light->LightSlot(), -1);
}

TEST(LightSlots, SwitchingShiningOffKeepsTheSlotAndSignals) {
    TGLWorld world;
    CountingBuffer buffer;
    world.AttachBuffer(buffer);
    auto* light = world.Objects().CreateChild<TGLLightSource>();
    buffer.changes = 0;
    light->SetShining(false);
    EXPECT_EQ(light->LightSlot(), 0);
    EXPECT_EQ(world.Light(0), light);
    light->Diffuse().SetRed(0.5f);
    light->SetQuadraticAttenuation(0.001f);
    EXPECT_EQ(buffer.changes, 3);
}

TEST(LightSource, SpotDirectionIsATransformChangeAndLightsHaveNoExtent) {
    TGLWorld world;
    auto* light = world.Objects().CreateChild<TGLLightSource>();
    (void)light->WorldTransform();
    EXPECT_EQ(light->ChangeFlags() & 1, 0);
    light->SpotDirection().SetAll(TVec4{1, 0, 0, 0});
    EXPECT_EQ(light->ChangeFlags() & 1, 1);
    EXPECT_EQ(light->BoundingRadius(), 0.0f);
    EXPECT_FALSE(light->IntersectRay(TVec4{0, 0, 5, 1}, TVec4{0, 0, -1, 0}, nullptr, nullptr));
}

TEST(LightSource, CopyTakesTheSettingsButASlotOfItsOwn) {
    TGLWorld world;
    auto* light = world.Objects().CreateChild<TGLLightSource>();
    light->SetLightStyle(lsOmni);
    light->SetQuadraticAttenuation(0.001f);
    light->Diffuse().SetColor(TVec4{1, 0.5f, 0.25f, 1});
    auto* copy = world.Objects().CreateChild<TGLLightSource>();
    copy->CopyFrom(*light);
    EXPECT_EQ(copy->LightStyle(), lsOmni);
    EXPECT_EQ(copy->QuadraticAttenuation(), 0.001f);
    EXPECT_EQ(copy->Diffuse().Color(), (TVec4{1, 0.5f, 0.25f, 1}));
    EXPECT_EQ(copy->LightSlot(), 1);
}

}  // namespace
}  // namespace engine
