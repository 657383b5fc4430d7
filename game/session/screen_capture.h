#pragma once

#include "platform/image.h"

#include <string>
#include <vector>

namespace game {

class TDataModule2;

// Pictures of the logical 800 x 600 screen as the frames are drawn: the frames asked for are
// written as PNG, and the last frame is kept when a run wants it at its end.
class TScreenCapture {
public:
    TScreenCapture(TDataModule2& game, bool keepLastFrame);
    ~TScreenCapture();
    TScreenCapture(const TScreenCapture&) = delete;
    TScreenCapture& operator=(const TScreenCapture&) = delete;

    // The next frame drawn is written to path; with announce, the path is printed once it is written.
    void Request(const std::string& path, bool announce = false);
    // The last frame drawn (none before the first).
    const platform::Image& LastFrame() const { return m_last; }

private:
    void FrameDrawn();

    TDataModule2& m_game;
    bool m_keepLastFrame;
    struct TRequest {
        std::string Path;
        bool Announce = false;
    };
    std::vector<TRequest> m_requests;
    platform::Image m_last;
};

// Where the screenshot key writes: the user's pictures folder (XDG_PICTURES_DIR, else ~/Pictures,
// made when missing), "skirmish-YYYYMMDD-HHMMSS.png" after the local time.
std::string ScreenshotPath();

// The picture at another size.
platform::Image ResizeToFit(const platform::Image& image, int width, int height);

}  // namespace game
