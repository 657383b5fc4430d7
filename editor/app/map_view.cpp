#include "editor/app/map_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <cmath>

namespace editor {
namespace {

constexpr int kWheelNotch = 120;
constexpr int kDepthBits = 24;

TMouseButton ButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return TMouseButton::Left;
    case Qt::RightButton: return TMouseButton::Right;
    case Qt::MiddleButton: return TMouseButton::Middle;
    default: return TMouseButton::Other;
    }
}

}  // namespace

TMapView::TMapView(IMapViewEvents& events, QWidget* parent) : QOpenGLWidget(parent), m_events(events) {
    setMouseTracking(true);
    // Focus lets the context-menu key reach the view; the keys it does not use go on to the window.
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

int TMapView::DevicePixels(double logical) const {
    return static_cast<int>(std::lround(logical * devicePixelRatioF()));
}

void TMapView::initializeGL() {
    m_events.FormCreate();
}

void TMapView::resizeGL(int width, int height) {
    m_events.FormResize(DevicePixels(width), DevicePixels(height));
}

void TMapView::paintGL() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    m_events.PaintFrame();
    ++m_frames;
    update();
}

void TMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
    }
    m_events.FormMouseDown(ButtonOf(event->button()));
}

void TMapView::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = false;
    }
    if (click) {
        m_events.FormClick();
    }
    m_events.FormMouseUp();
}

void TMapView::mouseMoveEvent(QMouseEvent* event) {
    m_events.FormMouseMove(DevicePixels(event->position().x()), DevicePixels(event->position().y()));
}

void TMapView::wheelEvent(QWheelEvent* event) {
    // A wheel with finer steps adds up to whole notches.
    m_wheelRemainder += event->angleDelta().y();
    for (; m_wheelRemainder >= kWheelNotch; m_wheelRemainder -= kWheelNotch) {
        m_events.FormMouseWheelUp();
    }
    for (; m_wheelRemainder <= -kWheelNotch; m_wheelRemainder += kWheelNotch) {
        m_events.FormMouseWheelDown();
    }
    event->accept();
}

void TMapView::contextMenuEvent(QContextMenuEvent* event) {
    m_events.FormContextPopup();
    event->accept();
}

void ConfigureOpenGLFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(kDepthBits);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    QSurfaceFormat::setDefaultFormat(format);
}

}  // namespace editor
