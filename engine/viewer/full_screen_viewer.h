#pragma once

#include "engine/platform/callback_list.h"
#include "engine/platform/cursor_table.h"
#include "engine/platform/screen_window.h"
#include "engine/viewer/non_visual_viewer.h"
#include "engine/viewer/viewer_events.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace engine {

enum TScreenDepth : std::uint8_t { sd8bits, sd16bits, sd24bits, sd32bits };
int ScreenDepthBits(TScreenDepth depth);

// The game's screen. Setting ScreenActive takes the display over (switching its mode when the
// desktop's differs), shows the buffer there scaled from the logical Width x Height, and hands the
// input on as the viewer's events; clearing it, or destroying the viewer, gives the desktop back.
// Frames are drawn by the main loop: a change marks the view invalid and the loop's next pass
// renders one frame.
class TGLFullScreenViewer : public TGLNonVisualViewer {
public:
    TGLFullScreenViewer();
    ~TGLFullScreenViewer() override;

    // Setting the value it has does nothing. Changes asked for while a frame is being drawn take
    // effect when it is done.
    bool ScreenActive() const { return m_window != nullptr; }
    void SetScreenActive(bool active);

    // Changing it while the screen is held leaves and takes the screen again.
    TScreenDepth ScreenDepth() const { return m_screenDepth; }
    void SetScreenDepth(TScreenDepth depth);
    // Hz; 0 leaves the rate to the driver. Used when the screen is next taken.
    int RefreshRate() const { return m_refreshRate; }
    void SetRefreshRate(int rate) { m_refreshRate = rate; }
    TVSyncMode VSync() const { return Buffer().VSync(); }
    void SetVSync(TVSyncMode mode) { Buffer().SetVSync(mode); }
    // Used when the screen is next taken.
    bool StayOnTop() const { return m_stayOnTop; }
    void SetStayOnTop(bool stayOnTop) { m_stayOnTop = stayOnTop; }
    // An 800 x 600 (Width x Height) resizable window instead of the whole display, with the same
    // scaling; changing it while the screen is held leaves and takes the screen again.
    bool Windowed() const { return m_windowed; }
    void SetWindowed(bool windowed);
    // The window's title where the desktop shows one (windowed). Used when the screen is next taken.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption) { m_caption = caption; }

    // The slot of the cursor table shown over the screen.
    std::int16_t Cursor() const { return m_cursor; }
    void SetCursor(std::int16_t cursor);
    // The application's cursors; must outlive the viewer or be set to none first.
    void SetCursorTable(CursorTable* table);

    // The screen while it is held (for the pointer position and the display facts), else none.
    ScreenWindow* Window() const { return m_window.get(); }
    bool DisplaySwitched() const { return m_window && m_window->DisplaySwitched(); }
    // Whether the next pass of the main loop draws a frame.
    bool Invalid() const { return m_invalid; }
    void Invalidate() { m_invalid = true; }

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void BufferChanged() override { Invalidate(); }
    void BufferStructureChanged() override { Retake(); }
    void SizeChanged() override { Retake(); }

private:
    void EnterFullScreen();
    void LeaveFullScreen();
    // Leaves and takes the screen again when it is held.
    void Retake();
    void WireWindowEvents(ScreenWindow& window);
    void AddLoopHooks();
    void RemoveLoopHooks();
    bool NeedsPaint();
    void Paint();
    void ApplyPendingChanges();

    TScreenDepth m_screenDepth = sd32bits;
    int m_refreshRate = 0;
    bool m_stayOnTop = false;
    bool m_windowed = false;
    std::string m_caption;
    std::int16_t m_cursor = 0;
    CursorTable* m_cursorTable = nullptr;

    std::unique_ptr<ScreenWindow> m_window;
    std::unique_ptr<TGLRenderTarget> m_target;
    bool m_invalid = false;
    TLoopHandle m_painter = 0;
    TLoopHandle m_eventHandler = 0;
    // What was asked for while a frame was being drawn.
    std::optional<bool> m_pendingActive;
    bool m_pendingRetake = false;
};

}  // namespace engine
