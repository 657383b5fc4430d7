#include "engine/assets/actor.h"
#include "engine/assets/model_formats.h"
#include "engine/assets/morphable_mesh_object.h"
#include "engine/scene/dummy_cube.h"
#include "tests/engine/assets/model_builders.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using engine::TGLActor;
using engine::TVec3;

// An actor loaded with frames stand1..4, run1..3, death1..3 (frames 0-3, 4-6, 7-9); frame f lifts
// the model by f.
class Actor : public ::testing::Test {
protected:
    Actor() {
        engine::RegisterModelFormats();
        actor.OnFrameChanged = [this](engine::TComponent*) {
            events.push_back("changed " + std::to_string(actor.CurrentFrame()));
        };
        actor.OnEndFrameReached = [this](engine::TComponent*) { events.push_back("end"); };
        actor.OnStartFrameReached = [this](engine::TComponent*) { events.push_back("start"); };
        actor.LoadFromStream(
            "bug.md2", tests::FileMD2(tests::QuadModel({"stand1", "stand2", "stand3", "stand4", "run1", "run2", "run3",
                                                        "death1", "death2", "death3"})));
    }

    void Tick(double seconds) { actor.ProgressTree(engine::TProgressTimes{seconds, 0.0}); }

    TGLActor actor;
    std::vector<std::string> events;
};

TEST_F(Actor, LoadingSetsTheWholeRangeAndTheAnimations) {
    EXPECT_EQ(actor.AvailableFrameCount(), 10);
    EXPECT_EQ(actor.StartFrame(), 0);
    EXPECT_EQ(actor.EndFrame(), 9);
    EXPECT_EQ(actor.CurrentFrame(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 0"}));
    ASSERT_EQ(actor.Animations().Count(), 3);
    EXPECT_EQ(actor.Animations()[1].DisplayName(), "1 - run [4 - 6]");
    EXPECT_EQ(actor.Animations()[2].EndFrame(), 9);
    EXPECT_EQ(actor.ActiveAnimationName(), "stand");
}

TEST_F(Actor, SelectingByNameSetsTheRange) {
    actor.SelectAnimation("RUN");
    EXPECT_EQ(actor.StartFrame(), 4);
    EXPECT_EQ(actor.EndFrame(), 6);
    EXPECT_EQ(actor.CurrentFrame(), 4);
    EXPECT_EQ(actor.ActiveAnimationName(), "run");
    actor.SelectAnimation("fly");  // no such animation: nothing changes
    EXPECT_EQ(actor.CurrentFrame(), 4);
    actor.SelectAnimation("stand");
    EXPECT_EQ(actor.StartFrame(), 0);
    EXPECT_EQ(actor.EndFrame(), 3);
    EXPECT_EQ(actor.CurrentFrame(), 0);
}

TEST_F(Actor, FrameDeltaStepsOnlyWhenStrictlyAboveOne) {
    actor.SetAnimationMode(engine::aamLoop);
    Tick(0.05);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 0.5f);
    Tick(0.05);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 1.0f);
    EXPECT_EQ(actor.CurrentFrame(), 0);
    Tick(0.05);
    EXPECT_EQ(actor.CurrentFrame(), 1);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 0.5f);
    Tick(0.25);  // 3.0: three frames at once
    EXPECT_EQ(actor.CurrentFrame(), 4);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 0.0f);
}

TEST_F(Actor, PlayOnceStopsOnTheEndFrame) {
    actor.SelectAnimation("run");
    actor.SetAnimationMode(engine::aamPlayOnce);
    events.clear();
    for (int i = 0; i < 10; ++i) {
        Tick(0.11);
    }
    EXPECT_EQ(actor.CurrentFrame(), 6);
    EXPECT_EQ(actor.AnimationMode(), engine::aamNone);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 5", "changed 6", "end"}));
}

TEST_F(Actor, LoopWrapsToTheStartFrame) {
    actor.SelectAnimation("run");
    actor.SetAnimationMode(engine::aamLoop);
    events.clear();
    actor.StepFrames(3);
    EXPECT_EQ(actor.CurrentFrame(), 4);
    EXPECT_EQ(events, (std::vector<std::string>{"changed 5", "changed 6", "end", "changed 4", "start"}));
    actor.SetAnimationMode(engine::aamLoopBackward);
    EXPECT_EQ(actor.FollowingFrameIndex(), 6);
    actor.SetAnimationMode(engine::aamExternal);
    EXPECT_EQ(actor.FollowingFrameIndex(), 4);
}

TEST_F(Actor, BounceModesTurnAtTheEnds) {
    actor.SelectAnimation("run");
    actor.SetAnimationMode(engine::aamBounceForward);
    std::vector<int> frames;
    for (int i = 0; i < 6; ++i) {
        actor.StepFrames(1);
        frames.push_back(actor.CurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{5, 6, 5, 4, 5, 6}));
    EXPECT_EQ(actor.AnimationMode(), engine::aamBounceBackward);
}

TEST_F(Actor, NeverAdvancesOnASingleFrame) {
    actor.SetAnimationMode(engine::aamLoop);
    actor.SetEndFrame(0);
    Tick(1.0);
    EXPECT_EQ(actor.CurrentFrame(), 0);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 0.0f);

    TGLActor single;
    single.LoadFromStream("one.md2", tests::FileMD2(tests::QuadModel({"pose1"})));
    single.SetAnimationMode(engine::aamLoop);
    single.ProgressTree({1.0, 0.0});
    EXPECT_EQ(single.CurrentFrame(), 0);
}

