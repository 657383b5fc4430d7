#include "engine/timing/cadencer.h"

#include "engine/platform/application.h"
#include "engine/timing/cadenced_component.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {
namespace {

struct Step {
    std::string who;
    double deltaTime;
    double newTime;
};

class RecordingSubscriber : public TGLCadencedComponent {
public:
    RecordingSubscriber(std::string name, std::vector<Step>& steps) : m_steps(steps) { SetName(std::move(name)); }
    void DoProgress(const TProgressTimes& times) override {
        m_steps.push_back({Name(), times.deltaTime, times.newTime});
        if (OnStep) {
            OnStep();
        }
    }
    std::function<void()> OnStep;

private:
    std::vector<Step>& m_steps;
};

// A manual cadencer on an external clock, with its scene, one subscriber and OnProgress all
// recording into one list, so order and times can be checked together.
class CadencerTest : public testing::Test {
protected:
    CadencerTest() {
        cadencer.SetTimeReference(cmExternal);
        cadencer.SetMode(cmManual);
        cadencer.SetScene(&world);
        world.OnProgress = [this](TComponent*, double d, double t) { steps.push_back({"scene", d, t}); };
        subscriber.SetCadencer(&cadencer);
        cadencer.OnProgress = [this](TComponent* sender, double d, double t) {
            EXPECT_EQ(sender, &cadencer);
            steps.push_back({"progress", d, t});
        };
    }

    void TickAt(double rawSeconds) {
        cadencer.SetCurrentTime(rawSeconds);
        cadencer.Tick();
    }

    std::vector<std::string> Order() const {
        std::vector<std::string> order;
        for (const Step& step : steps) {
            order.push_back(step.who);
        }
        return order;
    }

    std::vector<Step> steps;
    TGLWorld world;
    TGLCadencer cadencer;
    RecordingSubscriber subscriber{"subscriber", steps};
};

TEST_F(CadencerTest, OneStepProgressesSceneThenSubscribersThenOnProgress) {
    TickAt(0.25);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));
    for (const Step& step : steps) {
        EXPECT_DOUBLE_EQ(step.deltaTime, 0.25);
        EXPECT_DOUBLE_EQ(step.newTime, 0.25);
    }
    EXPECT_DOUBLE_EQ(cadencer.CurrentTime(), 0.25);
    EXPECT_EQ(cadencer.Progressing(), 0);
}

TEST_F(CadencerTest, FixedDeltaTimeRunsWholeStepsAndKeepsTheRest) {
    cadencer.SetFixedDeltaTime(0.01);
    TickAt(0.035);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress", "scene", "subscriber",
                                                 "progress", "scene", "subscriber", "progress"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(steps[3 * i].deltaTime, 0.01);
        EXPECT_NEAR(steps[3 * i].newTime, 0.01 * (i + 1), 1e-12) << "the scene sees each step's own time";
        EXPECT_NEAR(steps[3 * i + 1].newTime, 0.01 * (i + 1), 1e-12);
        EXPECT_DOUBLE_EQ(steps[3 * i + 2].newTime, 0.035) << "OnProgress always gets the measured time";
    }

    steps.clear();
    TickAt(0.0395);
    EXPECT_TRUE(steps.empty()) << "0.005 left plus 0.0045 is less than one step";
    TickAt(0.041);
    EXPECT_EQ(steps.size(), 3u) << "0.005 left plus 0.006 makes one step";
}

// A handler that stops the world mid-tick: the steps still due are dropped, not caught up later, and
// the part of a step left over stays due.
TEST_F(CadencerTest, SkippedStepsAreDroppedNotCaughtUp) {
    cadencer.SetFixedDeltaTime(0.01);
    cadencer.OnProgress = [this](TComponent*, double d, double t) {
        steps.push_back({"progress", d, t});
        cadencer.SkipRemainingSteps();
    };
    TickAt(0.035);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));
    EXPECT_NEAR(cadencer.CurrentTime(), 0.015, 1e-12);
    steps.clear();
    cadencer.OnProgress = nullptr;
    TickAt(0.0399);
    EXPECT_TRUE(steps.empty()) << "0.005 left plus 0.0049 is less than one step";
    TickAt(0.065);
    ASSERT_EQ(steps.size(), 6u) << "0.005 left plus 0.03 makes three steps of the scene and subscriber, no more";
    EXPECT_NEAR(steps.back().newTime, 0.04, 1e-12);
}

