#include "test_nodes.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace engine {
namespace {

class LoggingBehaviour : public TGLBehaviour {
public:
    LoggingBehaviour(TGLBaseSceneObject* owner, std::vector<std::string>* log) : TGLBehaviour(owner), m_log(log) {}
    void DoProgress(const TProgressTimes&) override { m_log->push_back(Name()); }
    std::unique_ptr<TGLBehaviour> Clone(TGLBaseSceneObject* newOwner) const override {
        auto copy = std::make_unique<LoggingBehaviour>(newOwner, m_log);
        copy->SetName(Name());
        return copy;
    }

private:
    std::vector<std::string>* m_log;
};

class LoggingEffect : public TGLObjectPostEffect {
public:
    LoggingEffect(TGLBaseSceneObject* owner, std::vector<std::string>* log) : TGLObjectPostEffect(owner), m_log(log) {}
    void DoProgress(const TProgressTimes&) override { m_log->push_back(Name()); }
    std::unique_ptr<TGLObjectEffect> Clone(TGLBaseSceneObject* newOwner) const override {
        auto copy = std::make_unique<LoggingEffect>(newOwner, m_log);
        copy->SetName(Name());
        return copy;
    }

private:
    std::vector<std::string>* m_log;
};

// Five named siblings under ObjectRoot that log their OnProgress; an action may run in one of them.
struct Siblings {
    TGLWorld world;
    std::vector<std::string> log;
    std::map<std::string, TGLBaseSceneObject*> nodes;

    Siblings() {
        for (const char* name : {"s0", "s1", "s2", "s3", "s4"}) {
            auto* node = world.Objects().CreateChild<TGLBaseSceneObject>();
            node->SetName(name);
            node->OnProgress = [this](TComponent* sender, double, double) { log.push_back(sender->Name()); };
            nodes[name] = node;
        }
    }

    void OnProgressOf(const std::string& name, std::function<void(TGLBaseSceneObject&)> action) {
        nodes[name]->OnProgress = [this, action](TComponent* sender, double, double) {
            log.push_back(sender->Name());
            action(static_cast<TGLBaseSceneObject&>(*sender));
        };
    }
};

TEST(Progress, ChildrenLastToFirstThenBehavioursEffectsAndOwnHandler) {
    TGLWorld world;
    std::vector<std::string> log;
    auto* node = world.Objects().CreateChild<TGLBaseSceneObject>();
    node->SetName("node");
    node->SetVisible(false);  // invisible objects are progressed too
    for (const char* name : {"c0", "c1"}) {
        auto* child = node->CreateChild<TGLBaseSceneObject>();
        child->SetName(name);
        child->OnProgress = [&](TComponent* sender, double, double) { log.push_back(sender->Name()); };
        child->CreateChild<TGLBaseSceneObject>()->OnProgress = [&, name](TComponent*, double, double) {
            log.push_back(std::string(name) + ".child");
        };
    }
    node->Behaviours().Add<LoggingBehaviour>(&log)->SetName("behaviour");
    node->Effects().Add<LoggingEffect>(&log)->SetName("effect");
    double delta = 0;
    double time = 0;
    node->OnProgress = [&](TComponent* sender, double deltaTime, double newTime) {
        log.push_back(sender->Name());
        delta = deltaTime;
        time = newTime;
    };
    world.AdvanceTime(0.25, 3.5);
    EXPECT_EQ(log, (std::vector<std::string>{"c1.child", "c1", "c0.child", "c0", "behaviour", "effect", "node"}));
    EXPECT_EQ(delta, 0.25);
    EXPECT_EQ(time, 3.5);
}

TEST(Progress, SceneProgressesObjectRootThenCameraRootThenItsHandler) {
    TGLWorld world;
    std::vector<std::string> log;
    auto record = [&](TComponent* sender, double, double) { log.push_back(sender->Name()); };
    world.Objects().OnProgress = record;
    world.Cameras().OnProgress = record;
    world.SetName("scene");
    world.OnProgress = record;
    world.AdvanceTime(0.1, 1.0);
    EXPECT_EQ(log, (std::vector<std::string>{"ObjectRoot", "CameraRoot", "scene"}));
}

TEST(Progress, ObjectFreeingItselfSkipsNoSiblingAndRepeatsNone) {
    Siblings s;
    s.OnProgressOf("s2", [](TGLBaseSceneObject& self) { self.Free(); });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "s1", "s0"}));
    EXPECT_EQ(s.world.Objects().ChildCount(), 4);
}

