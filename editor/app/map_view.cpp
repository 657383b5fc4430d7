#include "editor/app/map_view.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

#include <cmath>

namespace editor {
namespace {

constexpr int kWheelNotch = 120;
constexpr double kFallbackRefreshRate = 60;
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
    m_pendingFrame.setSingleShot(true);
    QObject::connect(&m_pendingFrame, &QTimer::timeout, this, [this] { update(); });
}

void TMapView::RequestFrame() {
    if (m_pendingFrame.isActive()) {
        return;
    }
    const QScreen* display = screen();
    const double rate = display != nullptr && display->refreshRate() > 0 ? display->refreshRate() : kFallbackRefreshRate;
    const auto period = static_cast<qint64>(std::ceil(1000.0 / rate));
    const qint64 since = m_sinceFrame.isValid() ? m_sinceFrame.elapsed() : period;
    if (since >= period) {
        update();
    } else {
        m_pendingFrame.start(static_cast<int>(period - since));
    }
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
    m_sinceFrame.start();
}

void TMapView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_leftPressed = true;
    }
    m_events.FormMouseDown(ButtonOf(event->button()));
    RequestFrame();
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
    RequestFrame();
}

void TMapView::mouseMoveEvent(QMouseEvent* event) {
    m_events.FormMouseMove(DevicePixels(event->position().x()), DevicePixels(event->position().y()));
    RequestFrame();
}

void TMapView::wheelEvent(QWheelEvent* event) {
    event->accept();
    RequestFrame();
    // A wheel with finer steps adds up to whole notches.
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        m_zoomRemainder += event->angleDelta().y();
        const int notches = m_zoomRemainder / kWheelNotch;
        m_zoomRemainder -= notches * kWheelNotch;
        if (notches != 0) {
            m_events.ZoomTowardsPointer(notches);
        }
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    for (; m_wheelRemainder >= kWheelNotch; m_wheelRemainder -= kWheelNotch) {
        m_events.FormMouseWheelUp();
    }
    for (; m_wheelRemainder <= -kWheelNotch; m_wheelRemainder += kWheelNotch) {
        m_events.FormMouseWheelDown();
    }
}

void TMapView::contextMenuEvent(QContextMenuEvent* event) {
    m_events.FormContextPopup();
    event->accept();
    RequestFrame();
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