TEST_F(CadencerTest, MaxDeltaTimeDropsAStallInsteadOfReplayingIt) {
    cadencer.SetMaxDeltaTime(0.1);
    TickAt(0.05);
    steps.clear();
    TickAt(2.05);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_DOUBLE_EQ(steps[0].deltaTime, 0.1);
    EXPECT_NEAR(steps[2].newTime, 0.15, 1e-12);
    EXPECT_NEAR(cadencer.CurrentTime(), 0.15, 1e-12);

    steps.clear();
    TickAt(2.1);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[0].deltaTime, 0.05, 1e-12);
    EXPECT_NEAR(steps[2].newTime, 0.2, 1e-12);
}

TEST_F(CadencerTest, ZeroStepRunsSubscribersAndOnProgressOnceButNotTheScene) {
    TickAt(0.5);
    steps.clear();
    TickAt(0.5);
    EXPECT_EQ(Order(), (std::vector<std::string>{"subscriber", "progress"}));
    EXPECT_EQ(steps[1].deltaTime, 0.0);
}

TEST_F(CadencerTest, MinDeltaTimeWaitsUntilEnoughHasPassed) {
    cadencer.SetMinDeltaTime(0.1);
    TickAt(0.05);
    EXPECT_TRUE(steps.empty());
    TickAt(0.12);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[0].deltaTime, 0.12, 1e-12);
}

TEST_F(CadencerTest, TimeSpentDisabledIsNotReported) {
    TickAt(1.0);
    cadencer.SetEnabled(false);
    TickAt(4.0);
    steps.clear();
    cadencer.Tick();
    EXPECT_TRUE(steps.empty()) << "a disabled cadencer does not step";
    cadencer.SetEnabled(true);
    TickAt(4.01);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[2].deltaTime, 0.01, 1e-9);
    EXPECT_NEAR(steps[2].newTime, 1.01, 1e-9);
}

TEST_F(CadencerTest, TimeMultiplierKeepsTimeContinuousAndZeroPauses) {
    TickAt(1.0);
    cadencer.SetTimeMultiplier(2.0);
    steps.clear();
    TickAt(1.5);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[2].deltaTime, 1.0, 1e-9) << "half a raw second at double speed";
    EXPECT_NEAR(steps[2].newTime, 2.0, 1e-9);

    cadencer.SetTimeMultiplier(0.0);
    EXPECT_FALSE(cadencer.Enabled());
    cadencer.SetCurrentTime(10.0);
    cadencer.SetTimeMultiplier(1.0);
    EXPECT_TRUE(cadencer.Enabled()) << "leaving 0 enables again";
    steps.clear();
    TickAt(10.5);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[2].deltaTime, 0.5, 1e-9) << "the pause is not reported";
    EXPECT_NEAR(steps[2].newTime, 2.5, 1e-9);
}

TEST_F(CadencerTest, TimeMultiplierChangedWhileDisabledStaysContinuous) {
    TickAt(1.0);
    cadencer.SetEnabled(false);
    cadencer.SetCurrentTime(3.0);
    cadencer.SetTimeMultiplier(4.0);
    cadencer.SetEnabled(true);
    steps.clear();
    TickAt(3.25);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_NEAR(steps[2].newTime, 2.0, 1e-9);
}

TEST_F(CadencerTest, SwitchingTheTimeReferenceKeepsTimeContinuous) {
    TickAt(5.0);
    cadencer.SetTimeReference(cmPerformanceCounter);
    steps.clear();
    cadencer.Tick();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_GE(steps[2].newTime, 5.0);
    EXPECT_LT(steps[2].deltaTime, 1.0) << "not the distance between two unrelated clock zeros";
    EXPECT_THROW(cadencer.SetTimeReference(static_cast<TGLCadencerTimeReference>(7)), std::invalid_argument);
}