TEST(Progress, FreeingALaterSiblingDoesNotDisturbTheWalk) {
    Siblings s;
    s.OnProgressOf("s1", [&](TGLBaseSceneObject&) { s.nodes["s3"]->Free(); });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "s1", "s0"}));
}

TEST(Progress, FreeingAnEarlierSiblingSkipsOnlyThatSibling) {
    Siblings s;
    s.OnProgressOf("s3", [&](TGLBaseSceneObject&) { s.nodes["s1"]->Free(); });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "s0"}));
}

TEST(Progress, FreeingSelfAndNeighboursTogether) {
    Siblings s;
    s.OnProgressOf("s2", [&](TGLBaseSceneObject& self) {
        s.nodes["s3"]->Free();
        s.nodes["s1"]->Free();
        self.Free();
    });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "s0"}));
}

TEST(Progress, ChildFreeingItsParentEndsTheParentsWalk) {
    Siblings s;
    auto* parent = s.nodes["s2"];
    for (const char* name : {"k0", "k1"}) {
        auto* child = parent->CreateChild<TGLBaseSceneObject>();
        child->SetName(name);
        child->OnProgress = [&](TComponent* sender, double, double) { s.log.push_back(sender->Name()); };
    }
    parent->ChildAt(1)->OnProgress = [&](TComponent* sender, double, double) {
        s.log.push_back(sender->Name());
        s.nodes["s2"]->Free();
    };
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "k1", "s1", "s0"}));
}

TEST(Progress, ObjectAddedDuringTheWalkWaitsForTheNextStep) {
    Siblings s;
    s.OnProgressOf("s2", [&](TGLBaseSceneObject&) {
        auto* added = s.world.Objects().CreateChild<TGLBaseSceneObject>();
        added->SetName("late");
        added->OnProgress = [&](TComponent* sender, double, double) { s.log.push_back(sender->Name()); };
    });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "s1", "s0"}));
}

TEST(Progress, ObjectsInsertedBeforeTheCursorAreVisitedOnceAndSkipNothing) {
    Siblings s;
    auto insert = [&](int index, const std::string& name) {
        auto node = std::make_unique<TGLBaseSceneObject>();
        node->SetName(name);
        node->OnProgress = [&](TComponent* sender, double, double) { s.log.push_back(sender->Name()); };
        s.world.Objects().InsertChild(index, std::move(node));
    };
    s.OnProgressOf("s2", [&](TGLBaseSceneObject& self) {
        insert(0, "front");
        insert(s.world.Objects().IndexOfChild(&self), "mid");
    });
    s.world.AdvanceTime(0.1, 1);
    EXPECT_EQ(s.log, (std::vector<std::string>{"s4", "s3", "s2", "mid", "s1", "s0", "front"}));
}

TEST(Progress, BehaviourRemovingItselfIsSafe) {
    TGLWorld world;
    std::vector<std::string> log;
    auto* node = world.Objects().CreateChild<TGLBaseSceneObject>();

    class SelfRemoving : public TGLBehaviour {
    public:
        using TGLBehaviour::TGLBehaviour;
        void DoProgress(const TProgressTimes&) override { OwnerObject()->Behaviours().Remove(this); }
        std::unique_ptr<TGLBehaviour> Clone(TGLBaseSceneObject* owner) const override {
            return std::make_unique<SelfRemoving>(owner);
        }
    };
    node->Behaviours().Add<SelfRemoving>();
    node->Behaviours().Add<LoggingBehaviour>(&log)->SetName("kept");
    world.AdvanceTime(0.1, 1);
    world.AdvanceTime(0.1, 2);
    EXPECT_EQ(node->Behaviours().Count(), 1);
    EXPECT_EQ(log.back(), "kept");
}

}  // namespace
}  // namespace engine
