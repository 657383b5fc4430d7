#include "game/session/game_script.h"

#include "engine/platform/application.h"
#include "engine/platform/keyboard_state.h"
#include "engine/platform/screen_window.h"
#include "engine/platform/sdl_keys.h"
#include "engine/viewer/full_screen_viewer.h"
#include "platform/paths.h"

#include <SDL.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string_view>
#include <utility>

namespace game {

using engine::TMouseButton;

namespace {

// Events count from here past the real clock's resolution, so that an event at a frame's exact time
// is not missed by rounding.
constexpr double kTimeTolerance = 1e-9;

class TLineReader {
public:
    TLineReader(const std::string& fileName, int lineNumber, const std::string& line)
        : m_where(fileName + ":" + std::to_string(lineNumber) + ": "), m_words(line) {}

    [[noreturn]] void Fail(const std::string& message) const { throw EScriptError(m_where + message); }

    std::string Word(const char* what) {
        std::string word;
        if (!(m_words >> word)) {
            Fail("missing " + std::string(what));
        }
        return word;
    }

    template <class T>
    T Number(const char* what) {
        const std::string word = Word(what);
        T value{};
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc{} || end != word.data() + word.size()) {
            Fail(std::string(what) + " is not a number: '" + word + "'");
        }
        return value;
    }

    int Coordinate(const char* what, int limit) {
        const int value = Number<int>(what);
        if (value < 0 || value >= limit) {
            Fail(std::string(what) + " " + std::to_string(value) + " lies off the screen");
        }
        return value;
    }

    void End() {
        std::string rest;
        if (m_words >> rest) {
            Fail("unexpected '" + rest + "'");
        }
    }

private:
    std::string m_where;
    std::istringstream m_words;
};

TMouseButton ButtonNamed(TLineReader& reader, const std::string& name) {
    if (name == "left") {
        return engine::mbLeft;
    }
    if (name == "right") {
        return engine::mbRight;
    }
    if (name == "middle") {
        return engine::mbMiddle;
    }
    reader.Fail("unknown button '" + name + "'");
}

engine::TVirtualKey KeyNamed(TLineReader& reader, const std::string& name) {
    if (name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'))) {
        return engine::VirtualKeyOfChar(name[0]);
    }
    static constexpr std::pair<std::string_view, engine::TVirtualKey> kNamed[] = {
        {"shift", engine::vkShift}, {"pause", engine::vkPause},   {"escape", engine::vkEscape},
        {"home", engine::vkHome},   {"delete", engine::vkDelete}, {"backspace", engine::vkBack},
    };
    for (const auto& [keyName, key] : kNamed) {
        if (name == keyName) {
            return key;
        }
    }
    if (name.size() >= 2 && name[0] == 'f') {
        int number = 0;
        const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
        if (error == std::errc{} && end == name.data() + name.size() && number >= 1 && number <= 12) {
            return static_cast<engine::TVirtualKey>(engine::vkF1 + number - 1);
        }
    }
    reader.Fail("unknown key '" + name + "'");
}

TScriptEvent ParseEvent(TLineReader& reader, int width, int height) {
    TScriptEvent event;
    event.Time = reader.Number<double>("time");
    if (!std::isfinite(event.Time) || event.Time < 0) {
        reader.Fail("the time must be a number of seconds from 0 on");
    }
    const std::string name = reader.Word("event");
    using TKind = TScriptEvent::TKind;
    if (name == "move" || name == "click") {
        event.Kind = name == "move" ? TKind::Move : TKind::Click;
        event.X = reader.Coordinate("x", width);
        event.Y = reader.Coordinate("y", height);
    } else if (name == "down" || name == "up") {
        event.Kind = name == "down" ? TKind::Down : TKind::Up;
        event.Button = ButtonNamed(reader, reader.Word("button"));
    } else if (name == "wheel") {
        event.Kind = TKind::Wheel;
        event.WheelDelta = reader.Number<int>("wheel delta");
    } else if (name == "key") {
        event.Kind = TKind::Key;
        event.Key = KeyNamed(reader, reader.Word("key name"));
        const std::string state = reader.Word("down or up");
        if (state != "down" && state != "up") {
            reader.Fail("a key goes 'down' or 'up', not '" + state + "'");
        }
        event.KeyDown = state == "down";
    } else if (name == "type") {
        event.Kind = TKind::Type;
        const std::string character = reader.Word("character");
        if (character.size() != 1 || character[0] < 0x21 || character[0] > 0x7e) {
            reader.Fail("type takes one printable character");
        }
        event.Character = character[0];
    } else if (name == "close") {
        event.Kind = TKind::Close;
    } else if (name == "shot") {
        event.Kind = TKind::Shot;
        event.File = reader.Word("file");
    } else {
        reader.Fail("unknown event '" + name + "'");
    }
    reader.End();
    return event;
}

Uint32 WindowId(engine::ScreenWindow& window) {
    return SDL_GetWindowID(window.Handle());
}

}  // namespace

