#include "engine/timing/cadencer.h"

#include "engine/platform/application.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {
namespace {

// ASAP and idle cadencers are driven by the process's application.
class AsapCadencerTest : public testing::Test {
protected:
    void SetUp() override {
        m_previousHandler = Application().OnException;
        Application().OnException = [this](const std::exception& e) { reported.push_back(e.what()); };
        Application().ProcessMessages();  // lets a previous test's step uninstall itself
        ASSERT_EQ(Application().FrameStep(), nullptr);
    }
    void TearDown() override { Application().OnException = m_previousHandler; }

    // An external clock that moves 10 ms on every read of the step's time.
    std::unique_ptr<TGLCadencer> MakeCadencer(const std::string& name) {
        auto cadencer = std::make_unique<TGLCadencer>();
        cadencer->SetName(name);
        cadencer->SetTimeReference(cmExternal);
        cadencer->SetScene(&world);
        TGLCadencer* raw = cadencer.get();
        cadencer->OnProgress = [this, raw](TComponent*, double, double) {
            trace.push_back(raw->Name());
            raw->SetCurrentTime(raw->CurrentTime() + 0.01);
        };
        cadencer->SetCurrentTime(0.01);
        return cadencer;
    }

    TGLWorld world;
    std::vector<std::string> trace;
    std::vector<std::string> reported;

private:
    std::function<void(const std::exception&)> m_previousHandler;
};

TEST_F(AsapCadencerTest, EachPassStepsEveryRegisteredCadencerOnceFromTheLastToTheFirst) {
    auto first = MakeCadencer("first");
    auto second = MakeCadencer("second");
    EXPECT_NE(Application().FrameStep(), nullptr);
    Application().ProcessMessages();
    Application().ProcessMessages();
    EXPECT_EQ(trace, (std::vector<std::string>{"second", "first", "second", "first"}));
}

TEST_F(AsapCadencerTest, OnlyEnabledCadencersWithASceneInAsapModeAreStepped) {
    auto cadencer = MakeCadencer("asap");
    cadencer->SetEnabled(false);
    Application().ProcessMessages();
    cadencer->SetEnabled(true);
    cadencer->SetMode(cmManual);
    Application().ProcessMessages();
    cadencer->SetMode(cmASAP);
    cadencer->SetScene(nullptr);
    Application().ProcessMessages();
    EXPECT_TRUE(trace.empty());
    EXPECT_EQ(Application().FrameStep(), nullptr) << "with nobody registered the step uninstalls itself";
    cadencer->SetScene(&world);
    Application().ProcessMessages();
    EXPECT_EQ(trace, (std::vector<std::string>{"asap"}));
}

TEST_F(AsapCadencerTest, MessagesProcessedInsideATickDoNotStepAgain) {
    auto cadencer = MakeCadencer("outer");
    int painted = 0;
    const TLoopHandle painter = Application().AddPainter({[] { return true; }, [&] { ++painted; }});
    Application().ProcessMessages();
    Application().RemovePainter(painter);
    EXPECT_EQ(trace, (std::vector<std::string>{"outer"}));
    EXPECT_EQ(painted, 2) << "the tick's own message pass paints, then the outer pass";
}

TEST_F(AsapCadencerTest, AnExceptionIsReportedDisablesThatCadencerAndTheLoopGoesOn) {
    auto healthy = MakeCadencer("healthy");
    auto failing = MakeCadencer("failing");
    failing->OnProgress = [](TComponent*, double, double) { throw std::runtime_error("frame failed"); };
    Application().ProcessMessages();
    Application().ProcessMessages();
    EXPECT_EQ(reported, (std::vector<std::string>{"frame failed"}));
    EXPECT_FALSE(failing->Enabled());
    EXPECT_EQ(failing->Progressing(), 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"healthy", "healthy"}));
}

TEST_F(AsapCadencerTest, DestroyedWhileRegisteredLeavesTheList) {
    auto cadencer = MakeCadencer("doomed");
    cadencer.reset();
    Application().ProcessMessages();
    EXPECT_EQ(Application().FrameStep(), nullptr);
}

TEST_F(AsapCadencerTest, IdleModeTicksWhenTheLoopHasNothingElseToDo) {
    auto cadencer = MakeCadencer("idle");
    cadencer->SetMode(cmApplicationIdle);
    Application().ProcessMessages();
    EXPECT_EQ(Application().FrameStep(), nullptr) << "an idle cadencer takes no ASAP step";
    EXPECT_TRUE(trace.empty());
    Application().HandleMessage();
    EXPECT_FALSE(trace.empty());
    const std::size_t ticks = trace.size();
    cadencer->SetMode(cmManual);
    Application().HandleMessage();
    EXPECT_EQ(trace.size(), ticks);
}

TEST(AsapCadencerTermination, ATerminatingApplicationDisablesItsCadencers) {
    // Terminate cannot be undone, so this runs in a child process, re-executed because the
    // process may already run other threads.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TGLWorld world;
            TGLCadencer cadencer;
            cadencer.SetScene(&world);
            Application().Terminate();
            Application().ProcessMessages();
            std::exit(cadencer.Enabled() || Application().FrameStep() != nullptr ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace engine
