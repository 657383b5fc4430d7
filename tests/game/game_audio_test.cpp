#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "engine/hud/hud_text.h"
#include "game/session/game_audio.h"

#include <cmath>
#include <memory>

namespace tests {
namespace {

using namespace engine;

constexpr int kGatlingButton = 2;

// The game with its sound rendered into memory, a pass at a time, as the session plays it.
class GameAudioTest : public GameTest {
protected:
    GameAudioTest() {
        TAudioOptions options;
        options.Output = aoFile;
        audio = std::make_unique<game::TGameAudio>(*game, GameDataFolder() / "sounds", options);
    }
    ~GameAudioTest() override { audio.reset(); }

    // The passes of that many seconds.
    static int PassesOf(double seconds) { return static_cast<int>(std::lround(seconds / kStep)); }
    void Pass(int count = 1) {
        for (int i = 0; i < count; ++i) {
            Frame();
            audio->AfterPass(clock->PassSeconds());
        }
    }
    std::int64_t Started(TGameSound sound) const { return audio->System().StartCounts()[sound].second; }
    // A gatling tower beside the base with bug 1 held in its range, alive.
    void GatlingWithATarget() {
        const TVec4 base = Scene().base->GetWorldPosition();
        m_tower = TGameDriver(*game).Tower(kGatlingButton, TVec4{base.X + 12, base.Y, base.Z, 1});
    }
    // Passes with bug 1 held alive in the tower's range and the others far away.
    void Battle(int passes) {
        const TVec4 at = m_tower->GetWorldPosition();
        for (int pass = 0; pass < passes; ++pass) {
            for (int i = 1; i <= game::rules::BugCount; ++i) {
                State().BugTable[i].Actor->SetWorldPosition(TVec4{45, 30, 45, 1});
            }
            game::TBugState& bug = State().BugTable[1];
            bug.Actor->SetWorldPosition(TVec4{at.X + 6, at.Y, at.Z, 1});
            bug.Health = 100;
            Pass();
        }
    }
    void KeyDown(TVirtualKey key) { game->GLFullScreenViewer1KeyDown(&Scene().GLFullScreenViewer1, key, 0); }
    void Type(char key) { game->GLFullScreenViewer1KeyPress(&Scene().GLFullScreenViewer1, key); }
    // Added last under the root, beside the designed nodes.
    const TGLHUDText& LevelText() {
        const TGLBaseSceneObject& root = Scene().World1.Objects();
        const auto& text = dynamic_cast<const TGLHUDText&>(*root.ChildAt(root.ChildCount() - 1));
        EXPECT_EQ(text.Name(), "sound_level");
        return text;
    }

    std::unique_ptr<game::TGameAudio> audio;

private:
    TGLProxyObject* m_tower = nullptr;
};

// At 3x a pass takes three steps of the rules and raises their shots, but the sound hears the
// pass's own seconds: three times the shots in the same stretch of the file. Paused, the world's
// sounds stop while the file goes on; the pause and its end are heard.
TEST_F(GameAudioTest, SpeedAndPauseReachTheSoundThroughTheGame) {
    GatlingWithATarget();
    std::int64_t shots[2];
    const int speeds[2] = {1, 3};
    for (int i = 0; i < 2; ++i) {
        State().Speed = speeds[i];
        const std::int64_t before = Started(gsGatling);
        Battle(PassesOf(2));
        shots[i] = Started(gsGatling) - before;
    }
    EXPECT_GT(shots[0], 15);
    EXPECT_NEAR(static_cast<double>(shots[1]), 3.0 * static_cast<double>(shots[0]), 3);
    EXPECT_EQ(audio->System().Recording().Frames(),
              static_cast<std::size_t>(std::llround(2 * PassesOf(2) * kStep * TSoundSystem::kFileSampleRate)));

    KeyDown(vkPause);
    const std::int64_t paused = Started(gsGatling);
    Battle(PassesOf(1));
    EXPECT_TRUE(audio->System().Paused());
    EXPECT_EQ(Started(gsGatling), paused);
    EXPECT_EQ(Started(gsPause), 1);
    KeyDown(vkPause);
    Battle(PassesOf(1.5));
    EXPECT_FALSE(audio->System().Paused());
    EXPECT_EQ(Started(gsResume), 1);
    EXPECT_GT(Started(gsGatling), paused + 10);
    EXPECT_EQ(audio->System().Recording().Frames(),
              static_cast<std::size_t>(
                  std::llround((2 * PassesOf(2) + PassesOf(1) + PassesOf(1.5)) * kStep * TSoundSystem::kFileSampleRate)));
}

// M, - and = set the level and show it for a second of the run's time, paused or not; 0 while
// muted, and a volume key ends the mute.
TEST_F(GameAudioTest, TheSoundKeysSetTheLevelAndShowItForASecond) {
    EXPECT_FALSE(LevelText().Visible());
    struct Case {
        const char* keys;
        bool muted;
        int volume;
        const char* shown;
    };
    const Case cases[] = {
        {"m", true, 80, "0"}, {"M", false, 80, "80"}, {"-", false, 70, "70"}, {"m-", false, 60, "60"},
        {"======", false, 100, "100"}, {"+", false, 100, "100"}, {"-----------", false, 0, "0"},
    };
    for (const Case& c : cases) {
        for (const char* key = c.keys; *key != '\0'; ++key) {
            Type(*key);
        }
        Pass();
        EXPECT_EQ(audio->System().Muted(), c.muted) << c.keys;
        EXPECT_EQ(audio->System().Volume(), c.volume) << c.keys;
        EXPECT_EQ(LevelText().Text(), c.shown) << c.keys;
        EXPECT_TRUE(LevelText().Visible()) << c.keys;
    }
    KeyDown(vkPause);
    Pass(PassesOf(0.9));
    EXPECT_TRUE(LevelText().Visible());
    Pass(PassesOf(0.15));
    EXPECT_FALSE(LevelText().Visible());
}

}  // namespace
}  // namespace tests
