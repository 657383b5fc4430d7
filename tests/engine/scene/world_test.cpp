#include "engine/scene/dummy_cube.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace engine {
namespace {

using test::CountingBuffer;
using test::TestLight;

TEST(WorldLights, LightsInAnAppendedSubtreeTakeTheFirstFreeSlots) {
    TGLWorld world;
    auto group = std::make_unique<TGLDummyCube>();
    auto* first = group->CreateChild<TestLight>();
    auto* second = group->CreateChild<TGLDummyCube>()->CreateChild<TestLight>();
    EXPECT_EQ(first->slot, -1) << "no scene yet";
    world.Objects().AppendChild(std::move(group));
    EXPECT_EQ(first->slot, 0);
    EXPECT_EQ(second->slot, 1);
    EXPECT_EQ(world.Light(0), first);
    EXPECT_EQ(world.Light(1), second);
}

TEST(WorldLights, NinthLightGetsNoSlotUntilOneIsFreed) {
    TGLWorld world;
    std::vector<TestLight*> lights;
    for (int i = 0; i < 9; ++i) {
        lights.push_back(world.Objects().CreateChild<TestLight>());
    }
    EXPECT_EQ(lights[7]->slot, 7);
    EXPECT_EQ(lights[8]->slot, -1);
    lights[3]->Free();
    EXPECT_EQ(world.Light(3), nullptr);
    auto* late = world.Objects().CreateChild<TestLight>();
    EXPECT_EQ(late->slot, 3);
    EXPECT_EQ(world.Light(8), nullptr) << "the table has exactly eight slots";
    EXPECT_EQ(world.Light(-1), nullptr);
}

TEST(WorldLights, ReparentWithinTheSceneKeepsTheSlotLeavingFreesIt) {
    TGLWorld world;
    auto* a = world.Objects().CreateChild<TGLDummyCube>();
    auto* b = world.Objects().CreateChild<TGLDummyCube>();
    world.Objects().CreateChild<TestLight>();
    auto* light = a->CreateChild<TestLight>();
    EXPECT_EQ(light->slot, 1);
    a->Reparent(b);
    EXPECT_EQ(light->slot, 1);
    EXPECT_EQ(world.Light(1), light);
    auto out = a->Reparent(nullptr);
    EXPECT_EQ(light->slot, -1);
    EXPECT_EQ(world.Light(1), nullptr);
    world.Objects().AppendChild(std::move(out));
    EXPECT_EQ(light->slot, 1);
}

TEST(WorldLights, DestroyingALightEmptiesItsSlot) {
    TGLWorld world;
    auto* group = world.Objects().CreateChild<TGLDummyCube>();
    group->CreateChild<TestLight>();
    group->Free();
    EXPECT_EQ(world.Light(0), nullptr);
}

TEST(WorldLights, MovingToAnotherSceneMovesTheLight) {
    TGLWorld first;
    TGLWorld second;
    auto* holder = second.Objects().CreateChild<TGLDummyCube>();
    auto* light = first.Objects().CreateChild<TestLight>();
    light->Reparent(holder);
    EXPECT_EQ(first.Light(0), nullptr);
    EXPECT_EQ(second.Light(0), light);
    EXPECT_EQ(light->Scene(), &second);
}

TEST(WorldSignals, ObjectChangesReachAttachedBuffers) {
    TGLWorld world;
    CountingBuffer buffer;
    auto* o = world.Objects().CreateChild<TGLDummyCube>();
    (void)o->WorldTransform();
    world.AttachBuffer(buffer);
    world.AttachBuffer(buffer);
    o->Advance(1);
    EXPECT_EQ(buffer.changes, 1) << "attached once, told once";
    o->SetVisible(false);
    EXPECT_EQ(buffer.changes, 2);
    world.DetachBuffer(buffer);
    o->SetVisible(true);
    EXPECT_EQ(buffer.changes, 2);
}

TEST(WorldSignals, BeginEndUpdateSignalsOnceAtTheOutermostEnd) {
    TGLWorld world;
    CountingBuffer buffer;
    auto* o = world.Objects().CreateChild<TGLDummyCube>();
    world.AttachBuffer(buffer);
    world.BeginUpdate();
    world.BeginUpdate();
    o->SetVisible(false);
    o->SetCubeSize(3);
    world.EndUpdate();
    EXPECT_EQ(buffer.changes, 0);
    world.EndUpdate();
    EXPECT_EQ(buffer.changes, 1);

    o->BeginUpdate();
    o->SetVisible(true);
    o->SetShowAxes(true);
    EXPECT_EQ(buffer.changes, 1);
    o->EndUpdate();
    EXPECT_EQ(buffer.changes, 2);
}

TEST(WorldSignals, UnbalancedEndUpdateThrowsTheFixedMessage) {
    TGLWorld world;
    try {
        world.EndUpdate();
        FAIL() << "no error";
    } catch (const EGLUpdateError& e) {
        EXPECT_STREQ(e.what(), "Unbalanced Begin/EndUpdate");
    }
    TGLDummyCube o;
    EXPECT_THROW(o.EndUpdate(), EGLUpdateError);
    o.BeginUpdate();
    o.EndUpdate();
    EXPECT_THROW(o.EndUpdate(), EGLUpdateError);
}

TEST(WorldSignals, LoadingSuppressesSignalsUntilLoaded) {
    TGLWorld world;
    CountingBuffer buffer;
    world.AttachBuffer(buffer);
    world.BeginLoading();
    world.Objects().CreateChild<TGLDummyCube>()->SetVisible(false);
    EXPECT_EQ(buffer.changes, 0);
    world.Loaded();
    EXPECT_EQ(buffer.changes, 1);
}

TEST(WorldSignals, BufferDetachingItselfWhileToldIsSafe) {
    TGLWorld world;
    struct SelfDetaching : TGLAttachedBuffer {
        void SceneChanged(TGLWorld& scene) override {
            ++changes;
            scene.DetachBuffer(*this);
        }
        void SceneDestroying(TGLWorld&) override {}
        int changes = 0;
    } detaching;
    CountingBuffer other;
    world.AttachBuffer(detaching);
    world.AttachBuffer(other);
    world.NotifyChange();
    world.NotifyChange();
    EXPECT_EQ(detaching.changes, 1);
    EXPECT_EQ(other.changes, 2);
}

TEST(WorldSignals, DestroyedSceneTellsItsBuffersAndClearsCurrentBuffer) {
    CountingBuffer buffer;
    {
        TGLWorld world;
        world.AttachBuffer(buffer);
        world.SetCurrentBuffer(&buffer);
        EXPECT_EQ(world.CurrentBuffer(), &buffer);
        world.Objects().CreateChild<TGLDummyCube>();
    }
    EXPECT_EQ(buffer.destroying, 1);
    EXPECT_EQ(buffer.changes, 1) << "only the creation; nothing while the tree is freed";
}

TEST(WorldSettings, InheritedModesMapToTheSceneDefaults) {
    TGLWorld world;
    EXPECT_EQ(world.ObjectsSorting(), osRenderBlendedLast);
    EXPECT_EQ(world.VisibilityCulling(), vcNone);
    world.SetObjectsSorting(osNone);
    world.SetObjectsSorting(osInherited);
    EXPECT_EQ(world.ObjectsSorting(), osRenderBlendedLast);
    world.SetVisibilityCulling(vcObjectBased);
    world.SetVisibilityCulling(vcInherited);
    EXPECT_EQ(world.VisibilityCulling(), vcNone);
    EXPECT_EQ(world.Objects().Name(), "ObjectRoot");
    EXPECT_EQ(world.Cameras().Name(), "CameraRoot");
    EXPECT_EQ(world.Objects().Scene(), &world);
}

}  // namespace
}  // namespace engine