TEST_F(Actor, FrameRangesAreClampedToTheFrames) {
    actor.SetStartFrame(12);  // beyond the frames: ignored
    EXPECT_EQ(actor.StartFrame(), 0);
    actor.SetCurrentFrame(2);
    actor.SetStartFrame(5);
    EXPECT_EQ(actor.CurrentFrame(), 5);
    actor.SetEndFrame(3);  // below the start: the current frame follows it down
    EXPECT_EQ(actor.CurrentFrame(), 3);
    actor.SetCurrentFrame(40);
    EXPECT_EQ(actor.CurrentFrame(), 9);

    engine::TActorAnimation& animation = actor.Animations()[0];
    animation.SetStartFrame(20);
    EXPECT_EQ(animation.StartFrame(), 9);
    EXPECT_EQ(animation.EndFrame(), 9);
    animation.SetEndFrame(-3);
    EXPECT_EQ(animation.StartFrame(), 0);
    EXPECT_EQ(animation.EndFrame(), 0);
}

TEST_F(Actor, ActiveAnimationNameIsEmptyOutsideEveryRange) {
    actor.Animations().Delete(2);
    actor.SetCurrentFrame(8);
    EXPECT_EQ(actor.ActiveAnimationName(), "");
}

TEST_F(Actor, SmoothSelectionLandsOnTheTargetAfterTheInterval) {
    actor.SetAnimationMode(engine::aamLoop);
    actor.SetCurrentFrame(1);
    actor.SelectAnimation("death", true);
    EXPECT_EQ(actor.FollowingFrameIndex(), 7);
    Tick(0.05);
    EXPECT_EQ(actor.CurrentFrame(), 1);
    Tick(0.06);
    EXPECT_EQ(actor.CurrentFrame(), 7);
    EXPECT_EQ(actor.StartFrame(), 7);
    EXPECT_EQ(actor.PendingSmoothAnimation(), nullptr);
    EXPECT_FLOAT_EQ(actor.CurrentFrameDelta(), 0.0f);
    actor.SelectAnimation("run", true);
    actor.Animations().Delete(1);
    EXPECT_EQ(actor.PendingSmoothAnimation(), nullptr);
}

TEST_F(Actor, PreparedFrameBlendsTowardsTheFollowingFrame) {
    actor.SelectAnimation("run");
    actor.SetAnimationMode(engine::aamLoop);
    actor.SetCurrentFrame(6);
    actor.SetCurrentFrameDelta(0.25f);
    actor.PrepareFrame();
    // Between frame 6 (lifted by 6) and the following frame 4 (lifted by 4).
    EXPECT_FLOAT_EQ(actor.MeshObjects()[0].Vertices()[0].Z, 5.5f);
    actor.SetFrameInterpolation(engine::afpNone);
    actor.PrepareFrame();
    EXPECT_FLOAT_EQ(actor.MeshObjects()[0].Vertices()[0].Z, 6.0f);
}

TEST_F(Actor, CopyTakesAnimationsAndStateButNotIntervalOrEvents) {
    actor.SelectAnimation("run");
    actor.SetAnimationMode(engine::aamPlayOnce);
    actor.SetInterval(45);
    actor.SetCurrentFrame(5);
    actor.SetCurrentFrameDelta(0.3f);
    actor.SelectAnimation("death", true);
    TGLActor copy;
    copy.CopyFrom(actor);
    EXPECT_EQ(copy.Animations().Count(), 3);
    EXPECT_EQ(copy.AnimationMode(), engine::aamPlayOnce);
    EXPECT_EQ(copy.StartFrame(), 4);
    EXPECT_EQ(copy.EndFrame(), 6);
    EXPECT_EQ(copy.CurrentFrame(), 5);
    EXPECT_FLOAT_EQ(copy.CurrentFrameDelta(), 0.0f);  // the smooth selection reset it
    EXPECT_EQ(copy.Interval(), 100);
    EXPECT_FALSE(copy.OnFrameChanged);
    ASSERT_NE(copy.PendingSmoothAnimation(), nullptr);
    EXPECT_EQ(copy.PendingSmoothAnimation(), &copy.Animations()[2]);
    // The geometry is the copy's own.
    copy.MeshObjects()[0].Vertices()[0] = {7, 7, 7};
    EXPECT_NE(actor.MeshObjects()[0].Vertices()[0], (TVec3{7, 7, 7}));
}

TEST_F(Actor, AFailedLoadKeepsMeshAndAnimations) {
    tests::Md2Desc broken = tests::QuadModel({"a1"});
    broken.triangles[0][0] = 9;
    EXPECT_THROW(actor.LoadFromStream("broken.md2", tests::FileMD2(broken)), std::runtime_error);
    EXPECT_EQ(actor.Animations().Count(), 3);
    EXPECT_EQ(actor.AvailableFrameCount(), 10);
}

TEST_F(Actor, AnActorFreedByItsOwnEventStopsCleanly) {
    engine::TGLDummyCube parent;
    auto* child = parent.CreateChild<TGLActor>();
    child->CopyFrom(actor);
    child->SetAnimationMode(engine::aamLoop);
    child->SetCurrentFrame(8);
    child->OnEndFrameReached = [child](engine::TComponent*) { child->Free(); };
    parent.ProgressTree({0.15, 0.0});
    EXPECT_EQ(parent.ChildCount(), 0);
}

}  // namespace
