#pragma once

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <vector>

namespace game {

class TDataModule2;

// Measures a run as it goes (real frame times, the time of each frame's logic and rendering, frames
// in which something of the world stopped being a finite number) and reports it with the game's
// state at the end.
class TRunStats {
public:
    explicit TRunStats(TDataModule2& game);
    ~TRunStats();
    TRunStats(const TRunStats&) = delete;
    TRunStats& operator=(const TRunStats&) = delete;

    // Before each pass of the game loop: makes sure the frame step is timed.
    void BeforePass();
    // After each pass: looks for non-finite positions.
    void AfterPass();
    std::int64_t Frames() const { return m_frames; }
    nlohmann::json Report() const;

private:
    using TClock = std::chrono::steady_clock;
    static void TimedFrameStep();
    bool WorldIsFinite() const;

    TDataModule2& m_game;
    std::int64_t m_frames = 0;
    std::int64_t m_nonFiniteFrames = 0;
    TClock::time_point m_renderStart;
    TClock::time_point m_lastFrameEnd;
    std::vector<double> m_frameSeconds;
    std::vector<double> m_logicMs;
    std::vector<double> m_renderMs;
    double m_renderMsInStep = 0;
    int m_rendersInPass = 0;
};

}  // namespace game