std::vector<TScriptEvent> ParseScript(std::istream& text, const std::string& fileName, int width, int height) {
    std::vector<TScriptEvent> events;
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        TLineReader reader(fileName, number, line);
        TScriptEvent event = ParseEvent(reader, width, height);
        if (!events.empty() && event.Time < events.back().Time) {
            reader.Fail("events must come in time order");
        }
        events.push_back(std::move(event));
    }
    return events;
}

std::vector<TScriptEvent> LoadScript(const std::string& path, int width, int height) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = platform::ReadWholeFile(path);
    } catch (const platform::FileError& error) {
        throw EScriptError(error.what());
    }
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    return ParseScript(text, path, width, height);
}

// An input handler may end the game, or take the screen again in a new window: each event goes to
// the window there is when it is delivered.
void TScriptPlayer::Deliver(double now, const engine::TGLFullScreenViewer& viewer,
                            const std::function<void(const std::string&)>& onShot) {
    while (m_next < m_events.size() && m_events[m_next].Time <= now + kTimeTolerance) {
        engine::ScreenWindow* window = viewer.Window();
        if (!window) {
            return;
        }
        const TScriptEvent& event = m_events[m_next++];
        if (event.Kind == TScriptEvent::TKind::Shot) {
            onShot(event.File);
        } else {
            Push(event, *window);
        }
    }
}

void TScriptPlayer::Push(const TScriptEvent& event, engine::ScreenWindow& window) {
    using TKind = TScriptEvent::TKind;
    SDL_Event e{};
    switch (event.Kind) {
    case TKind::Move:
    case TKind::Click: {
        m_x = event.X;
        m_y = event.Y;
        const engine::ScreenPoint p = window.WindowScreen().ToOuter(m_x, m_y);
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = WindowId(window);
        e.motion.x = p.x;
        e.motion.y = p.y;
        engine::Application().DispatchEvent(e);
        if (event.Kind == TKind::Click) {
            PushButton(engine::mbLeft, true, window);
            PushButton(engine::mbLeft, false, window);
        }
        return;
    }
    case TKind::Down:
    case TKind::Up:
        PushButton(event.Button, event.Kind == TKind::Down, window);
        return;
    case TKind::Wheel: {
        const engine::ScreenPoint p = window.WindowScreen().ToOuter(m_x, m_y);
        e.type = SDL_MOUSEWHEEL;
        e.wheel.windowID = WindowId(window);
        e.wheel.preciseY = static_cast<float>(event.WheelDelta) / engine::kWheelDelta;
        e.wheel.y = event.WheelDelta / engine::kWheelDelta;
        e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        e.wheel.mouseX = p.x;
        e.wheel.mouseY = p.y;
        engine::Application().DispatchEvent(e);
        return;
    }
    case TKind::Key:
        engine::SetScriptedKey(event.Key, event.KeyDown);
        e.type = event.KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = WindowId(window);
        e.key.state = event.KeyDown ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = engine::SdlKeysOf(event.Key).front();
        e.key.keysym.scancode = engine::ScancodeOnLayout(e.key.keysym.sym);
        engine::Application().DispatchEvent(e);
        return;
    case TKind::Type:
        e.type = SDL_TEXTINPUT;
        e.text.windowID = WindowId(window);
        e.text.text[0] = event.Character;
        engine::Application().DispatchEvent(e);
        return;
    case TKind::Close:
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = WindowId(window);
        e.window.event = SDL_WINDOWEVENT_CLOSE;
        engine::Application().DispatchEvent(e);
        return;
    case TKind::Shot:
        return;
    }
}

void TScriptPlayer::PushButton(TMouseButton button, bool down, engine::ScreenWindow& window) {
    const engine::ScreenPoint p = window.WindowScreen().ToOuter(m_x, m_y);
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = WindowId(window);
    e.button.button = button == engine::mbLeft ? SDL_BUTTON_LEFT : button == engine::mbRight ? SDL_BUTTON_RIGHT
                                                                                             : SDL_BUTTON_MIDDLE;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = p.x;
    e.button.y = p.y;
    engine::Application().DispatchEvent(e);
}

}  // namespace game
