#pragma once

#include "engine/platform/input_events.h"
#include "engine/platform/virtual_keys.h"

#include <cstddef>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {
class ScreenWindow;
class TGLFullScreenViewer;
}  // namespace engine

namespace game {

// One timed input of a script.
struct TScriptEvent {
    enum class TKind { Move, Down, Up, Click, Wheel, Key, Type, Close, Shot };
    double Time = 0;  // seconds of the run's clock from the first frame
    TKind Kind = TKind::Move;
    int X = 0;  // logical pixels, Y from the top
    int Y = 0;
    engine::TMouseButton Button = engine::mbLeft;
    int WheelDelta = 0;  // 120 a notch
    engine::TVirtualKey Key = engine::vkNone;
    bool KeyDown = false;
    char Character = '\0';
    std::string File;  // of a shot
};

// A script that cannot be read: the message names the file, and the line of a malformed event.
class EScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One event a line, "TIME EVENT ARGS"; '#' starts a comment, blank lines are skipped; events in
// time order. Positions must lie on the logical screen of width x height.
std::vector<TScriptEvent> ParseScript(std::istream& text, const std::string& fileName, int width, int height);
std::vector<TScriptEvent> LoadScript(const std::string& path, int width, int height);

// Hands a script's events to the game as the window's input events, through the same handlers as
// real input, each before the first frame whose time reaches it; all of them, however many fall due
// at once.
class TScriptPlayer {
public:
    explicit TScriptPlayer(std::vector<TScriptEvent> events) : m_events(std::move(events)) {}
    // Delivers the events due at the run's time now to the viewer's window while it has one; shots go
    // to onShot.
    void Deliver(double now, const engine::TGLFullScreenViewer& viewer,
                 const std::function<void(const std::string&)>& onShot);
    bool Finished() const { return m_next >= m_events.size(); }

private:
    void Push(const TScriptEvent& event, engine::ScreenWindow& window);
    void PushButton(engine::TMouseButton button, bool down, engine::ScreenWindow& window);

    std::vector<TScriptEvent> m_events;
    std::size_t m_next = 0;
    int m_x = 0;  // where the script's pointer is, in logical pixels
    int m_y = 0;
};

}  // namespace game
