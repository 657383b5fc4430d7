#pragma once

#include <cstdint>
#include <optional>

namespace engine {

// The render buffer's frame-rate counter, in ticks of its performance clock. The first frame after
// a reset starts the measured period; every finished frame counts, and MeasuredFps is the frames
// counted divided by the time from that first start to the end of the latest frame.
class TFrameStatistics {
public:
    // A frame begins at counter value now.
    void FrameStarted(std::int64_t now);
    // The frame that began at frameStart has been swapped at now.
    void FrameEnded(std::int64_t frameStart, std::int64_t now, std::int64_t frequency);
    // Counter, period start and MeasuredFps back to 0; the last frame's duration stays.
    void Reset();

    std::int64_t FrameCount() const { return m_frameCount; }
    // Seconds.
    double LastFrameDuration() const { return m_lastFrameDuration; }
    float MeasuredFps() const { return m_measuredFps; }

private:
    std::int64_t m_frameCount = 0;
    // None until the first frame after a reset has started.
    std::optional<std::int64_t> m_firstFrameTime;
    double m_lastFrameDuration = 0.0;
    float m_measuredFps = 0.0f;
};

}  // namespace engine
