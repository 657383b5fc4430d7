#include "engine/scene/dummy_cube.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace engine {
namespace {

using test::ExpectMat;
using test::ExpectVec;

class CountingEffect : public TGLObjectPostEffect {
public:
    CountingEffect(TGLBaseSceneObject* owner, int start) : TGLObjectPostEffect(owner), count(start) {}
    void DoProgress(const TProgressTimes&) override { ++count; }
    std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const override {
        auto copy = std::make_unique<CountingEffect>(newOwner, count);
        copy->SetName(Name());
        return copy;
    }
    int count;
};

// A template like the game's bug: a dummy cube carrier with a child part, effects and tags.
struct Template {
    TGLWorld world;
    TGLDummyCube* source = nullptr;
    TGLDummyCube* part = nullptr;

    Template() {
        source = world.Objects().CreateChild<TGLDummyCube>();
        source->SetName("template");
        source->SetPosition(TVec4{1, 2, 3, 1});
        source->TurnBy(30);
        source->SetScale(TVec4{2, 1, 1, 0});
        source->SetCubeSize(4);
        source->SetVisible(false);
        source->SetObjectsSorting(osRenderFarthestFirst);
        source->SetTag(7);
        source->SetTagFloat(0.5f);
        source->Effects().Add<CountingEffect>(10)->SetName("flame");
        part = source->CreateChild<TGLDummyCube>();
        part->SetName("part");
        part->SetPosition(TVec4{0, 1, 0, 1});
        part->SetCubeSize(0.25f);
        part->CreateChild<TGLBaseSceneObject>()->SetName("leaf");
    }
};

TEST(CopyFrom, CopiesSettingsTransformTagsAndSubtreeWithClasses) {
    Template t;
    auto* copy = t.world.Objects().CreateChild<TGLDummyCube>();
    copy->CopyFrom(*t.source);
    ExpectMat(copy->LocalTransform(), t.source->LocalTransform());
    EXPECT_NEAR(copy->TurnAngle(), t.source->TurnAngle(), 1e-6f);
    EXPECT_FALSE(copy->Visible());
    EXPECT_EQ(copy->ObjectsSorting(), osRenderFarthestFirst);
    EXPECT_EQ(copy->CubeSize(), 4.0f);
    EXPECT_EQ(copy->Tag(), 7);
    EXPECT_EQ(copy->TagFloat(), 0.5f);
    ASSERT_EQ(copy->ChildCount(), 1);
    auto* copiedPart = dynamic_cast<TGLDummyCube*>(copy->ChildAt(0));
    ASSERT_NE(copiedPart, nullptr) << "a child of the same class";
    EXPECT_EQ(copiedPart->CubeSize(), 0.25f);
    ASSERT_EQ(copiedPart->ChildCount(), 1);
    EXPECT_EQ(copiedPart->ChildAt(0)->Scene(), &t.world);
    ExpectMat(copiedPart->WorldTransform(), t.part->WorldTransform());
    ASSERT_EQ(copy->Effects().Count(), 1);
    EXPECT_EQ(copy->Effects().Items(0)->OwnerObject(), copy);
    EXPECT_EQ(copy->Effects().Items(0)->Name(), "flame");
}

TEST(CopyFrom, CopyIsIndependentOfTheSource) {
    Template t;
    auto* copy = t.world.Objects().CreateChild<TGLDummyCube>();
    copy->CopyFrom(*t.source);
    TGLBaseSceneObject* copiedPart = copy->ChildAt(0);
    const TMat4 partWorld = copiedPart->WorldTransform();

    t.source->Advance(5);
    t.part->SetCubeSize(9);
    t.part->ChildAt(0)->Free();
    t.world.AdvanceTime(0.1, 1);
    ExpectMat(copiedPart->WorldTransform(), partWorld);
    EXPECT_EQ(static_cast<TGLDummyCube*>(copiedPart)->CubeSize(), 0.25f);
    EXPECT_EQ(copiedPart->ChildCount(), 1);
    EXPECT_EQ(static_cast<CountingEffect*>(t.source->Effects().Items(0))->count, 11);
    EXPECT_EQ(static_cast<CountingEffect*>(copy->Effects().Items(0))->count, 11);
}

TEST(CopyFrom, ReplacesOwnChildrenAndDropsOwnItemsWhenTheSourceHasNone) {
    Template t;
    auto* target = t.world.Objects().CreateChild<TGLDummyCube>();
    target->CreateChild<TGLBaseSceneObject>();
    target->CreateChild<TGLBaseSceneObject>();
    target->Effects().Add<CountingEffect>(0);
    auto* plain = t.world.Objects().CreateChild<TGLBaseSceneObject>();
    target->CopyFrom(*plain);
    EXPECT_EQ(target->ChildCount(), 0);
    EXPECT_FALSE(target->HasEffects());
}

// A free-standing copy belongs to the source's scene, as a copy inside the tree does, and leaves it
// when that scene goes first.
TEST(CopyFrom, AFreeStandingCopyJoinsTheSourcesScene) {
    auto t = std::make_unique<Template>();
    test::CountingBuffer buffer;
    t->world.AttachBuffer(buffer);
    TGLDummyCube copy;
    copy.CopyFrom(*t->source);
    EXPECT_EQ(copy.Scene(), &t->world);
    EXPECT_EQ(copy.ChildAt(0)->ChildAt(0)->Scene(), &t->world);
    const int before = buffer.changes;
    copy.SetVisible(true);
    EXPECT_GT(buffer.changes, before) << "its repaint requests reach the scene";
    t->world.DetachBuffer(buffer);
    t.reset();
    EXPECT_EQ(copy.Scene(), nullptr);
    EXPECT_EQ(copy.ChildAt(0)->ChildAt(0)->Scene(), nullptr);
    copy.SetVisible(false);  // tells no dead scene
}

TEST(CopyFrom, BetweenAncestorAndDescendantIsRefused) {
    Template t;
    EXPECT_THROW(t.part->CopyFrom(*t.source), std::invalid_argument);
    EXPECT_THROW(t.source->CopyFrom(*t.part), std::invalid_argument);
    EXPECT_THROW(t.source->CopyFrom(*t.source), std::invalid_argument);
    EXPECT_EQ(t.source->ChildCount(), 1);
    EXPECT_EQ(t.part->CubeSize(), 0.25f);
}

}  // namespace
}  // namespace engine
