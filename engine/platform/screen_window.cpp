#include "engine/platform/screen_window.h"

#include "engine/platform/screen_error.h"
#include "engine/platform/sdl_keys.h"
#include "engine/platform/sdl_video.h"
#include "engine/platform/video_modes.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace engine {
namespace {

constexpr const char* kContextFailed = "Failed to create RenderingContext.";
constexpr const char* kOldOpenGL = "Need at least OpenGL version 1.1";

// The request first, then with 16 depth bits, then also with 16 colour bits, as drivers without the
// exact format usually have one of these.
std::vector<ContextRequest> PixelFormatAttempts(const ContextRequest& request) {
    std::vector<ContextRequest> attempts{request};
    ContextRequest lower = request;
    if (lower.depthBits > 16) {
        lower.depthBits = 16;
        attempts.push_back(lower);
    }
    if (lower.colorBits > 16) {
        lower.colorBits = 16;
        attempts.push_back(lower);
    }
    return attempts;
}

void SetPixelFormatAttributes(const ContextRequest& request) {
    int red = 8, green = 8, blue = 8;
    if (request.colorBits == 0) {
        red = green = blue = 0;
    } else if (request.colorBits < 15) {
        red = green = 3;
        blue = 2;
    } else if (request.colorBits < 24) {
        red = green = blue = 5;
    }
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, request.doubleBuffer ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_STEREO, request.stereo ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, request.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, request.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, request.stencilBits);
    const int accum = request.accumBits / 4;
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, accum);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, accum);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, accum);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, accum);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, request.samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, request.samples);
}

bool HasOpenGL11() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    int minor = 0;
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
        return false;
    }
    return major > 1 || (major == 1 && minor >= 1);
}

// The listed SDL mode for a table entry: the requested rate when listed, else the highest rate below it,
// else the first listed (SDL lists the highest rate first).
bool FindSdlMode(const VideoMode& wanted, int refreshRate, SDL_DisplayMode& found) {
    bool any = false;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != wanted.width || mode.h != wanted.height ||
            static_cast<int>(SDL_BITSPERPIXEL(mode.format)) != wanted.bits) {
            continue;
        }
        if (!any || (refreshRate > 0 && mode.refresh_rate <= refreshRate && found.refresh_rate > refreshRate)) {
            found = mode;
            any = true;
        }
    }
    return any;
}

TShiftState ModifierShift(unsigned modifiers) {
    TShiftState shift = 0;
    if (modifiers & KMOD_SHIFT) shift |= ssShift;
    if (modifiers & KMOD_ALT) shift |= ssAlt;
    if (modifiers & KMOD_CTRL) shift |= ssCtrl;
    return shift;
}

TShiftState ButtonShift(Uint32 buttons) {
    TShiftState shift = 0;
    if (buttons & SDL_BUTTON_LMASK) shift |= ssLeft;
    if (buttons & SDL_BUTTON_RMASK) shift |= ssRight;
    if (buttons & SDL_BUTTON_MMASK) shift |= ssMiddle;
    return shift;
}

// Calls a copy of the handler, since the handler may destroy the window that holds it; answers
// whether the window still lives.
template <class Handler, class... Args>
bool Fire(const std::weak_ptr<const bool>& alive, const Handler& member, Args&&... args) {
    if (member) {
        Handler handler = member;
        handler(std::forward<Args>(args)...);
    }
    return !alive.expired();
}

Uint32 EventWindowId(const SDL_Event& event) {
    switch (event.type) {
        case SDL_WINDOWEVENT: return event.window.windowID;
        case SDL_MOUSEMOTION: return event.motion.windowID;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: return event.button.windowID;
        case SDL_MOUSEWHEEL: return event.wheel.windowID;
        case SDL_KEYDOWN:
        case SDL_KEYUP: return event.key.windowID;
        case SDL_TEXTINPUT: return event.text.windowID;
        default: return 0;
    }
}

}  // namespace

