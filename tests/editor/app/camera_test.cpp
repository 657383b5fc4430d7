#include "tests/editor/app/editor_app_fixture.h"

#include "editor/view/map_drawing.h"

#include <QTimer>
#include <QWheelEvent>

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace editor {
namespace {

using CameraWindowTest = EditorAppTest;

TEST_F(CameraWindowTest, WheelAndArrowKeysMoveTheCamera) {
    StartEditor();
    const QPoint centre = View().rect().center();
    for (int notch = 0; notch < 8; ++notch) {
        QWheelEvent wheel(centre, View().mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &wheel);
    }
    EXPECT_NEAR(Session().Camera.Zoom, -7.2f, 1e-4);
    for (int notch = 0; notch < 60; ++notch) {
        QWheelEvent wheel(centre, View().mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&View(), &wheel);
    }
    EXPECT_FLOAT_EQ(Session().Camera.Zoom, -1);

    QTest::keyClick(m_window.get(), Qt::Key_Left);
    QTest::keyClick(m_window.get(), Qt::Key_Left);
    QTest::keyClick(m_window.get(), Qt::Key_Up);
    EXPECT_NEAR(Session().Camera.PanX, -1.6f, 1e-5);
    EXPECT_NEAR(Session().Camera.PanY, -2.2f, 1e-5);
    // Keys typed while the view has the focus reach the window's handler as well.
    QTest::keyClick(&View(), Qt::Key_Right);
    QTest::keyClick(&View(), Qt::Key_Down);
    EXPECT_NEAR(Session().Camera.PanX, -1.8f, 1e-5);
    EXPECT_NEAR(Session().Camera.PanY, -2.0f, 1e-5);

    m_window->Menu().N11->trigger();
    EXPECT_FLOAT_EQ(Session().Camera.Zoom, -6);
    EXPECT_FLOAT_EQ(Session().Camera.PanX, 0);
    EXPECT_FLOAT_EQ(Session().Camera.PanY, 0);
}

TEST_F(CameraWindowTest, MiddleDragTiltsTheViewUpToItsLimit) {
    StartEditor();
    QPoint position = View().rect().center();
    SendMouse(QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton);
    SendMouse(QEvent::MouseButtonPress, position, Qt::MiddleButton, Qt::MiddleButton);
    for (int step = 0; step < 60; ++step) {
        position += QPoint(0, 1);
        SendMouse(QEvent::MouseMove, position, Qt::NoButton, Qt::MiddleButton);
    }
    SendMouse(QEvent::MouseButtonRelease, position, Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(Session().Camera.Tilt, 85);
    EXPECT_FALSE(Session().Camera.Rotating);
    // Turned that far about the eye, the map has left the view: nothing to pick.
    MoveMouse(QPoint(View().width() / 2, 3));
    EXPECT_FALSE(Session().Camera.HasCursor());
}

TEST_F(CameraWindowTest, PointJustRightAndAboveTheCentrePicksCellTwoTwo) {
    StartEditor();
    const QPoint centre(View().width() / 2, View().height() / 2);
    MoveMouse(centre + QPoint(4, -4));
    EXPECT_EQ(Session().Camera.CursorX, 2);
    EXPECT_EQ(Session().Camera.CursorY, 2);
    MoveMouse(centre + QPoint(-4, 4));
    EXPECT_EQ(Session().Camera.CursorX, 1);
    EXPECT_EQ(Session().Camera.CursorY, 1);
}

// The pixel under the mouse is read, not the one below it: the view's top row picks as well.
TEST_F(CameraWindowTest, TheTopAndBottomRowsOfTheViewPick) {
    StartEditor();
    Session().Camera.Zoom = -2;
    const int x = View().width() / 2 + 5;
    MoveMouse(QPoint(x, 0));
    EXPECT_EQ(std::make_pair(Session().Camera.CursorX, Session().Camera.CursorY), std::make_pair(2, 2));
    MoveMouse(QPoint(x, View().height() - 1));
    EXPECT_EQ(std::make_pair(Session().Camera.CursorX, Session().Camera.CursorY), std::make_pair(2, 1));
}

TEST_F(CameraWindowTest, ViewOfNoHeightKeepsAFiniteProjection) {
    StartEditor();
    View().makeCurrent();
    SetViewProjection(200, 0);
    std::array<GLdouble, 16> projection{};
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    View().doneCurrent();
    for (GLdouble value : projection) {
        EXPECT_TRUE(std::isfinite(value));
    }
    EXPECT_GT(projection[5], 0);
}

// The palette stays open beside the main window, yet closing the main window ends the program.
TEST_F(CameraWindowTest, EscapeClosesTheMainWindowAndEndsTheProgram) {
    StartEditor();
    ASSERT_TRUE(m_window->Tools().isVisible());
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, [&] { QTest::keyClick(m_window.get(), Qt::Key_Escape); });
    // The guard dies with the test, so it cannot end a later test's event loop.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_window->Tools().isVisible());
}

}  // namespace
}  // namespace editor
