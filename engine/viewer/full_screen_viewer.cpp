#include "engine/viewer/full_screen_viewer.h"

#include "engine/core/set_and_notify.h"
#include "engine/platform/application.h"

#include <utility>

namespace engine {
namespace {

// The buffer draws into the screen's logical (letterboxed) area.
class TScreenTarget final : public TGLRenderTarget {
public:
    explicit TScreenTarget(ScreenWindow& window) : m_window(window) {}
    void MakeCurrent() override { m_window.BeginLogicalFrame(); }
    void SwapBuffers() override { m_window.SwapBuffers(); }
    bool SetSwapInterval(int interval) override { return m_window.SetSwapInterval(interval); }

private:
    ScreenWindow& m_window;
};

// Calls a copy of the handler, which may replace itself while it runs.
template <class Handler, class... Args>
void Call(const Handler& member, Args&&... args) {
    if (member) {
        Handler handler = member;
        handler(std::forward<Args>(args)...);
    }
}

}  // namespace

int ScreenDepthBits(TScreenDepth depth) {
    switch (depth) {
        case sd8bits: return 8;
        case sd16bits: return 16;
        case sd24bits: return 24;
        case sd32bits: break;
    }
    return 32;
}

TGLFullScreenViewer::TGLFullScreenViewer() {
    Application();
}

TGLFullScreenViewer::~TGLFullScreenViewer() {
    LeaveFullScreen();
}

void TGLFullScreenViewer::SetScreenActive(bool active) {
    if (Buffer().Rendering()) {
        m_pendingActive = active;
        return;
    }
    if (active == ScreenActive()) {
        return;
    }
    if (active) {
        EnterFullScreen();
    } else {
        LeaveFullScreen();
    }
}

void TGLFullScreenViewer::SetScreenDepth(TScreenDepth depth) {
    SetAndNotify(m_screenDepth, depth, [this] { Retake(); });
}

void TGLFullScreenViewer::SetWindowed(bool windowed) {
    SetAndNotify(m_windowed, windowed, [this] { Retake(); });
}

void TGLFullScreenViewer::SetCursor(std::int16_t cursor) {
    if (m_cursor == cursor) {
        return;
    }
    m_cursor = cursor;
    if (m_window && m_cursorTable) {
        m_cursorTable->Select(cursor);
    }
}

void TGLFullScreenViewer::SetCursorTable(CursorTable* table) {
    m_cursorTable = table;
    if (m_window && m_cursorTable) {
        m_cursorTable->Select(m_cursor);
    }
}

void TGLFullScreenViewer::EnterFullScreen() {
    ScreenWindowOptions options;
    options.width = Width();
    options.height = Height();
    options.bits = ScreenDepthBits(m_screenDepth);
    options.refreshRate = m_refreshRate;
    options.stayOnTop = m_stayOnTop;
    options.windowed = m_windowed;
    options.title = m_caption;
    options.context = Buffer().RequestedPixelFormat();
    auto window = std::make_unique<ScreenWindow>(options);
    auto target = std::make_unique<TScreenTarget>(*window);
    WireWindowEvents(*window);
    Buffer().Resize(Width(), Height());
    Buffer().CreateRC(*target);
    m_window = std::move(window);
    m_target = std::move(target);
    AddLoopHooks();
    if (m_cursorTable) {
        m_cursorTable->Select(m_cursor);
    }
    m_invalid = true;
}

void TGLFullScreenViewer::LeaveFullScreen() {
    if (!m_window) {
        return;
    }
    RemoveLoopHooks();
    m_invalid = false;
    // Released in reverse order even when freeing the context fails: the target, then the
    // window, whose end restores the desktop's display mode.
    const std::unique_ptr<ScreenWindow> window = std::move(m_window);
    const std::unique_ptr<TGLRenderTarget> target = std::move(m_target);
    if (m_cursorTable) {
        m_cursorTable->Select(0);
    }
    Buffer().DestroyRC();
}

void TGLFullScreenViewer::Retake() {
    if (!ScreenActive()) {
        return;
    }
    if (Buffer().Rendering()) {
        m_pendingRetake = true;
        return;
    }
    LeaveFullScreen();
    EnterFullScreen();
}

void TGLFullScreenViewer::WireWindowEvents(ScreenWindow& window) {
    window.OnMouseDown = [this](TMouseButton button, TShiftState shift, int x, int y) {
        Call(OnMouseDown, this, button, shift, x, y);
    };
    window.OnMouseUp = [this](TMouseButton button, TShiftState shift, int x, int y) {
        Call(OnMouseUp, this, button, shift, x, y);
    };
    window.OnMouseMove = [this](TShiftState shift, int x, int y) { Call(OnMouseMove, this, shift, x, y); };
    window.OnMouseWheel = [this](TShiftState shift, int wheelDelta, int x, int y) {
        bool handled = false;
        Call(OnMouseWheel, this, shift, wheelDelta, ScreenPoint{x, y}, handled);
    };
    window.OnClick = [this] { Call(OnClick, this); };
    window.OnDblClick = [this] { Call(OnDblClick, this); };
    window.OnMouseEnter = [this] { Call(OnMouseEnter, this); };
    window.OnMouseLeave = [this] { Call(OnMouseLeave, this); };
    window.OnKeyDown = [this](TVirtualKey key, TShiftState shift) { Call(OnKeyDown, this, key, shift); };
    window.OnKeyUp = [this](TVirtualKey key, TShiftState shift) { Call(OnKeyUp, this, key, shift); };
    window.OnKeyPress = [this](char& key) { Call(OnKeyPress, this, key); };
    window.OnPaint = [this] { Invalidate(); };
    window.OnCloseQuery = [this](bool& canClose) { Call(OnCloseQuery, this, canClose); };
    window.OnClose = [this] {
        Call(OnClose, this);
        SetScreenActive(false);
    };
}

void TGLFullScreenViewer::AddLoopHooks() {
    TApplication& application = Application();
    m_eventHandler = application.AddEventHandler([this](const SDL_Event& event) {
        if (m_window) {
            m_window->HandleEvent(event);
        }
    });
    // The loop asks every pass whether the view needs painting: the cursor's animation advances
    // there too, so it runs while the loop turns.
    m_painter = application.AddPainter({[this] { return NeedsPaint(); }, [this] { Paint(); }});
}

void TGLFullScreenViewer::RemoveLoopHooks() {
    TApplication& application = Application();
    application.RemoveEventHandler(m_eventHandler);
    application.RemovePainter(m_painter);
    m_eventHandler = 0;
    m_painter = 0;
}

bool TGLFullScreenViewer::NeedsPaint() {
    if (m_window && m_cursorTable) {
        m_cursorTable->Update();
    }
    return (m_window && m_invalid) || m_pendingActive || m_pendingRetake;
}

void TGLFullScreenViewer::Paint() {
    if (m_window && m_invalid) {
        m_invalid = false;
        Buffer().RenderToScreen();
    }
    ApplyPendingChanges();
}

void TGLFullScreenViewer::ApplyPendingChanges() {
    if (Buffer().Rendering()) {
        return;
    }
    const std::optional<bool> active = std::exchange(m_pendingActive, std::nullopt);
    const bool retake = std::exchange(m_pendingRetake, false);
    if (active) {
        SetScreenActive(*active);
    }
    if (retake) {
        Retake();
    }
}

}  // namespace engine