ScreenWindow::ScreenWindow(const ScreenWindowOptions& options) : m_options(options) {
    if (!AcquireSdlVideo()) {
        throw EScreenError(kContextFailed);
    }
    m_videoInitialised = true;
    try {
        if (m_options.windowed) {
            CreateWindowAndContext({SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, m_options.width, m_options.height});
        } else {
            const FullScreenPlan plan = PlanFullScreen(SdlVideoModes(), m_options.width, m_options.height,
                                                       m_options.bits, m_options.refreshRate);
            const VideoMode& mode = SdlVideoModes()[plan.modeIndex];
            // Made at its full-screen place and size from the start: without a window manager nobody
            // else would move or size it.
            SDL_Rect bounds{0, 0, mode.width, mode.height};
            if (!plan.switchDisplay) {
                SDL_GetDisplayBounds(0, &bounds);
            }
            CreateWindowAndContext({bounds.x, bounds.y, bounds.w, bounds.h});
            EnterFullScreen(mode, plan);
        }
        SDL_ShowWindow(m_window);
        SDL_RaiseWindow(m_window);
    } catch (...) {
        ReleaseWindow();
        ReleaseSdlVideo();
        throw;
    }
}

ScreenWindow::~ScreenWindow() {
    ReleaseWindow();
    if (m_videoInitialised) {
        ReleaseSdlVideo();
    }
}

