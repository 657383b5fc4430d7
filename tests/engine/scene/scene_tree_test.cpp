#include "engine/scene/dummy_cube.h"
#include "test_nodes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace engine {
namespace {

using test::LoggedNode;
using test::TestCamera;

std::vector<std::string> Names(const TGLBaseSceneObject& parent) {
    std::vector<std::string> names;
    for (int i = 0; i < parent.ChildCount(); ++i) {
        names.push_back(parent.ChildAt(i)->Name());
    }
    return names;
}

TGLBaseSceneObject* Named(TGLBaseSceneObject* o, const std::string& name) {
    o->SetName(name);
    return o;
}

TEST(SceneTree, ChildAtWithoutChildrenOrOutOfRangeIsNone) {
    TGLBaseSceneObject node;
    EXPECT_EQ(node.ChildCount(), 0);
    EXPECT_EQ(node.ChildAt(0), nullptr);
    node.CreateChild<TGLDummyCube>();
    EXPECT_EQ(node.ChildAt(1), nullptr);
    EXPECT_EQ(node.ChildAt(-1), nullptr);
}

TEST(SceneTree, CreateAppendInsertKeepOrderAndParentAndScene) {
    TGLWorld world;
    auto* a = Named(world.Objects().CreateChild<TGLDummyCube>(), "a");
    Named(world.Objects().CreateChild<TGLDummyCube>(), "c");
    auto b = std::make_unique<TGLBaseSceneObject>();
    b->SetName("b");
    auto* grandchild = b->CreateChild<TGLBaseSceneObject>();
    world.Objects().InsertChild(1, std::move(b));
    world.Objects().InsertChild(99, std::make_unique<TGLBaseSceneObject>());
    EXPECT_EQ(Names(world.Objects()), (std::vector<std::string>{"a", "b", "c", ""}));
    EXPECT_EQ(a->Parent(), &world.Objects());
    EXPECT_EQ(grandchild->Scene(), &world) << "the whole subtree joins the scene";
}

TEST(SceneTree, AdoptionThatWouldBreakTheTreeIsRefusedAndOwnershipStays) {
    TGLWorld world;
    auto top = std::make_unique<TGLBaseSceneObject>();
    auto* inner = top->CreateChild<TGLBaseSceneObject>();
    EXPECT_THROW(inner->AppendChild(std::move(top)), std::invalid_argument);
    ASSERT_NE(top, nullptr) << "the caller still owns the object";
    EXPECT_EQ(inner->ChildCount(), 0);

    auto root = std::make_unique<TGLRootObject>(nullptr);
    EXPECT_THROW(world.Objects().AppendChild(std::move(root)), std::invalid_argument);
    EXPECT_NE(root, nullptr);
    std::unique_ptr<TGLBaseSceneObject> none;
    EXPECT_THROW(world.Objects().AppendChild(std::move(none)), std::invalid_argument);
}

TEST(SceneTree, DetachKeepingChildrenMovesThemUp) {
    TGLWorld world;
    auto* a = Named(world.Objects().CreateChild<TGLBaseSceneObject>(), "a");
    Named(a->CreateChild<TGLBaseSceneObject>(), "x");
    auto* y = Named(a->CreateChild<TGLBaseSceneObject>(), "y");
    Named(world.Objects().CreateChild<TGLBaseSceneObject>(), "b");
    auto detached = world.Objects().DetachChild(a, true);
    ASSERT_EQ(detached.get(), a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->Scene(), nullptr);
    EXPECT_EQ(a->ChildCount(), 0);
    EXPECT_EQ(Names(world.Objects()), (std::vector<std::string>{"b", "x", "y"}));
    EXPECT_EQ(y->Parent(), &world.Objects());
    EXPECT_EQ(y->Scene(), &world);
}

TEST(SceneTree, DetachOfANonChildDoesNothing) {
    TGLBaseSceneObject parent;
    TGLBaseSceneObject stranger;
    EXPECT_EQ(parent.DetachChild(&stranger, false), nullptr);
    EXPECT_EQ(parent.DetachChild(nullptr, false), nullptr);
}

TEST(SceneTree, ReparentMovesSubtreeAndRefusesCycles) {
    TGLWorld world;
    auto* a = Named(world.Objects().CreateChild<TGLBaseSceneObject>(), "a");
    auto* b = Named(world.Objects().CreateChild<TGLBaseSceneObject>(), "b");
    auto* a1 = a->CreateChild<TGLBaseSceneObject>();
    EXPECT_EQ(a->Reparent(b), nullptr);
    EXPECT_EQ(a->Parent(), b);
    EXPECT_EQ(a1->Parent(), a) << "children move with the object";
    EXPECT_EQ(Names(world.Objects()), (std::vector<std::string>{"b"}));

    b->Reparent(a1);  // below itself
    EXPECT_EQ(b->Parent(), &world.Objects());
    a->Reparent(a);
    EXPECT_EQ(a->Parent(), b);
}

TEST(SceneTree, ReparentToNoneHandsTheObjectOutOfTheScene) {
    TGLWorld world;
    auto* a = world.Objects().CreateChild<TGLBaseSceneObject>();
    auto* child = a->CreateChild<TGLBaseSceneObject>();
    auto owned = a->Reparent(nullptr);
    ASSERT_EQ(owned.get(), a);
    EXPECT_EQ(world.Objects().ChildCount(), 0);
    EXPECT_EQ(child->Scene(), nullptr);
}

TEST(SceneTree, InsertExistingChildReordersWithinParent) {
    TGLBaseSceneObject parent;
    Named(parent.CreateChild<TGLBaseSceneObject>(), "a");
    Named(parent.CreateChild<TGLBaseSceneObject>(), "b");
    auto* c = Named(parent.CreateChild<TGLBaseSceneObject>(), "c");
    parent.InsertChild(0, *c);
    EXPECT_EQ(Names(parent), (std::vector<std::string>{"c", "a", "b"}));
}

// As a move to another parent appends the object, a move to its own parent takes it to the end.
TEST(SceneTree, ReparentToTheSameParentMovesToTheEnd) {
    TGLWorld world;
    test::CountingBuffer buffer;
    TGLBaseSceneObject& parent = world.Objects();
    auto* a = Named(parent.CreateChild<TGLBaseSceneObject>(), "a");
    auto* a1 = a->CreateChild<TGLBaseSceneObject>();
    Named(parent.CreateChild<TGLBaseSceneObject>(), "b");
    Named(parent.CreateChild<TGLBaseSceneObject>(), "c");
    world.AttachBuffer(buffer);
    EXPECT_EQ(a->Reparent(&parent), nullptr);
    EXPECT_EQ(Names(parent), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(a->Scene(), &world);
    EXPECT_GT(buffer.changes, 0) << "the drawing order changed";
    world.DetachBuffer(buffer);
}

TEST(SceneTree, FreeRemovesFromParentAndDestroysSubtree) {
    std::vector<std::string> log;
    TGLBaseSceneObject parent;
    auto* a = parent.CreateChild<LoggedNode>(&log);
    a->SetName("a");
    a->CreateChild<LoggedNode>(&log)->SetName("a1");
    a->Free();
    EXPECT_EQ(parent.ChildCount(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "a1"}));
}

TEST(SceneTree, CamerasAreFreedBeforeTheRestOfTheSubtree) {
    std::vector<std::string> log;
    {
        TGLWorld world;
        auto* top = world.Objects().CreateChild<LoggedNode>(&log);
        top->SetName("top");
        auto* mid = top->CreateChild<LoggedNode>(&log);
        mid->SetName("mid");
        mid->CreateChild<TestCamera>(&log)->SetName("deepCamera");
        top->CreateChild<LoggedNode>(&log)->SetName("leaf");
        top->CreateChild<TestCamera>(&log)->SetName("camera");
        top->Free();
        ASSERT_EQ(log.size(), 5u);
        EXPECT_TRUE((log[0] == "deepCamera" && log[1] == "camera") || (log[0] == "camera" && log[1] == "deepCamera"));
        EXPECT_EQ(log[2], "top");
    }
}

TEST(SceneTree, LinksToAFreedNodeAreCleared) {
    TGLWorld world;
    auto* a = world.Objects().CreateChild<TGLBaseSceneObject>();
    TComponentLink<TGLBaseSceneObject> link;
    link.Set(a->CreateChild<TGLBaseSceneObject>());
    a->Free();
    EXPECT_EQ(link.Get(), nullptr);
}

}  // namespace
}  // namespace engine
