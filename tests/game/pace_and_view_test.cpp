#include "tests/game/game_fixture.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tests {
namespace {

using namespace engine;

class PaceAndViewTest : public GameTest {
protected:
    TGLFullScreenViewer& Viewer() { return Scene().GLFullScreenViewer1; }
    void KeyDown(TVirtualKey key) { game->GLFullScreenViewer1KeyDown(&Viewer(), key, 0); }
    // Frames of the game's passes for so many seconds of the run.
    void Play(double seconds, double step) { Frame(static_cast<int>(std::lround(seconds / step))); }
    // Degrees the camera turned by its spin since it stood at the turn angle before (TurnBy counts
    // the angle down).
    float TurnedSince(float before) { return before - Scene().cam->TurnAngle(); }
};

// The world takes 85 steps a second of game time, which is the run's time times the speed and stands
// still while paused; the view takes 85 a second of the run's time whatever the speed. Both hold for
// any length of a frame, a slow machine's or a fast display's. A view step turns the camera by the
// spin (the timer that would damp it is silenced), so the turn counts the view steps.
TEST_F(PaceAndViewTest, TheWorldAndTheViewStepAtTheirOwnPaces) {
    struct Case {
        double step;
        int speed;
        bool paused;
    };
    const Case cases[] = {
        {1.0 / 85, 1, false}, {1.0 / 60, 1, false}, {1.0 / 20, 1, false}, {1.0 / 144, 1, false},
        {1.0 / 60, 2, false}, {1.0 / 20, 3, false}, {1.0 / 60, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(std::lround(1 / c.step)) + " frames a second at speed " +
                     std::to_string(c.speed) + (c.paused ? ", paused" : ""));
        Restart(c.step);
        Scene().AsyncTimer2.OnTimer = nullptr;
        KeyDown(static_cast<TVirtualKey>(vkF5 + c.speed - 1));
        if (c.paused) {
            KeyDown(vkPause);
        }
        const TVec4 bug = State().BugTable[3].Actor->GetWorldPosition();
        State().SpinVelocity = TVec4{0.1f, 0, 0, 0};
        const float turn = Scene().cam->TurnAngle();
        Play(2, c.step);
        EXPECT_NEAR(game->Figures.GameTime, c.paused ? 0 : 2.0 * c.speed, 1e-6);
        EXPECT_NEAR(TurnedSince(turn), 2 * 85 * 0.1f, 1e-2);
        EXPECT_EQ(State().BugTable[3].Actor->GetWorldPosition() == bug, c.paused);
        EXPECT_EQ(Scene().pause_sign->Visible(), c.paused);
    }
}

// The keys are sampled every 15 ms of the run and the camera's rates decay every view step, in the
// order of their times whatever the frame's length: a held key flies the camera the same way at any
// frame rate and any speed.
TEST_F(PaceAndViewTest, AHeldKeyFliesTheCameraTheSameWayAtAnyFrameRateAndSpeed) {
    struct Case {
        double step;
        int speed;
    };
    const Case cases[] = {{1.0 / 85, 1}, {1.0 / 60, 1}, {1.0 / 20, 1}, {1.0 / 144, 1}, {1.0 / 60, 3}};
    std::optional<TVec4> designed;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(std::lround(1 / c.step)) + " frames a second at speed " + std::to_string(c.speed));
        Restart(c.step);
        KeyDown(static_cast<TVirtualKey>(vkF5 + c.speed - 1));
        SetScriptedKey(VirtualKeyOfChar('W'), true);
        SetScriptedKey(VirtualKeyOfChar('R'), true);
        Play(1, c.step);
        ReleaseScriptedKeys();
        const TVec4 camera = Scene().cam->GetWorldPosition();
        if (!designed) {
            designed = camera;
            continue;
        }
        EXPECT_NEAR(camera.X, designed->X, 1e-4);
        EXPECT_NEAR(camera.Y, designed->Y, 1e-4);
        EXPECT_NEAR(camera.Z, designed->Z, 1e-4);
    }
}

// A right-drag across the screen's edge turns the camera by the pointer's motion and no more,
// however many view and world steps a frame takes, until the pointer's jump arrives.
TEST_F(PaceAndViewTest, ADragAcrossTheEdgeTurnsByItsMotionAtAnySpeedAndFrameRate) {
    struct Case {
        double step;
        int speed;
        int from;
        int to;
        int wrapped;
    };
    const Case cases[] = {
        {1.0 / 85, 3, 790, 799, 1}, {1.0 / 60, 2, 790, 799, 1}, {1.0 / 20, 1, 790, 799, 1},
        {1.0 / 20, 3, 9, 0, 798},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.to) + " at speed " + std::to_string(c.speed) + ", " +
                     std::to_string(std::lround(1 / c.step)) + " frames a second");
        Restart(c.step);
        KeyDown(static_cast<TVirtualKey>(vkF5 + c.speed - 1));
        game->GLFullScreenViewer1MouseMove(&Viewer(), 0, c.from, 300);
        game->GLFullScreenViewer1MouseDown(&Viewer(), mbRight, ssRight, c.from, 300);
        Frame(3);
        const float turn = Scene().cam->TurnAngle();
        game->GLFullScreenViewer1MouseMove(&Viewer(), ssRight, c.to, 300);
        Frame();
        EXPECT_NEAR(TurnedSince(turn), 10 * (c.from - c.to) * 0.019f, 1e-3);
        ASSERT_TRUE(game->LastPointerMove().has_value());
        EXPECT_EQ(game->LastPointerMove()->x, c.wrapped);
        EXPECT_EQ(State().MouseX, c.wrapped);
    }
}