void ScreenWindow::CreateWindowAndContext(const ScreenRect& place) {
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    flags |= m_options.windowed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_BORDERLESS;
    if (m_options.stayOnTop) {
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    }
    for (const ContextRequest& request : PixelFormatAttempts(m_options.context)) {
        SetPixelFormatAttributes(request);
        m_window = SDL_CreateWindow(m_options.title.c_str(), place.x, place.y, place.width, place.height, flags);
        if (!m_window) {
            continue;
        }
        m_context = SDL_GL_CreateContext(m_window);
        if (m_context) {
            break;
        }
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (!m_context) {
        throw EScreenError(kContextFailed);
    }
    if (SDL_GL_MakeCurrent(m_window, m_context) != 0) {
        throw EScreenError(kContextFailed);
    }
    if (!HasOpenGL11()) {
        throw EScreenError(kOldOpenGL);
    }
}

void ScreenWindow::EnterFullScreen(const VideoMode& mode, const FullScreenPlan& plan) {
    SDL_DisplayMode sdlMode{};
    if (plan.switchDisplay && FindSdlMode(mode, plan.refreshRate, sdlMode) &&
        SDL_SetWindowDisplayMode(m_window, &sdlMode) == 0 &&
        SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN) == 0) {
        m_displaySwitched = true;
        SDL_Window* window = m_window;
        m_restoreGuard = std::make_unique<DisplayRestoreGuard>([window] { SDL_SetWindowFullscreen(window, 0); });
        return;
    }
    // No switch needed, or the driver refused it: cover the desktop as it is.
    if (plan.switchDisplay) {
        SDL_Rect desktop{};
        SDL_GetDisplayBounds(0, &desktop);
        SDL_SetWindowPosition(m_window, desktop.x, desktop.y);
        SDL_SetWindowSize(m_window, desktop.w, desktop.h);
    }
    SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void ScreenWindow::ReleaseWindow() {
    if (m_context) {
        SDL_GL_MakeCurrent(m_window, nullptr);
        SDL_GL_DeleteContext(m_context);
        m_context = nullptr;
    }
    if (m_window) {
        // Leaving full screen first puts the desktop's mode back before the window goes.
        SDL_SetWindowFullscreen(m_window, 0);
        SDL_DestroyWindow(m_window);
        m_window = nullptr;
    }
    m_displaySwitched = false;
    m_restoreGuard.reset();
}

bool ScreenWindow::HandleEvent(const SDL_Event& event) {
    if (!m_window || EventWindowId(event) != SDL_GetWindowID(m_window)) {
        return false;
    }
    const std::weak_ptr<const bool> alive = m_alive;
    switch (event.type) {
        case SDL_WINDOWEVENT: DispatchWindowEvent(event, alive); break;
        case SDL_MOUSEMOTION: {
            const ScreenPoint p = ToLogical(event.motion.x, event.motion.y);
            Fire(alive, OnMouseMove, TShiftState(ModifierShift(SDL_GetModState()) | ButtonShift(event.motion.state)),
                 p.x, p.y);
            break;
        }
        case SDL_MOUSEBUTTONDOWN: DispatchMouseButton(event, true, alive); break;
        case SDL_MOUSEBUTTONUP: DispatchMouseButton(event, false, alive); break;
        case SDL_MOUSEWHEEL: {
            const int direction = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            // Smooth wheels and touchpads report parts of a notch.
            const float notches = event.wheel.preciseY != 0 ? event.wheel.preciseY : static_cast<float>(event.wheel.y);
            const ScreenPoint p = ToLogical(event.wheel.mouseX, event.wheel.mouseY);
            Fire(alive, OnMouseWheel, TShiftState(ModifierShift(SDL_GetModState()) | ButtonShift(SDL_GetMouseState(nullptr, nullptr))),
                 static_cast<int>(std::lround(direction * notches * kWheelDelta)), p.x, p.y);
            break;
        }
        case SDL_KEYDOWN: DispatchKey(event, true, alive); break;
        case SDL_KEYUP: DispatchKey(event, false, alive); break;
        case SDL_TEXTINPUT: DispatchText(event, alive); break;
        default: break;
    }
    return true;
}

void ScreenWindow::DispatchWindowEvent(const SDL_Event& event, const std::weak_ptr<const bool>& alive) {
    switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: Fire(alive, OnPaint); break;
        case SDL_WINDOWEVENT_ENTER: Fire(alive, OnMouseEnter); break;
        case SDL_WINDOWEVENT_LEAVE: Fire(alive, OnMouseLeave); break;
        case SDL_WINDOWEVENT_CLOSE: {
            bool canClose = true;
            if (Fire(alive, OnCloseQuery, canClose) && canClose) {
                Fire(alive, OnClose);
            }
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // A window that stays on top must not hide other programs while the user works in them.
            if (m_options.stayOnTop) {
                SDL_SetWindowAlwaysOnTop(m_window, event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ? SDL_TRUE : SDL_FALSE);
            }
            break;
        default: break;
    }
}

void ScreenWindow::DispatchMouseButton(const SDL_Event& event, bool down, const std::weak_ptr<const bool>& alive) {
    TMouseButton button;
    Uint32 mask;
    switch (event.button.button) {
        case SDL_BUTTON_LEFT: button = mbLeft; mask = SDL_BUTTON_LMASK; break;
        case SDL_BUTTON_RIGHT: button = mbRight; mask = SDL_BUTTON_RMASK; break;
        case SDL_BUTTON_MIDDLE: button = mbMiddle; mask = SDL_BUTTON_MMASK; break;
        default: return;
    }
    Uint32 held = SDL_GetMouseState(nullptr, nullptr);
    held = down ? (held | mask) : (held & ~mask);
    TShiftState shift = ModifierShift(SDL_GetModState()) | ButtonShift(held);
    const ScreenPoint p = ToLogical(event.button.x, event.button.y);
    if (down) {
        // The second press of a double click reports the double click and no click of its own.
        const bool isDouble = event.button.clicks >= 2 && event.button.clicks % 2 == 0;
        if (isDouble) {
            shift |= ssDouble;
        }
        if (button == mbLeft) {
            m_leftClickArmed = !isDouble;
            if (isDouble && !Fire(alive, OnDblClick)) {
                return;
            }
        }
        Fire(alive, OnMouseDown, button, shift, p.x, p.y);
        return;
    }
    if (button == mbLeft && m_leftClickArmed) {
        m_leftClickArmed = false;
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(m_window, &width, &height);
        const bool inside = event.button.x >= 0 && event.button.y >= 0 && event.button.x < width && event.button.y < height;
        if (inside && !Fire(alive, OnClick)) {
            return;
        }
    }
    Fire(alive, OnMouseUp, button, shift, p.x, p.y);
}

void ScreenWindow::DispatchKey(const SDL_Event& event, bool down, const std::weak_ptr<const bool>& alive) {
    const TVirtualKey key = VirtualKeyOfSdlKey(event.key.keysym.sym);
    const TShiftState shift = ModifierShift(event.key.keysym.mod);
    if (!Fire(alive, down ? OnKeyDown : OnKeyUp, key, shift) || !down) {
        return;
    }
    // These keys type control characters, which SDL's text input does not report.
    char typed = '\0';
    switch (key) {
        case vkReturn: typed = '\r'; break;
        case vkEscape: typed = '\x1b'; break;
        case vkBack: typed = '\b'; break;
        case vkTab: typed = '\t'; break;
        default: return;
    }
    Fire(alive, OnKeyPress, typed);
}

void ScreenWindow::DispatchText(const SDL_Event& event, const std::weak_ptr<const bool>& alive) {
    for (const char* c = event.text.text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte >= 0x80) {
            continue;  // only the characters the game's keys type; the rest of UTF-8 has no use here
        }
        char typed = *c;
        if (!Fire(alive, OnKeyPress, typed)) {
            return;
        }
    }
}

