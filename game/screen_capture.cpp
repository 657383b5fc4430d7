#include "game/screen_capture.h"

#include "engine/viewer/frame_readback.h"
#include "game/data_module.h"
#include "platform/png_writer.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>

namespace game {

using namespace engine;

TScreenCapture::TScreenCapture(TDataModule2& game, bool keepLastFrame) : m_game(game), m_keepLastFrame(keepLastFrame) {
    // Read before the buffers swap, while the frame is still in the back buffer.
    game.S.GLFullScreenViewer1.Buffer().PostRender = [this](TGLRenderBuffer*) { FrameDrawn(); };
}

TScreenCapture::~TScreenCapture() {
    m_game.S.GLFullScreenViewer1.Buffer().PostRender = nullptr;
}

void TScreenCapture::Request(const std::string& path, bool announce) {
    m_requests.push_back(TRequest{path, announce});
}

void TScreenCapture::FrameDrawn() {
    const ScreenWindow* window = m_game.S.GLFullScreenViewer1.Window();
    if (!window || (m_requests.empty() && !m_keepLastFrame)) {
        return;
    }
    const LogicalScreen screen = window->DrawableScreen();
    const ScreenRect box = screen.BoxFromBottom();
    platform::Image frame = ReadFrameBuffer(box.x, box.y, box.width, box.height);
    if (frame.Width != screen.LogicalWidth() || frame.Height != screen.LogicalHeight()) {
        frame = ResizeNearest(frame, screen.LogicalWidth(), screen.LogicalHeight());
    }
    for (const TRequest& request : std::exchange(m_requests, {})) {
        try {
            platform::WritePng(request.Path, frame);
            if (request.Announce) {
                std::cout << request.Path << std::endl;
            }
        } catch (const std::exception& error) {
            std::cerr << "skirmish: " << request.Path << ": " << error.what() << '\n';
        }
    }
    if (m_keepLastFrame) {
        m_last = std::move(frame);
    }
}

std::string ScreenshotPath() {
    namespace fs = std::filesystem;
    fs::path folder;
    if (const char* pictures = std::getenv("XDG_PICTURES_DIR"); pictures && *pictures) {
        folder = pictures;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = fs::path(home) / "Pictures";
    } else {
        folder = fs::temp_directory_path();
    }
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char name[64];
    std::strftime(name, sizeof name, "skirmish-%Y%m%d-%H%M%S.png", &local);
    return (folder / name).string();
}

platform::Image ResizeNearest(const platform::Image& image, int width, int height) {
    platform::Image resized;
    resized.Width = width;
    resized.Height = height;
    resized.HasAlpha = image.HasAlpha;
    resized.Pixels.resize(static_cast<std::size_t>(width) * height * 4);
    if (image.Width <= 0 || image.Height <= 0) {
        return resized;
    }
    for (int y = 0; y < height; ++y) {
        const int sy = std::min(image.Height - 1, y * image.Height / height);
        for (int x = 0; x < width; ++x) {
            const int sx = std::min(image.Width - 1, x * image.Width / width);
            std::copy_n(image.Row(sy) + static_cast<std::size_t>(sx) * 4, 4, resized.Row(y) + static_cast<std::size_t>(x) * 4);
        }
    }
    return resized;
}

}  // namespace game
