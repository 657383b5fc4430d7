#pragma once

#include "editor/app/main_window.h"
#include "editor/app/map_view.h"
#include "editor/app/tool_palette.h"
#include "editor/data/message_reporter.h"
#include "editor/data/package_writer.h"
#include "editor/document/editor_texts.h"
#include "tests/editor/document/recording_user.h"
#include "tests/editor/document/scratch_folder.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace editor {

namespace test_data {

// Colours of the test textures, as RGB.
constexpr QRgb kBase0 = qRgb(40, 40, 200);
constexpr QRgb kBase1 = qRgb(200, 200, 40);
constexpr QRgb kStones = qRgb(220, 30, 30);
constexpr QRgb kRoad = qRgb(30, 220, 30);

inline std::vector<std::uint8_t> Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

inline std::vector<std::uint8_t> SolidImage(QRgb colour, const char* format) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return Encode(image, format);
}

inline std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A pyramid over the -1..1 box: four sides and a square base.
inline std::string PyramidQzm() {
    return "New object\n"
           "Tri-mesh, Vertices: 5 Faces: 6\n"
           "numverts numfaces\n"
           "5 6\n"
           "Vertex list:\n"
           "-1 -1 -1\n1 -1 -1\n1 1 -1\n-1 1 -1\n0 0 1\n"
           "Face list:\n\n"
           "1 2 5\n2 3 5\n3 4 5\n4 1 5\n1 3 2\n1 4 3\n"
           "Face normals:\n\n"
           "0 -0.9 0.45\n0.9 0 0.45\n0 0.9 0.45\n-0.9 0 0.45\n0 0 -1\n0 0 -1\n"
           "Vertex normals:\n\n"
           "-0.6 -0.6 -0.5\n0.6 -0.6 -0.5\n0.6 0.6 -0.5\n-0.6 0.6 -0.5\n0 0 1\n"
           "New Texture:\n"
           "Texture mapping\n"
           "3 6\n"
           "Texture vertices:\n"
           "0 0 0\n1 0 0\n0.5 1 0\n"
           "Texture faces:\n\n"
           "1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n1 2 3\n";
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Catalogues and packages of a small world: two base surfaces, two detail surfaces, two ground
// kinds, one air kind, two special kinds.
inline void WriteStandardData(const std::filesystem::path& folder) {
    WriteFile(folder / "System" / "Basic_surface.txt", "Трава\nПесок\n");
    WriteFile(folder / "System" / "Surface.txt", "Камни\r\nДорога\r\n");
    WriteFile(folder / "System" / "Special_obj.txt", "Старт\nФиниш\n");
    const std::vector<PackageRecord> textures = {
        {"Трава.jpg", SolidImage(kBase0, "JPG")},
        {"Песок.jpg", SolidImage(kBase1, "JPG")},
        {"Камни.bmp", SolidImage(kStones, "BMP")},
        {"Дорога.bmp", SolidImage(kRoad, "BMP")},
    };
    std::filesystem::create_directories(folder / "Data");
    WritePackage((folder / "Data" / "Textures.qzp").string(), textures);
    const std::vector<PackageRecord> objects = {
        {"Info_ground.txt", Bytes("Дом.qzm\nДом.bmp\nЕль.qzm\nЕль.jpg\n")},
        {"Info_air.txt", Bytes("Облако.qzm\nОблако.bmp\n")},
        {"Дом.qzm", Bytes(PyramidQzm())},
        {"Ель.qzm", Bytes(PyramidQzm())},
        {"Облако.qzm", Bytes(PyramidQzm())},
        {"Дом.bmp", SolidImage(qRgb(150, 100, 60), "BMP")},
        {"Ель.jpg", SolidImage(qRgb(20, 120, 20), "JPG")},
        {"Облако.bmp", SolidImage(qRgb(230, 230, 230), "BMP")},
    };
    WritePackage((folder / "Data" / "Objects.qzp").string(), objects);
}

}  // namespace test_data