ScreenPoint ScreenWindow::ToLogical(int windowX, int windowY) const { return WindowScreen().ToLogical(windowX, windowY); }

void ScreenWindow::MakeCurrent() { SDL_GL_MakeCurrent(m_window, m_context); }

void ScreenWindow::BeginLogicalFrame() {
    MakeCurrent();
    const LogicalScreen screen = DrawableScreen();
    const ScreenRect box = screen.BoxFromBottom();
    const int outerWidth = screen.OuterWidth();
    const int outerHeight = screen.OuterHeight();
    std::vector<ScreenRect> bars;
    if (box.width < outerWidth) {
        bars.push_back({0, 0, box.x, outerHeight});
        bars.push_back({box.x + box.width, 0, outerWidth - box.x - box.width, outerHeight});
    }
    if (box.height < outerHeight) {
        bars.push_back({0, 0, outerWidth, box.y});
        bars.push_back({0, box.y + box.height, outerWidth, outerHeight - box.y - box.height});
    }
    GLfloat clearColor[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    glClearColor(0, 0, 0, 1);
    glEnable(GL_SCISSOR_TEST);
    for (const ScreenRect& bar : bars) {
        if (bar.width > 0 && bar.height > 0) {
            glScissor(bar.x, bar.y, bar.width, bar.height);
            glClear(GL_COLOR_BUFFER_BIT);
        }
    }
    glClearColor(clearColor[0], clearColor[1], clearColor[2], clearColor[3]);
    glScissor(box.x, box.y, box.width, box.height);
    glViewport(box.x, box.y, box.width, box.height);
}

void ScreenWindow::SwapBuffers() { SDL_GL_SwapWindow(m_window); }

bool ScreenWindow::SetSwapInterval(int interval) {
    MakeCurrent();
    if (SDL_GL_GetSwapInterval() == interval) {
        return true;
    }
    return SDL_GL_SetSwapInterval(interval) == 0;
}

void ScreenWindow::WarpMouse(int logicalX, int logicalY) {
    const ScreenPoint p = WindowScreen().ToOuter(logicalX, logicalY);
    SDL_WarpMouseInWindow(m_window, p.x, p.y);
}

LogicalScreen ScreenWindow::DrawableScreen() const {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(m_window, &width, &height);
    return LogicalScreen(m_options.width, m_options.height, width, height);
}

LogicalScreen ScreenWindow::WindowScreen() const {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(m_window, &width, &height);
    return LogicalScreen(m_options.width, m_options.height, width, height);
}

}  // namespace engine