TEST_F(CadencerTest, NestedTickFromTheSceneDoesNothing) {
    world.OnProgress = [this](TComponent*, double, double) {
        EXPECT_LT(cadencer.Progressing(), 0);
        steps.push_back({"scene", 0, 0});
        cadencer.SetCurrentTime(9.0);
        cadencer.Tick();
    };
    TickAt(1.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));
    EXPECT_EQ(cadencer.Progressing(), 0);
}

TEST_F(CadencerTest, ExceptionFromOnProgressLeavesTheCadencerUsable) {
    cadencer.OnProgress = [](TComponent*, double, double) { throw std::runtime_error("frame failed"); };
    cadencer.SetCurrentTime(1.0);
    EXPECT_THROW(cadencer.Tick(), std::runtime_error);
    EXPECT_EQ(cadencer.Progressing(), 0);
    cadencer.OnProgress = nullptr;
    steps.clear();
    TickAt(2.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber"}));
}

TEST_F(CadencerTest, SceneDestroyedClearsTheLink) {
    auto scene = std::make_unique<TGLWorld>();
    cadencer.SetScene(scene.get());
    scene.reset();
    EXPECT_EQ(cadencer.Scene(), nullptr);
    steps.clear();
    TickAt(1.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"subscriber", "progress"}));
}

TEST_F(CadencerTest, SubscribersRunInSubscriptionOrderOnceEach) {
    RecordingSubscriber second("second", steps);
    second.SetCadencer(&cadencer);
    cadencer.Subscribe(&subscriber);  // already there: stays first, once
    cadencer.SetScene(nullptr);
    cadencer.OnProgress = nullptr;
    TickAt(1.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"subscriber", "second"}));

    TGLCadencer other;
    subscriber.SetCadencer(&other);
    steps.clear();
    TickAt(2.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"second"})) << "moving to another cadencer unsubscribes";
}

TEST_F(CadencerTest, DestroyingEitherSideRemovesTheLink) {
    auto doomed = std::make_unique<RecordingSubscriber>("doomed", steps);
    doomed->SetCadencer(&cadencer);
    auto direct = std::make_unique<RecordingSubscriber>("direct", steps);
    cadencer.Subscribe(direct.get());
    doomed.reset();
    direct.reset();
    TickAt(1.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));

    auto shortLived = std::make_unique<TGLCadencer>();
    RecordingSubscriber survivor("survivor", steps);
    survivor.SetCadencer(shortLived.get());
    shortLived.reset();
    EXPECT_EQ(survivor.Cadencer(), nullptr);
}

TEST_F(CadencerTest, SubscriberDestroyingAnotherDuringTheWalk) {
    auto victim = std::make_unique<RecordingSubscriber>("victim", steps);
    victim->SetCadencer(&cadencer);
    subscriber.OnStep = [&] { victim.reset(); };
    TickAt(1.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));
    steps.clear();
    TickAt(2.0);
    EXPECT_EQ(Order(), (std::vector<std::string>{"scene", "subscriber", "progress"}));
}

TEST(CadencerLifetime, DestroyedFromItsOwnOnProgressIsReportedAndStopsSafely) {
    std::vector<std::string> reported;
    auto previous = Application().OnException;
    Application().OnException = [&](const std::exception& e) { reported.push_back(e.what()); };
    auto cadencer = std::make_unique<TGLCadencer>();
    cadencer->SetMode(cmManual);
    cadencer->SetTimeReference(cmExternal);
    cadencer->SetFixedDeltaTime(0.1);
    int calls = 0;
    cadencer->OnProgress = [&](TComponent*, double, double) {
        ++calls;
        cadencer.reset();
    };
    cadencer->SetCurrentTime(1.0);
    cadencer->Tick();  // ten steps due; the first one destroys it
    Application().OnException = previous;
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reported, (std::vector<std::string>{"Cadencer destroyed while progressing"}));
}

}  // namespace
}  // namespace engine
