#include "tests/game/game_driver.h"
#include "tests/game/game_fixture.h"

#include "engine/effects/animated_sprite.h"

#include <string>
#include <vector>

namespace tests {
namespace {

using namespace engine;

constexpr int kRocketButton = 0;
constexpr int kGatlingButton = 2;

// Writes down every handler of the game as it runs, by wrapping the handlers that are wired. The
// particle managers have no handler: they are noted when their clock is seen to have moved.
class HandlerLog {
public:
    explicit HandlerLog(game::TDataModule2& game) : m_game(game) {
        TDesignedScene& s = game.Scene;
        Wrap(s.GLCadencer1.OnProgress, "GLCadencer1Progress");
        for (TAsyncTimer* timer : {&s.AsyncTimer1, &s.AsyncTimer2}) {
            Wrap(timer->OnTimer, timer->Name() + "Timer");
        }
        WrapTree(s.World1.Objects());
        m_managerTimes = ManagerTimes();
    }
    std::vector<std::string> lines;

private:
    using TDesignedScene = game::TDesignedScene;

    template <class Event>
    void Wrap(Event& event, const std::string& label) {
        ASSERT_TRUE(static_cast<bool>(event)) << label;
        event = [this, label, original = event](auto... args) {
            Note(label);
            original(args...);
        };
    }
    void WrapTree(TGLBaseSceneObject& node) {
        if (node.OnProgress) {
            Wrap(node.OnProgress, Label(node));
        }
        if (auto* sprite = dynamic_cast<TGLAnimatedSprite*>(&node)) {
            Wrap(sprite->OnFrameChanged, "ExplosionFrameChanged");
        }
        for (int i = 0; i < node.ChildCount(); ++i) {
            WrapTree(*node.ChildAt(i));
        }
    }
    // The designed nodes by their handler, the nodes made in play by their handler and place: a
    // missile by its place under Missiles, a tower and a bug by their record.
    std::string Label(const TGLBaseSceneObject& node) const {
        const TDesignedScene& s = m_game.Scene;
        const TGLBaseSceneObject* parent = node.Parent();
        if (&node == s.gui_bar) {
            return "gui_barProgress";
        }
        if (&node == s.Explosions) {
            return "ExplosionsProgress";
        }
        if (parent == s.Missiles) {
            for (int i = 0; i < parent->ChildCount(); ++i) {
                if (parent->ChildAt(i) == &node) {
                    return "MissilesProgress " + std::to_string(i + 1);
                }
            }
        }
        if (parent == s.Towers) {
            return "firebaseProgress " + std::to_string(node.Tag());
        }
        if (parent && parent->Parent() == s.BugBox) {
            return "BugProgress " + std::to_string(node.Tag());
        }
        return "unexpected " + node.Name();
    }
    std::vector<double> ManagerTimes() const {
        return {m_game.Scene.GLPerlinPFXManager1.CurrentTime(), m_game.Scene.GLPerlinPFXManager2.CurrentTime()};
    }
    void Note(const std::string& label) {
        const std::vector<double> times = ManagerTimes();
        for (std::size_t i = 0; i < times.size(); ++i) {
            if (times[i] != m_managerTimes[i]) {
                lines.push_back("GLPerlinPFXManager" + std::to_string(i + 1));
            }
        }
        m_managerTimes = times;
        lines.push_back(label);
    }

    game::TDataModule2& m_game;
    std::vector<double> m_managerTimes;
};

// One frame with three towers, two missiles in flight, an explosion playing and the forty bugs of the
// four groups: the timers' tick first, then the tree's handlers (each node's children from the last
// to the first before the node itself), then the particle managers, then the frame clock's own
// handler. The order is the game's: a change to the tree or the loop that moves a handler fails here.
TEST_F(GameTest, OneFrameRunsTheHandlersInTheirOrder) {
    TGameDriver driver(*game);
    State().Money = 1000;
    TGLProxyObject* rocket = driver.Tower(kRocketButton, TVec4{20, -5, 20, 1});
    TGLProxyObject* secondRocket = driver.Tower(kRocketButton, TVec4{-20, -5, 20, 1});
    driver.Tower(kGatlingButton, TVec4{20, -5, -20, 1});
    // Each rocket turns its gun up to a bug held in the air inside its ring and fires at it once its
    // interval is over, the first twice; the missiles climb, away from the terrain.
    const auto fire = [&](TGLProxyObject* root, int bug) {
        const TVec4 at = root->GetWorldPosition();
        State().BugTable[bug].Actor->SetWorldPosition(TVec4{at.X + 8, at.Y + 6, at.Z, 1});
        for (int turn = 0; turn < 100; ++turn) {
            game->firebaseProgress(root, 0, 0);
        }
        game->firebaseProgress(root, game::rules::RocketRules.FireInterval, 0);
    };
    fire(rocket, 5);
    fire(rocket, 5);
    fire(secondRocket, 6);
    ASSERT_EQ(Scene().Missiles->ChildCount(), 3);
    // The first missile strikes the ground below it.
    TGLBaseSceneObject& striking = *Scene().Missiles->ChildAt(0);
    TVec4 ground;
    ASSERT_TRUE(Scene().terrain->OctreeRayCast(TVec4{-20, 10, -20, 1}, TVec4{0, -1, 0, 0}, &ground, nullptr));
    striking.SetPosition(TVec4{ground.X, ground.Y + 0.5f, ground.Z, 1});
    striking.SetDirection(TVec4{0, -1, 0, 0});
    striking.SetUp(TVec4{1, 0, 0, 0});
    game->MissilesProgress(&striking, 0, 0);
    ASSERT_EQ(Scene().Explosions->ChildCount(), 1);
    // Two frames (of the 30 a second of its pictures' rate), so that the explosion turns to its next
    // picture in the recorded one.
    Frame(2);
    ASSERT_EQ(Scene().Missiles->ChildCount(), 2);
    ASSERT_EQ(Scene().Explosions->ChildCount(), 1);

    HandlerLog log(*game);
    Frame();

    std::vector<std::string> expected{"AsyncTimer2Timer", "gui_barProgress", "ExplosionFrameChanged",
                                      "ExplosionsProgress", "MissilesProgress 2", "MissilesProgress 1",
                                      "firebaseProgress 3", "firebaseProgress 2", "firebaseProgress 1"};
    // Bugs4 holds the bugs 4, 8, ..., 40, Bugs3 1, 5, ..., 37, Bugs2 2, ..., 38, Bugs1 3, ..., 39.
    for (const int first : {4, 1, 2, 3}) {
        for (int bug = first + 36; bug >= first; bug -= 4) {
            expected.push_back("BugProgress " + std::to_string(bug));
        }
    }
    expected.insert(expected.end(), {"GLPerlinPFXManager1", "GLPerlinPFXManager2", "GLCadencer1Progress"});
    EXPECT_EQ(log.lines, expected);
}

}  // namespace
}  // namespace tests