// One notch of 120 climbs at 36 units a second, a quarter of that with Shift or the middle button;
// rolled towards the user it sinks.
TEST_F(PaceAndViewTest, TheWheelSetsTheClimbRateBySignAndSpeed) {
    struct Case {
        int delta;
        bool shift;
        bool middle;
        float climb;
    };
    const Case cases[] = {
        {120, false, false, 36}, {-120, false, false, -36}, {240, false, false, 72}, {120, true, false, 9},
        {-60, false, true, -4.5f}, {0, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delta);
        ReleaseScriptedKeys();
        SetScriptedKey(vkShift, c.shift);
        State().MiddleDown = c.middle;
        State().MoveVelocity = TVec4{1, 2, 3, 0};
        bool handled = false;
        game->GLFullScreenViewer1MouseWheel(&Viewer(), 0, c.delta, ScreenPoint{400, 300}, handled);
        EXPECT_FLOAT_EQ(State().MoveVelocity.Y, c.climb);
        EXPECT_EQ(State().MoveVelocity.X, 1);
        EXPECT_FALSE(handled);
    }
}

// The 15 ms tick takes 30 % off the spin while either rate is at least 0.001 degrees a step.
TEST_F(PaceAndViewTest, TheTimerDampsTheSpinAboveItsThreshold) {
    struct Case {
        TVec4 spin;
        TVec4 damped;
    };
    const Case cases[] = {
        {{1, -2, 0, 0}, {0.7f, -1.4f, 0, 0}},
        {{0.0009f, -0.0009f, 0, 0}, {0.0009f, -0.0009f, 0, 0}},
        {{0.0009f, 0.001f, 0, 0}, {0.00063f, 0.0007f, 0, 0}},
    };
    for (const Case& c : cases) {
        State().SpinVelocity = c.spin;
        game->AsyncTimer2Timer(&Scene().AsyncTimer2);
        EXPECT_NEAR(State().SpinVelocity.X, c.damped.X, 1e-7) << c.spin.X;
        EXPECT_NEAR(State().SpinVelocity.Y, c.damped.Y, 1e-7) << c.spin.Y;
    }
}

TEST(FpsText, ShowsTheWholeFramesASecondInDigits) {
    const std::pair<float, const char*> cases[] = {
        {59.7f, "59"}, {84.999f, "84"}, {0.4f, "0"}, {0, "0"}, {1000, "1000"}, {-1, "0"}, {NAN, "0"},
    };
    for (const auto& [fps, text] : cases) {
        EXPECT_EQ(game::FpsText(fps), text) << fps;
    }
}

// A broken data file ends the start-up with the file's whole path and the reader's own words, on one
// line; a broken cursor only costs its picture, and is named as well.
TEST_F(PaceAndViewTest, StartUpNamesTheBrokenDataFile) {
    namespace fs = std::filesystem;
    struct Case {
        const char* file;
        std::string bytes;
        const char* readerSays;  // none: start-up goes on
    };
    // A main chunk whose only child claims more bytes than the file has.
    const std::string badChunks("MM\x0c\0\0\0=\x3d\xff\0\0\0", 12);
    const Case cases[] = {
        {"models/main_base_d1.3ds", badChunks, "invalid Chunk structure"},
        {"models/gutling_gun.3ds", "GIF89a", "is not a 3DS model"},
        {"models/bug.md2", "IDP2", ""},
        {"textures/boom.jpg", "not a picture", ""},
        {"textures/gui_laser_sm.dds", "DDS |", ""},
        {"cursors/denny.ani", "RIFF", nullptr},
    };
    const fs::path saved = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / "skirmish-broken-data";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* data : {"cursors", "models", "textures"}) {
            fs::copy(GameDataFolder() / data, folder / data, fs::copy_options::recursive);
        }
        std::ofstream(folder / c.file, std::ios::binary | std::ios::trunc) << c.bytes;
        game::TDataModule2 broken(game::TGameSetup{folder, 1, false});
        std::vector<std::string> warnings;
        broken.OnWarning = [&warnings](const std::string& message) { warnings.push_back(message); };
        const std::string path = (folder / c.file).string();
        if (!c.readerSays) {
            EXPECT_NO_THROW(broken.StartUp());
            // Without a display's cursors (the tests' SDL has none) every cursor is told of.
            const auto named = std::find_if(warnings.begin(), warnings.end(), [&](const std::string& warning) {
                return warning.rfind(path + ": ", 0) == 0 && warning.find("cursor picture") == std::string::npos;
            });
            EXPECT_NE(named, warnings.end());
            continue;
        }
        try {
            broken.StartUp();
            ADD_FAILURE() << "started";
        } catch (const std::exception& error) {
            const std::string message = error.what();
            EXPECT_EQ(message.rfind(path + ": ", 0), 0u) << message;
            EXPECT_GT(message.size(), path.size() + 2) << "the reader's words";
            EXPECT_NE(message.find(c.readerSays), std::string::npos) << message;
            EXPECT_EQ(message.find('\r'), std::string::npos) << message;
        }
    }
    fs::current_path(saved);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace tests
