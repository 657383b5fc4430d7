#pragma once

#include "editor/document/view_camera.h"

#include <QElapsedTimer>
#include <QOpenGLWidget>
#include <QTimer>

#include <cstdint>

namespace editor {

// What the view reports, in the main window's terms. Coordinates are device pixels of the view.
class IMapViewEvents {
public:
    virtual ~IMapViewEvents() = default;
    // The context exists and is current.
    virtual void FormCreate() = 0;
    virtual void FormResize(int width, int height) = 0;
    // One frame into the cleared buffers; the context is current.
    virtual void PaintFrame() = 0;
    virtual void FormMouseDown(TMouseButton button) = 0;
    virtual void FormMouseUp() = 0;
    virtual void FormMouseMove(int x, int y) = 0;
    virtual void FormMouseWheelDown() = 0;
    virtual void FormMouseWheelUp() = 0;
    // Ctrl with the wheel: notches up (positive) or down, zooming towards the pointer.
    virtual void ZoomTowardsPointer(int notches) = 0;
    // A left click (press and release inside the view).
    virtual void FormClick() = 0;
    // A right click or the context-menu key; no menu is shown.
    virtual void FormContextPopup() = 0;
};

// The OpenGL view of the map: turns Qt's input into calls and renders through the events.
// It paints when something changed (its own input, or a RequestFrame from the window), at most
// at the display's rate, so an unchanged picture costs nothing.
class TMapView : public QOpenGLWidget {
public:
    TMapView(IMapViewEvents& events, QWidget* parent);

    // Something the picture shows changed: a frame follows, no sooner than one display period
    // after the last one; requests in between make one frame.
    void RequestFrame();

    // Frames painted so far, so a caller can wait for the next one.
    std::uint64_t FrameCount() const { return m_frames; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int DevicePixels(double logical) const;

    IMapViewEvents& m_events;
    std::uint64_t m_frames = 0;
    QElapsedTimer m_sinceFrame;
    QTimer m_pendingFrame;
    bool m_leftPressed = false;
    int m_wheelRemainder = 0;
    int m_zoomRemainder = 0;
};

// The context the view asks for: compatibility profile with a depth buffer. Set before the
// application object is made.
void ConfigureOpenGLFormat();

}  // namespace editor
