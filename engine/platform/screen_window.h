#pragma once

#include "engine/platform/display_restore.h"
#include "engine/platform/input_events.h"
#include "engine/platform/logical_screen.h"
#include "engine/platform/video_modes.h"
#include "engine/platform/virtual_keys.h"

#include <functional>
#include <memory>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace engine {

// The pixel format asked of the rendering context.
struct ContextRequest {
    bool doubleBuffer = true;
    bool stereo = false;
    int colorBits = 24;  // 0: no colour buffer
    int depthBits = 24;
    int stencilBits = 0;
    int alphaBits = 0;
    int accumBits = 0;
    int samples = 0;  // multisample antialiasing, 0 = off
};

struct ScreenWindowOptions {
    // The logical screen the program draws; the window shows it scaled and letterboxed.
    int width = 800;
    int height = 600;
    int bits = 32;
    int refreshRate = 0;  // 0 leaves the rate to the driver
    bool stayOnTop = false;
    // A resizable window of width x height instead of full screen; no display mode is touched.
    bool windowed = false;
    std::string title;
    ContextRequest context;
};

// The full-screen window with its OpenGL context: its life is the time the screen is held. Creating it
// picks the display mode, switches the display when needed, shows the window and makes the context;
// destroying it releases the context and the window and restores the desktop, also when the program
// ends through exit() or std::terminate. Input arrives through HandleEvent, which the main loop calls
// for every SDL event; positions are handed on in logical pixels.
//
// The frame is drawn straight into the back buffer: BeginLogicalFrame points the viewport at the
// letterboxed rectangle and scissors to it, so the scene renders at the display's own resolution with
// no offscreen copy, and only the bars are cleared (the game never clears its colour buffer itself).
// Unprojecting a logical mouse position therefore takes the logical viewport (0, 0, width, height),
// not the one OpenGL holds.
class ScreenWindow {
public:
    // Throws EScreenError: "Unsupported video mode", "Failed to create RenderingContext.",
    // "Need at least OpenGL version 1.1".
    explicit ScreenWindow(const ScreenWindowOptions& options);
    ~ScreenWindow();
    ScreenWindow(const ScreenWindow&) = delete;
    ScreenWindow& operator=(const ScreenWindow&) = delete;

    // Handles an event of this window and returns true; any other event is left alone. A handler may
    // destroy this window; nothing of it is touched afterwards.
    bool HandleEvent(const SDL_Event& event);

    void MakeCurrent();
    // Makes the context current, blacks the bars, then sets viewport and scissor to the logical screen.
    void BeginLogicalFrame();
    void SwapBuffers();
    // Asks for a swap interval (1 = wait for vertical retrace, 0 = do not) when it differs from the
    // current one; false when the driver cannot change it.
    bool SetSwapInterval(int interval);
    // Moves the mouse pointer to a logical pixel.
    void WarpMouse(int logicalX, int logicalY);

    // The logical screen over the drawable pixels (for drawing) and over the window's points (for the
    // mouse); the two differ only on displays that scale windows.
    LogicalScreen DrawableScreen() const;
    LogicalScreen WindowScreen() const;
    bool DisplaySwitched() const { return m_displaySwitched; }
    bool Windowed() const { return m_options.windowed; }
    SDL_Window* Handle() const { return m_window; }

    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
    std::function<void(TShiftState shift, int x, int y)> OnMouseMove;
    // wheelDelta: kWheelDelta per notch, positive when rolled away from the user.
    std::function<void(TShiftState shift, int wheelDelta, int x, int y)> OnMouseWheel;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    // The pointer came over the window, or left it (a window only: the whole screen never loses it).
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void(TVirtualKey key, TShiftState shift)> OnKeyDown;
    std::function<void(TVirtualKey key, TShiftState shift)> OnKeyUp;
    // A typed character; the handler may set it to '\0' to consume it.
    std::function<void(char& key)> OnKeyPress;
    std::function<void()> OnPaint;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void()> OnClose;

private:
    void CreateWindowAndContext(const ScreenRect& place);
    void EnterFullScreen(const VideoMode& mode, const FullScreenPlan& plan);
    void ReleaseWindow();
    // Each stops as soon as a handler has destroyed the window.
    void DispatchWindowEvent(const SDL_Event& event, const std::weak_ptr<const bool>& alive);
    void DispatchMouseButton(const SDL_Event& event, bool down, const std::weak_ptr<const bool>& alive);
    void DispatchKey(const SDL_Event& event, bool down, const std::weak_ptr<const bool>& alive);
    void DispatchText(const SDL_Event& event, const std::weak_ptr<const bool>& alive);
    ScreenPoint ToLogical(int windowX, int windowY) const;

    ScreenWindowOptions m_options;
    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
    bool m_displaySwitched = false;
    bool m_videoInitialised = false;
    bool m_leftClickArmed = false;
    // Expires with the window, so HandleEvent can tell that a handler destroyed it.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
    std::unique_ptr<DisplayRestoreGuard> m_restoreGuard;
};

}  // namespace engine
