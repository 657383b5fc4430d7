#include "game/session/screen_capture.h"

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
    game.Scene.GLFullScreenViewer1.Buffer().PostRender = [this](TGLRenderBuffer*) { FrameDrawn(); };
}

TScreenCapture::~TScreenCapture() {
    m_game.Scene.GLFullScreenViewer1.Buffer().PostRender = nullptr;
}

void TScreenCapture::Request(const std::string& path, bool announce) {
    m_requests.push_back(TRequest{path, announce});
}

void TScreenCapture::FrameDrawn() {
    const ScreenWindow* window = m_game.Scene.GLFullScreenViewer1.Window();
    if (!window || (m_requests.empty() && !m_keepLastFrame)) {
        return;
    }
    const LogicalScreen screen = window->DrawableScreen();
    const ScreenRect box = screen.BoxFromBottom();
    platform::Image frame = ReadFrameBuffer(box.x, box.y, box.width, box.height);
    if (frame.Width != screen.LogicalWidth() || frame.Height != screen.LogicalHeight()) {
        frame = ResizeToFit(frame, screen.LogicalWidth(), screen.LogicalHeight());
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

platform::Image ResizeToFit(const platform::Image& image, int width, int height) {
    platform::Image resized;
    resized.Width = width;
    resized.Height = height;
    resized.HasAlpha = image.HasAlpha;
    resized.Pixels.resize(static_cast<std::size_t>(width) * height * 4);
    if (image.Width <= 0 || image.Height <= 0) {
        return resized;
    }
    // Each pixel averages the source pixels its area covers (at least the nearest one), so that a
    // larger screen shrinks without losing thin lines and a smaller one grows blockily but whole.
    for (int y = 0; y < height; ++y) {
        const int y0 = y * image.Height / height;
        const int y1 = std::max(y0 + 1, (y + 1) * image.Height / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * image.Width / width;
            const int x1 = std::max(x0 + 1, (x + 1) * image.Width / width);
            unsigned sum[4] = {0, 0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const std::uint8_t* row = image.Row(sy);
                for (int sx = x0; sx < x1; ++sx) {
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += row[sx * 4 + c];
                    }
                }
            }
            const auto count = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            std::uint8_t* out = resized.Row(y) + static_cast<std::size_t>(x) * 4;
            for (int c = 0; c < 4; ++c) {
                out[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
            }
        }
    }
    return resized;
}

}  // namespace game
