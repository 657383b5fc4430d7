#include "engine/platform/application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace engine {
namespace {

// The frame step is a plain function, so it reports through file-level state.
std::vector<std::string>* g_trace = nullptr;
int g_stepsToFail = 0;
// Registered like the loop's own wake-up event, so the two never share a type.
const Uint32 g_testEvent = SDL_RegisterEvents(1);

void TracingStep() {
    g_trace->push_back("step");
    if (g_stepsToFail > 0) {
        --g_stepsToFail;
        throw std::runtime_error("step failed");
    }
}

class ApplicationTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
        g_trace = &trace;
        g_stepsToFail = 0;
        app.OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    void TearDown() override {
        g_trace = nullptr;
        SDL_Quit();
    }

    static void PushUserEvent(Sint32 code) {
        SDL_Event event{};
        event.type = g_testEvent;
        event.user.code = code;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    TApplication app;
    std::vector<std::string> trace;
    std::vector<std::string> errors;
};

TEST_F(ApplicationTest, OnePassHandlesEventsThenCallsThenOneStepThenPaintsInvalidViews) {
    bool invalid = true;
    app.AddEventHandler([&](const SDL_Event& event) {
        if (event.type == g_testEvent) {
            trace.push_back("event " + std::to_string(event.user.code));
        }
    });
    app.AddPainter({[&] { return invalid; },
                    [&] {
                        trace.push_back("paint");
                        invalid = false;
                    }});
    app.SetFrameStep(&TracingStep);
    PushUserEvent(1);
    PushUserEvent(2);
    app.MainThreadCalls().Post([&] { trace.push_back("call"); });

    EXPECT_TRUE(app.ProcessMessages());
    EXPECT_EQ(trace, (std::vector<std::string>{"event 1", "event 2", "call", "step", "paint"}));

    trace.clear();
    EXPECT_TRUE(app.ProcessMessages());
    EXPECT_EQ(trace, (std::vector<std::string>{"step"})) << "a valid view is not painted again";
    EXPECT_TRUE(errors.empty());
}

TEST_F(ApplicationTest, AnExceptionInAStepOrHandlerIsReportedAndTheLoopGoesOn) {
    app.SetFrameStep(&TracingStep);
    app.AddEventHandler([](const SDL_Event&) { throw std::runtime_error("handler failed"); });
    bool secondHandlerRan = false;
    app.AddEventHandler([&](const SDL_Event&) { secondHandlerRan = true; });
    g_stepsToFail = 1;
    PushUserEvent(0);

    app.ProcessMessages();
    app.ProcessMessages();
    EXPECT_EQ(errors, (std::vector<std::string>{"handler failed", "step failed"}));
    EXPECT_TRUE(secondHandlerRan);
    EXPECT_EQ(trace, (std::vector<std::string>{"step", "step"}));
}

TEST_F(ApplicationTest, CallsPostedFromAWorkerWakeTheLoopButReachNoEventHandler) {
    int events = 0;
    app.AddEventHandler([&](const SDL_Event&) { ++events; });
    bool ran = false;
    std::thread worker([&] {
        TSynchronizer sync(app.MainThreadCalls());
        EXPECT_TRUE(sync.Call([&] { ran = true; }));
    });
    while (!ran) {
        app.HandleMessage();
    }
    worker.join();
    app.ProcessMessages();
    EXPECT_EQ(events, 0) << "the wake-up event is the loop's own";
}

TEST_F(ApplicationTest, QuitEventTerminatesAfterReachingTheHandlers) {
    bool sawQuit = false;
    app.AddEventHandler([&](const SDL_Event& event) { sawQuit = sawQuit || event.type == SDL_QUIT; });
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    app.Run();
    EXPECT_TRUE(sawQuit);
    EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationTest, IdleHandlersRunOnlyAfterAPassWithNothingToDo) {
    int idle = 0;
    app.AddIdleHandler([&] {
        ++idle;
        return true;
    });
    PushUserEvent(0);
    app.HandleMessage();
    EXPECT_EQ(idle, 0);
    app.HandleMessage();
    EXPECT_EQ(idle, 1);
}

TEST(ApplicationLoop, TerminateFromAnotherThreadEndsRunWithoutSdl) {
    TApplication app;
    std::thread worker([&] {
        TSynchronizer sync(app.MainThreadCalls());
        sync.Call([] {});
        app.Terminate();
    });
    app.Run();
    worker.join();
    EXPECT_TRUE(app.Terminated());
}

TEST(ApplicationLoop, UncaughtExceptionDefaultsToStderr) {
    TApplication app;
    app.MainThreadCalls().Post([] { throw std::runtime_error("reported on stderr"); });
    testing::internal::CaptureStderr();
    app.ProcessMessages();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "reported on stderr\n");
}

}  // namespace
}  // namespace engine