// Each test gets its own working folder holding the standard data, and records every box: the
// data layer's as "caption|text", the main window's messages and errors, and a failed start.
// The application object is made once for the program (qt_test_environment.cpp).
class EditorAppTest : public ::testing::Test, protected RecordingUser {
protected:
    void SetUp() override {
        m_scratch.emplace("h9_");
        m_folder = m_scratch->Path();
        test_data::WriteStandardData(m_folder);
        m_previousReporter = SetMessageReporter([this](const std::string& caption, const std::string& text) {
            m_dataMessages.push_back(caption + "|" + text);
        });
    }

    void TearDown() override {
        m_window.reset();
        SetMessageReporter(m_previousReporter);
        m_scratch.reset();
    }

    // Shows the main window and waits until its first showing has loaded the catalogues.
    void StartEditor(std::optional<std::string> startFile = {}) {
        m_window = std::make_unique<TfrmGL>(RecordingServices(), std::move(startFile));
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->Started(); }, 20000));
        WaitFrames(2);
    }

    // The view paints only when asked; each of the frames is asked for and waited for.
    void WaitFrames(std::uint64_t count) {
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t target = View().FrameCount() + 1;
            View().RequestFrame();
            ASSERT_TRUE(QTest::qWaitFor([&] { return View().FrameCount() >= target; }, 20000));
        }
    }

    TMapView& View() { return m_window->View(); }
    TEditorSession& Session() { return m_window->Session(); }
    const TMapData& MapData() { return Session().Map.Data(); }
    const TToolControls& Tools() { return m_window->Tools().Controls(); }

    // The view position over the map point (x, y) at zero tilt and spin: the inverse of the
    // view's perspective, so the tests say cells instead of pixels.
    QPoint PointOverMap(double x, double y) {
        const TViewCamera& camera = Session().Camera;
        const double w = View().width();
        const double h = View().height();
        const double focal = 1.0 / std::tan(22.5 * std::numbers::pi / 180.0);
        const double depth = -camera.Zoom;
        const double ndcX = focal / (w / h) * (x + camera.PanX) / depth;
        const double ndcY = focal * (y + camera.PanY) / depth;
        return {static_cast<int>(std::lround((ndcX + 1) / 2 * w)), static_cast<int>(std::lround(h - (ndcY + 1) / 2 * h))};
    }
    QPoint CellCentre(int x, int y) { return PointOverMap(x + 0.5, y + 0.5); }

    void SendMouse(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(position), QPointF(View().mapToGlobal(position)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&View(), &event);
    }
    // Moves the mouse there and waits until a frame has picked the cell under it.
    void MoveMouse(QPoint position) {
        SendMouse(QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton);
        WaitFrames(2);
    }
    void LeftPress(QPoint position) { SendMouse(QEvent::MouseButtonPress, position, Qt::LeftButton, Qt::LeftButton); }
    void LeftRelease(QPoint position) { SendMouse(QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton); }
    void DragTo(QPoint position) {
        SendMouse(QEvent::MouseMove, position, Qt::NoButton, Qt::LeftButton);
        WaitFrames(2);
    }
    void LeftClickAt(QPoint position) {
        MoveMouse(position);
        SendMouse(QEvent::MouseButtonPress, position, Qt::LeftButton, Qt::LeftButton);
        SendMouse(QEvent::MouseButtonRelease, position, Qt::LeftButton, Qt::NoButton);
    }
    void RightClickAt(QPoint position) {
        MoveMouse(position);
        SendMouse(QEvent::MouseButtonPress, position, Qt::RightButton, Qt::RightButton);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, position, View().mapToGlobal(position));
        QApplication::sendEvent(&View(), &menu);
        SendMouse(QEvent::MouseButtonRelease, position, Qt::RightButton, Qt::NoButton);
    }

    std::string PathOf(const std::string& name) const { return m_scratch->PathOf(name); }

    std::filesystem::path m_folder;
    std::unique_ptr<TfrmGL> m_window;
    std::vector<std::string> m_dataMessages;

private:
    std::optional<ScratchFolder> m_scratch;
    MessageReporter m_previousReporter;
};

}  // namespace editor
